#include "app/EditMQV.h"

#include "app/DescriptionEdit.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueItem.h"
#include "description/DescriptionFile.h"
#include "description/DescriptionSaveError.h"
#include "description/RtfWriter.h"
#include "files/CatalogueLockFile.h"
#include "files/EditorPresence.h"
#include "files/LocalPath.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>

void TMQVEdit::openRecovery()
{
    const QString catalogue = Catalogue::localPath();
    presence_ = std::make_unique<EditorPresence>(catalogue);
    lockFile_ = std::make_unique<CatalogueLockFile>(catalogue);
    recovery_ = std::make_unique<DescriptionRecovery>(catalogue, [this] { return unsavedDescription(); });
}

std::optional<DescriptionRecovery::Unsaved> TMQVEdit::unsavedDescription() const
{
    if (!Beskriv->document()->isModified() || Beskriv->isReadOnly())
        return std::nullopt;
    DescriptionRecovery::Unsaved unsaved;
    unsaved.item = CurrentItemNumber;
    unsaved.language = DescriptionLanguages::info(CurrentLanguage).setting;
    unsaved.storedPath = LocalPath::join(description_->folder(), DescriptionFileName);
    unsaved.rtf = RtfWriter::write(*Beskriv->document(), DescriptionLanguages::info(CurrentLanguage).windowsLanguage);
    unsaved.shownDigest = DescriptionRecovery::shownDigest(unsaved.storedPath, description_->shownFile());
    return unsaved;
}

// Once the window is on the screen: a second editor on the catalogue is told so, and leaves what
// editors that ended without saving left behind to one that is alone on it, as the other editor
// may still be typing the text it kept.
void TMQVEdit::checkAtStart()
{
    // A history that could not be read whole, or not at all, is told before anything is changed.
    if (const QString failure = history_->takeFailure(); !failure.isEmpty())
        reportError(failure);
    if (presence_->othersHadItOpen()) {
        QMessageBox box(QMessageBox::Information, ApplicationTitle,
                        QStringLiteral("Kataloget er ogs\u00E5 \u00E5bent i en anden Z-CD editor."), QMessageBox::Ok,
                        this);
        QString consequences = QStringLiteral(
            "Begge gemmer \u00E6ndringer i felterne med det samme. En beskrivelse, der er "
            "\u00E6ndret p\u00E5 disken, overskrives ikke uden at sp\u00F8rge.");
        if (history_->keptByAnotherEditor())
            consequences += QStringLiteral(
                " Den anden editor f\u00F8rer katalogets historik: \u00E6ndringer, du laver her, "
                "kan ikke fortrydes.");
        box.setInformativeText(consequences);
        box.exec();
        return;
    }
    // Seen only through the mark beside the catalogue: an editor on another machine, or one whose
    // mark outlived it there.
    if (const std::optional<CatalogueLockFile::Holder> &other = lockFile_->other()) {
        QMessageBox box(QMessageBox::Information, ApplicationTitle,
                        QStringLiteral("Kataloget er \u00E5bent hos %1.").arg(other->description()), QMessageBox::Ok,
                        this);
        box.setObjectName(QStringLiteral("AabentAndetSted"));
        box.setInformativeText(
            QStringLiteral("Begge gemmer \u00E6ndringer i felterne med det samme, og den andens \u00E6ndringer vises "
                           "her, s\u00E5 snart de ses."));
        QPushButton *closed = box.addButton(QStringLiteral("Den anden editor er lukket"), QMessageBox::ActionRole);
        box.exec();
        if (box.clickedButton() == closed)
            lockFile_->takeOver();
        return;
    }
    if (!catalogueLock_->writable())
        return;
    for (const DescriptionRecovery::LeftOver &leftOver : recovery_->leftOver()) {
        const QString question = QStringLiteral("Gendan den ikke gemte beskrivelse af punkt %1 (%2)?")
                                     .arg(leftOver.unsaved.item)
                                     .arg(leftOver.unsaved.language);
        // Captioned with the item asked about, not the one the window happens to show.
        const QString title = CatalogueItem(*CatalogueFile, leftOver.unsaved.item).text(TextKey::Titel);
        if (QMessageBox::question(this, QStringLiteral("R-Irad: ") + title, question) != QMessageBox::Yes) {
            DescriptionRecovery::drop(leftOver);
            continue;
        }
        CatalogueHistory::Action action;
        action.name = QStringLiteral("Gendan beskrivelse");
        action.item = leftOver.unsaved.item;
        action.title = title;
        runGuarded([this, &leftOver] { restoreDescription(leftOver); }, action);
    }
}

// The text kept is written where it was typed for, as long as that file holds what it held when
// the text was shown; a text that could not be written is offered again at the next start.
void TMQVEdit::restoreDescription(const DescriptionRecovery::LeftOver &leftOver)
{
    const DescriptionRecovery::Unsaved &unsaved = leftOver.unsaved;
    const std::optional<QString> target = description_->target(unsaved.storedPath,
                                                               !DescriptionRecovery::fileAsShown(unsaved));
    if (target && !DescriptionFile::write(*target, unsaved.rtf))
        throw DescriptionSaveError(*target);
    DescriptionRecovery::drop(leftOver);
    ShowItem();
}

// Someone changed the file since its text was shown (another editor on the catalogue, a tool):
// the user chooses whose text the file keeps, and may keep both. Nothing, when the disk's stays
// and ours is given up.
std::optional<QString> TMQVEdit::askForDescriptionTarget(const QString &storedPath)
{
    const QString copy = DescriptionFile::copyPath(storedPath);
    QMessageBox box(QMessageBox::Warning, ApplicationTitle,
                    QStringLiteral("Beskrivelsen er \u00E6ndret p\u00E5 disken, siden den blev vist."),
                    QMessageBox::NoButton, this);
    box.setInformativeText(QStringLiteral("Overskriv %1 med den nye tekst, behold filen, som den er p\u00E5 disken, "
                                          "eller gem den nye tekst som %2.")
                               .arg(storedPath, copy));
    QPushButton *overwrite = box.addButton(QStringLiteral("Overskriv"), QMessageBox::AcceptRole);
    QPushButton *keep = box.addButton(QStringLiteral("Behold den p\u00E5 disken"), QMessageBox::DestructiveRole);
    // The one choice that loses neither text; there is no way out without choosing.
    QPushButton *saveAsNew = box.addButton(QStringLiteral("Gem som ny fil"), QMessageBox::ActionRole);
    box.setDefaultButton(saveAsNew);
    box.exec();
    if (box.clickedButton() == overwrite)
        return storedPath;
    if (box.clickedButton() == keep)
        return std::nullopt;
    return copy;
}

// A description that cannot be saved keeps the window open only as long as the user wants the
// text: asked once per attempt to close, never again and again.
bool TMQVEdit::closeWithoutSaving(const QString &failure)
{
    QMessageBox box(QMessageBox::Warning, ApplicationTitle, QStringLiteral("Luk uden at gemme beskrivelsen?"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setInformativeText(HandlerGuard::sentence(failure));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return false;
    recovery_->drop();
    return true;
}

void TMQVEdit::saveBeforeEnding()
{
    bool saved = false;
    runGuarded([this, &saved] {
        try {
            SaveDescription();
            saved = true;
        } catch (const DescriptionSaveError &) {
        }
    });
    if (!saved && recovery_)
        recovery_->keep();
}
