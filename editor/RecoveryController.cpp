#include "editor/RecoveryController.h"

#include "app/DescriptionEdit.h"
#include "app/HandlerGuard.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueItem.h"
#include "description/DescriptionFile.h"
#include "description/DescriptionSaveError.h"
#include "description/DescriptionSession.h"
#include "description/RtfWriter.h"
#include "editor/EditorContext.h"
#include "editor/HistoryController.h"
#include "editor/Question.h"
#include "files/CatalogueLockFile.h"
#include "files/EditorPresence.h"
#include "files/LocalPath.h"

#include <QTextDocument>

RecoveryController::RecoveryController(EditorContext &context, HistoryController &history,
                                       DescriptionSession &description, QObject *parent)
    : QObject(parent)
    , context_(context)
    , history_(history)
    , description_(description)
{
}

RecoveryController::~RecoveryController() = default;

void RecoveryController::open()
{
    const QString catalogue = Catalogue::localPath();
    presence_ = std::make_unique<EditorPresence>(catalogue);
    lockFile_ = std::make_unique<CatalogueLockFile>(catalogue);
    recovery_ = std::make_unique<DescriptionRecovery>(catalogue, [this] { return unsavedDescription(); });
    // Typed text is kept against a crash until it is saved or given up.
    QTextDocument *document = context_.descriptionEditor().document();
    connect(document, &QTextDocument::contentsChanged, this, [this, document] {
        if (document->isModified())
            recovery_->typed();
    });
    connect(document, &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (!modified)
            recovery_->drop();
    });
}

std::optional<DescriptionRecovery::Unsaved> RecoveryController::unsavedDescription() const
{
    DescriptionEdit &editor = context_.descriptionEditor();
    if (!editor.document()->isModified() || editor.isReadOnly())
        return std::nullopt;
    const DescriptionLanguageInfo &language = DescriptionLanguages::info(context_.shownLanguage());
    DescriptionRecovery::Unsaved unsaved;
    unsaved.item = context_.shownItem();
    unsaved.language = language.setting;
    unsaved.storedPath = LocalPath::join(description_.folder(), context_.descriptionFileName());
    unsaved.rtf = RtfWriter::write(*editor.document(), language.windowsLanguage);
    unsaved.shownDigest = DescriptionRecovery::shownDigest(unsaved.storedPath, description_.shownFile());
    return unsaved;
}

// A second editor on the catalogue is told so, and leaves what editors that ended without saving
// left behind to one that is alone on it, as the other editor may still be typing the text it kept.
void RecoveryController::checkAtStart()
{
    // A window closed as soon as it was drawn (a quit at once) has nothing left to ask about.
    if (!lockFile_)
        return;
    // A history that could not be read whole, or not at all, is told before anything is changed.
    history_.tellFailure();
    if (tellOfOtherEditor() || !context_.catalogueWritable())
        return;
    for (const DescriptionRecovery::LeftOver &leftOver : recovery_->leftOver())
        offerLeftOver(leftOver);
}

// True when another editor has the catalogue open, or had it when this one opened it.
bool RecoveryController::tellOfOtherEditor()
{
    Question told;
    told.icon = QMessageBox::Information;
    told.title = messageTitle();
    told.buttons = {{QMessageBox::Ok, QString(), QMessageBox::AcceptRole}};
    told.escapeButton = 0;
    if (presence_->othersHadItOpen()) {
        told.text = QStringLiteral("Kataloget er også åbent i en anden Z-CD editor.");
        told.informativeText = QStringLiteral("Begge gemmer ændringer i felterne med det samme. En beskrivelse, der "
                                              "er ændret på disken, overskrives ikke uden at spørge.");
        if (history_.keptByAnotherEditor())
            told.informativeText += QStringLiteral(" Den anden editor fører katalogets historik: ændringer, du laver "
                                                   "her, kan ikke fortrydes.");
        context_.ask(told);
        return true;
    }
    // Seen only through the mark beside the catalogue: an editor on another machine, or one whose
    // mark outlived it there.
    if (const std::optional<CatalogueLockFile::Holder> &other = lockFile_->other()) {
        told.text = QStringLiteral("Kataloget er åbent hos %1.").arg(other->description());
        told.informativeText = QStringLiteral("Begge gemmer ændringer i felterne med det samme, og den andens "
                                              "ændringer vises her, så snart de ses.");
        told.buttons.push_back(
            {QMessageBox::NoButton, QStringLiteral("Den anden editor er lukket"), QMessageBox::ActionRole});
        told.escapeButton.reset();
        if (context_.ask(told) == 1)
            lockFile_->takeOver();
        return true;
    }
    return false;
}

void RecoveryController::offerLeftOver(const DescriptionRecovery::LeftOver &leftOver)
{
    // Captioned with the item asked about, not the one the window happens to show.
    const QString title = CatalogueItem(context_.catalogue(), leftOver.unsaved.item).text(TextKey::Titel);
    Question restore;
    restore.title = QStringLiteral("R-Irad: ") + title;
    restore.text = QStringLiteral("Gendan den ikke gemte beskrivelse af punkt %1 (%2)?")
                       .arg(leftOver.unsaved.item)
                       .arg(leftOver.unsaved.language);
    restore.buttons = {{QMessageBox::Yes, QString(), QMessageBox::YesRole},
                       {QMessageBox::No, QString(), QMessageBox::NoRole}};
    restore.escapeButton = 1;
    if (context_.ask(restore) != 0) {
        DescriptionRecovery::drop(leftOver);
        return;
    }
    CatalogueHistory::Action step;
    step.name = QStringLiteral("Gendan beskrivelse");
    step.item = leftOver.unsaved.item;
    step.title = title;
    context_.runUnrecorded(
        [this, &step, &leftOver] { history_.record(step, [this, &leftOver] { restoreDescription(leftOver); }); });
}

// The text kept is written where it was typed for, as long as that file holds what it held when
// the text was shown; a text that could not be written is offered again at the next start.
void RecoveryController::restoreDescription(const DescriptionRecovery::LeftOver &leftOver)
{
    const DescriptionRecovery::Unsaved &unsaved = leftOver.unsaved;
    const std::optional<QString> target = description_.target(unsaved.storedPath,
                                                              !DescriptionRecovery::fileAsShown(unsaved));
    if (target && !DescriptionFile::write(*target, unsaved.rtf))
        throw DescriptionSaveError(*target);
    DescriptionRecovery::drop(leftOver);
    context_.showStoredItem();
}

// Someone changed the file since its text was shown (another editor on the catalogue, a tool):
// the user chooses whose text the file keeps, and may keep both.
std::optional<QString> RecoveryController::askForDescriptionTarget(const QString &storedPath)
{
    const QString copy = DescriptionFile::copyPath(storedPath);
    Question where;
    where.icon = QMessageBox::Warning;
    where.title = messageTitle();
    where.text = QStringLiteral("Beskrivelsen er ændret på disken, siden den blev vist.");
    where.informativeText = QStringLiteral("Overskriv %1 med den nye tekst, behold filen, som den er på disken, "
                                           "eller gem den nye tekst som %2.")
                                .arg(storedPath, copy);
    where.buttons = {{QMessageBox::NoButton, QStringLiteral("Overskriv"), QMessageBox::AcceptRole},
                     {QMessageBox::NoButton, QStringLiteral("Behold den på disken"), QMessageBox::DestructiveRole},
                     {QMessageBox::NoButton, QStringLiteral("Gem som ny fil"), QMessageBox::ActionRole}};
    // The one choice that loses neither text; there is no way out without choosing.
    where.defaultButton = 2;
    switch (context_.ask(where)) {
    case 0: return storedPath;
    case 1: return std::nullopt;
    default: return copy;
    }
}

// Asked once per attempt to close, never again and again.
bool RecoveryController::closeWithoutSaving(const QString &failure)
{
    Question close;
    close.icon = QMessageBox::Warning;
    close.title = messageTitle();
    close.text = QStringLiteral("Luk uden at gemme beskrivelsen?");
    close.informativeText = HandlerGuard::sentence(failure);
    close.buttons = {{QMessageBox::Yes, QString(), QMessageBox::YesRole},
                     {QMessageBox::No, QString(), QMessageBox::NoRole}};
    close.defaultButton = 1;
    close.escapeButton = 1;
    if (context_.ask(close) != 0)
        return false;
    recovery_->drop();
    return true;
}

void RecoveryController::saveBeforeEnding()
{
    bool saved = false;
    context_.runAction(QString(), [this, &saved] {
        try {
            context_.saveDescription();
            saved = true;
        } catch (const DescriptionSaveError &) {
        }
    });
    if (!saved && recovery_)
        recovery_->keep();
}

void RecoveryController::closed() { lockFile_.reset(); }

QString RecoveryController::messageTitle() const { return QStringLiteral("R-Irad: ") + context_.shownTitle(); }
