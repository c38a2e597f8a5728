#include "editor/OutsideChangeController.h"

#include "app/HandlerGuard.h"
#include "catalogue/CatalogueItem.h"
#include "catalogue/OutsideChange.h"
#include "catalogue/ProfileFile.h"
#include "catalogue/ProfileSnapshot.h"
#include "editor/EditorContext.h"
#include "editor/Question.h"
#include "editor/StatusNotices.h"

#include <QAction>
#include <QLineEdit>
#include <QWidget>

#include <utility>

namespace {

// How the question names the field: "Titlen er ændret i en anden editor".
QString fieldNameInQuestion(TextKey key)
{
    switch (key) {
    case TextKey::Titel: return QStringLiteral("Titlen");
    case TextKey::Global: return QStringLiteral("Den korte tekst");
    case TextKey::Folder: return QStringLiteral("Mappen");
    case TextKey::Webside: return QStringLiteral("Websiden");
    default: return CatalogueKeys::name(key);
    }
}

} // namespace

OutsideChangeController::OutsideChangeController(EditorContext &context, HandlerGuard &guard, QAction &previous,
                                                 std::function<void()> showCatalogue,
                                                 std::function<void(TextKey)> typed)
    : QObject(&context.window())
    , context_(context)
    , guard_(guard)
    , previous_(previous)
    , showCatalogue_(std::move(showCatalogue))
    , typed_(std::move(typed))
{
}

CatalogueWatch *OutsideChangeController::openCatalogueWatch()
{
    watch_ = new CatalogueWatch(context_.catalogue(), &context_.window());
    connect(watch_, &CatalogueWatch::changed, this, [this] {
        // A handler running now meets the change at its next write; a dialog of its own is open.
        if (guard_.running())
            return;
        const std::optional<TextKey> typing = typingField();
        if (takeInOutsideChanges(typing) && typing)
            typed_(*typing);
    });
    return watch_;
}

std::optional<TextKey> OutsideChangeController::typingField() const
{
    for (TextKey key : CatalogueKeys::importTextKeys) {
        if (context_.field(key).hasFocus())
            return key;
    }
    return std::nullopt;
}

bool OutsideChangeController::takeInOutsideChanges(std::optional<TextKey> typing)
{
    if (!watch_ || !watch_->changedOutside())
        return true;
    bool goOn = true;
    guard_.run([&] { goOn = followOutsideChange(typing); });
    emit takenIn();
    return goOn;
}

bool OutsideChangeController::followOutsideChange(std::optional<TextKey> typing)
{
    ProfileFile &catalogue = context_.catalogue();
    const ProfileText known(watch_->known());
    const std::shared_ptr<const ProfileSnapshot> now = catalogue.Snapshot();
    const ProfileText stored = now ? now->text() : ProfileText(QByteArray());
    watch_->adopt();
    const int shown = context_.shownItem();
    const OutsideChange change = OutsideChange::between(known, stored, shown);
    if (!change.anything)
        return true;
    showCatalogue_();

    if (change.itemDeleted) {
        Question told;
        told.icon = QMessageBox::Information;
        told.text = QStringLiteral("Punkt %1 »%2« er slettet i en anden editor.").arg(shown).arg(context_.shownTitle());
        told.buttons = {{QMessageBox::Ok, {}, QMessageBox::AcceptRole}};
        context_.ask(told);
        // The user's own step back, the description saved first.
        previous_.trigger();
        return false;
    }

    bool goOn = true;
    if (typing) {
        const QString theirs = CatalogueItem(catalogue, shown).text(*typing);
        if (change.changed(*typing) && context_.field(*typing).text() != theirs)
            goOn = askWhichValueStays(*typing, theirs);
    }
    const std::optional<TextKey> keep = goOn ? typing : std::nullopt;
    // A new folder means other pictures and another description: the item is shown anew.
    if (change.changed(TextKey::Folder) && keep != TextKey::Folder)
        context_.showStoredItem();
    else
        context_.showStoredValues(keep);
    // Typing goes on at the end of the value taken over.
    if (typing && !goOn)
        context_.field(*typing).end(false);
    context_.statusNotices().post(StatusNotices::Notice::OutsideChange, change.notice());
    return goOn;
}

bool OutsideChangeController::askWhichValueStays(TextKey key, const QString &theirs)
{
    Question question;
    question.text = QStringLiteral("%1 er ændret i en anden editor: »%2«.").arg(fieldNameInQuestion(key), theirs);
    question.buttons = {{QMessageBox::NoButton, QStringLiteral("Behold din"), QMessageBox::AcceptRole},
                        {QMessageBox::NoButton, QStringLiteral("Brug den anden"), QMessageBox::RejectRole}};
    const int keepMine = 0;
    return context_.ask(question) == keepMine;
}
