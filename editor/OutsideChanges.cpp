#include "app/EditMQV.h"

#include "app/WindowColours.h"

#include "catalogue/CatalogueItem.h"
#include "catalogue/CatalogueWatch.h"
#include "catalogue/ItemSearch.h"
#include "catalogue/OutsideChange.h"
#include "catalogue/ProfileSnapshot.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

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

// The catalogue is watched from the moment it is shown: what this editor saw then is what a
// later change is measured against.
void TMQVEdit::openCatalogueWatch()
{
    catalogueWatch_ = new CatalogueWatch(*CatalogueFile, this);
    connect(catalogueWatch_, &CatalogueWatch::changed, this, [this] {
        // A handler running now meets the change at its next write; a dialog of its own is open.
        if (guard_.running())
            return;
        QLineEdit *typing = nullptr;
        for (const FieldWiring &wiring : fieldWirings()) {
            if (wiring.field->hasFocus())
                typing = wiring.field;
        }
        if (takeInOutsideChanges(typing) && typing)
            runHandler(fieldWiring(typing).change);
    });
}

TMQVEdit::FieldWiring TMQVEdit::fieldWiring(const QLineEdit *field) const
{
    for (const FieldWiring &wiring : fieldWirings()) {
        if (wiring.field == field)
            return wiring;
    }
    return {};
}

// Checked before every action writes: a change made outside since the editor last looked is
// shown first. False when the action must not go on: the user took the other editor's value
// for the field being typed in, or the shown item is gone.
bool TMQVEdit::takeInOutsideChanges(QLineEdit *typing)
{
    if (!catalogueWatch_ || !catalogueWatch_->changedOutside())
        return true;
    bool goOn = true;
    guard_.run([&] { goOn = followOutsideChange(typing); });
    history_->refresh();
    return goOn;
}

bool TMQVEdit::takeInOutsideChangesFor(Handler handler)
{
    QLineEdit *typing = nullptr;
    for (const FieldWiring &wiring : fieldWirings()) {
        if (handler == wiring.change || (handler && handler == wiring.leave))
            typing = wiring.field;
    }
    // Only a field whose text is the user's own: a field set by the program runs no check.
    return takeInOutsideChanges(typing);
}

bool TMQVEdit::followOutsideChange(QLineEdit *typing)
{
    const ProfileText known(catalogueWatch_->known());
    const std::shared_ptr<const ProfileSnapshot> now = CatalogueFile->Snapshot();
    const ProfileText stored = now ? now->text() : ProfileText(QByteArray());
    catalogueWatch_->adopt();
    const OutsideChange change = OutsideChange::between(known, stored, CurrentItemNumber);
    if (!change.anything)
        return true;
    HighestItemNumber = Catalogue::highestItemNumber(*CatalogueFile);
    BuildCategoryMenus();

    if (change.itemDeleted) {
        QMessageBox box(QMessageBox::Information, ApplicationTitle,
                        QStringLiteral("Punkt %1 \u00BB%2\u00AB er slettet i en anden editor.")
                            .arg(CurrentItemNumber)
                            .arg(TitelLabel->text()),
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("SlettetUdefra"));
        box.exec();
        SaveDescription();
        const ItemSearch::Exists exists = Catalogue::itemExists(*CatalogueFile);
        ShowNumber(ItemSearch::previousStop(CurrentItemNumber, exists));
        return false;
    }

    bool goOn = true;
    if (typing) {
        const TextKey key = fieldWiring(typing).key;
        const QString theirs = CatalogueItem(*CatalogueFile, CurrentItemNumber).text(key);
        if (change.changed(key) && typing->text() != theirs)
            goOn = askWhichValueStays(key, theirs);
    }
    showStoredItem(goOn ? typing : nullptr, change.changed(TextKey::Folder));
    // Typing goes on at the end of the value taken over.
    if (typing && !goOn)
        typing->end(false);
    statusPanel(StatusPanel::Status)->setText(change.notice());
    return goOn;
}

bool TMQVEdit::askWhichValueStays(TextKey key, const QString &theirs)
{
    QMessageBox box(
        QMessageBox::Question, ApplicationTitle,
        QStringLiteral("%1 er \u00E6ndret i en anden editor: \u00BB%2\u00AB.").arg(fieldNameInQuestion(key), theirs),
        QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("AndenEditor"));
    QPushButton *mine = box.addButton(QStringLiteral("Behold din"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Brug den anden"), QMessageBox::RejectRole);
    box.setDefaultButton(mine);
    box.exec();
    return box.clickedButton() == mine;
}

// The item as stored now, in every control but the field the user keeps typing in. A new
// folder means other pictures and another description: the item is shown anew.
void TMQVEdit::showStoredItem(QLineEdit *keep, bool folderChanged)
{
    if (folderChanged && keep != FolderEdit) {
        SaveDescription();
        ShowItem();
        return;
    }
    const CatalogueItem item(*CatalogueFile, CurrentItemNumber);
    for (const FlagBox &flag : flagBoxes())
        flag.box->setChecked(item.flag(flag.key));
    UpdateCategoryColour();
    for (const FieldWiring &wiring : fieldWirings()) {
        if (wiring.field != keep)
            showText(wiring.field, item.text(wiring.key));
    }
    WindowColours::showTitle(TitelLabel, TitelEdit->text());
    for (QLineEdit *field : {SetupEdit, RunEdit, EkstraEdit})
        colourFileField(field);
    showItemCounter();
    showApplicationTitle();
}
