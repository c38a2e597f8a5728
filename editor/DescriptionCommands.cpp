#include "app/EditMQV.h"

#include "app/DescriptionEdit.h"
#include "catalogue/CatalogueItem.h"
#include "files/AtomicFile.h"
#include "files/Diagnostics.h"
#include "files/HomeTrash.h"
#include "files/LocalPath.h"
#include "description/DescriptionFile.h"
#include "description/DescriptionSaveError.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextEdit>

// Only what the user changed is written: an untouched description is never rewritten, no file
// appears for an item or language nobody wrote in, and a file that could not be read is never
// replaced. The description goes back to the folder it was read from, unless its file changed on
// disk since it was shown and the user has it kept beside that. A failed save ends the action
// that wanted to leave the description, so the text stays in the editor.
void TMQVEdit::SaveDescription()
{
    if (!Beskriv->document()->isModified() || descriptionAccess_ == DescriptionAccess::Unreadable)
        return;
    if (descriptionFolder_.isEmpty()) {
        qCInfo(zcdDiagnostics) << "description of item" << CurrentItemNumber << "not saved: the item has no folder";
        return;
    }
    const QString path = LocalPath::join(descriptionFolder_, DescriptionFileName);
    const std::optional<QString> target = descriptionTarget(path, descriptionChangedOnDisk(path));
    if (target && !DescriptionFile::save(*target, *Beskriv->document(), CurrentLanguage)) {
        qCInfo(zcdDiagnostics) << "could not save the description" << *target;
        throw DescriptionSaveError(*target);
    }
    Beskriv->document()->setModified(false);
    // From now on the file as saved is the one the editor shows; where the text went elsewhere, or
    // nowhere, the editor shows what the file holds.
    if (target == path)
        shownDescription_ = FileStamp::of(LocalPath::findFile(path).value_or(QString()));
    else
        loadDescription(descriptionFolder_, DescriptionFileName);
}

void TMQVEdit::loadDescription(const QString &folder, const QString &fileName)
{
    const bool hasFolder = !folder.isEmpty() && LocalPath::folderExists(folder);
    const QString storedPath = hasFolder && !fileName.isEmpty() ? LocalPath::join(folder, fileName) : QString();
    const std::optional<QString> localPath = storedPath.isEmpty() ? std::nullopt : LocalPath::findFile(storedPath);
    const FileStamp stamp = localPath ? FileStamp::of(*localPath) : FileStamp();
    // The editor already holds exactly that file, untouched since it was read.
    if (stamp.isValid() && stamp == shownDescription_ && !Beskriv->document()->isModified())
        return;
    shownDescription_ = FileStamp();
    descriptionFolder_ = hasFolder ? folder : QString();
    const DescriptionFile::Reading reading =
        stamp.isValid() ? Beskriv->replaceDocument([&](QTextDocument &document) { return DescriptionFile::load(storedPath, document); })
                        : DescriptionFile::Reading::Missing;
    if (reading == DescriptionFile::Reading::Read)
        shownDescription_ = stamp;
    else
        Beskriv->clearDescription();
    // A file that is there but cannot be read is the user's all the same: it is shown empty, and
    // nothing may be written over it. One that cannot be written is shown as it is, as on a disc.
    if (reading == DescriptionFile::Reading::Unreadable) {
        descriptionAccess_ = DescriptionAccess::Unreadable;
        qCInfo(zcdDiagnostics) << "could not read the description" << storedPath;
    } else if (hasFolder
               && !AtomicFile::canReplace(localPath ? *localPath
                                                    : LocalPath::forWriting(LocalPath::join(folder, DescriptionFileName)))) {
        descriptionAccess_ = DescriptionAccess::Unwritable;
    } else {
        descriptionAccess_ = DescriptionAccess::Editable;
    }
    Beskriv->document()->clearUndoRedoStacks();
    Beskriv->document()->setModified(false);
    showDescriptionFileName();
    refreshDescriptionAccess();
}

// Nor can anything be typed where it could not be kept: an item without a folder has no place
// for its description until the folder is made, and a read-only catalogue locks its descriptions
// with its fields.
void TMQVEdit::refreshDescriptionAccess()
{
    Beskriv->setReadOnly(descriptionAccess_ != DescriptionAccess::Editable || descriptionFolder_.isEmpty()
                         || !catalogueWritable());
    showStatus();
}

void TMQVEdit::showDescriptionFileName()
{
    statusPanel(StatusPanel::Filnavn)->setText(descriptionFolder_.isEmpty() ? QStringLiteral("Filnavn")
                                                           : LocalPath::join(descriptionFolder_, DescriptionFileName));
}

void TMQVEdit::chooseLanguage(DescriptionLanguage language)
{
    // What was written in the language being left is kept; choosing the current language again
    // is how the user goes back to what is on disk.
    if (language != CurrentLanguage)
        SaveDescription();
    const DescriptionLanguageInfo &chosen = DescriptionLanguages::info(language);
    CurrentLanguage = language;
    DescriptionFileName = chosen.buttonFileName;
    showDescriptionFileName();
    statusPanel(StatusPanel::Sprog)->setText(chosen.buttonStatus);
    loadDescription(FolderEdit->text(), chosen.buttonLoadedName);
    LanguageButtons->actions().at(int(language))->setChecked(true);
}

void TMQVEdit::BrugDanskClick() { chooseLanguage(DescriptionLanguage::Dansk); }
void TMQVEdit::BrugNorskClick() { chooseLanguage(DescriptionLanguage::Norsk); }
void TMQVEdit::BrugSvenskClick() { chooseLanguage(DescriptionLanguage::Svensk); }
void TMQVEdit::BrugFinskClick() { chooseLanguage(DescriptionLanguage::Finsk); }

// Nothing is deleted that the trash cannot take back, and nothing of the trash is ever left in the
// catalogue's folder tree, which goes onto the disc.
void TMQVEdit::SletRTFClick()
{
    const QString path = LocalPath::join(descriptionFolder_, DescriptionFileName);
    const std::optional<QString> localPath = descriptionFolder_.isEmpty() ? std::nullopt : LocalPath::findFile(path);
    if (localPath && !HomeTrash::moveFile(*localPath, QDir::currentPath()))
        throw std::runtime_error(
            QStringLiteral("Kan ikke l\u00E6gge %1 i papirkurven. Filen er ikke slettet.").arg(path).toStdString());
    loadDescription(descriptionFolder_, DescriptionFileName);
}

void TMQVEdit::PasteClick()
{
    // A single-line field takes the clipboard's text up to the first line break.
    QString pasted = QGuiApplication::clipboard()->text();
    const qsizetype lineBreak = pasted.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (lineBreak >= 0)
        pasted.truncate(lineBreak);
    KortTekst->clear();
    KortTekst->insert(pasted);
    CatalogueItem(*CatalogueFile, CurrentItemNumber).setText(TextKey::Global, KortTekst->text());
    SaveDescription();
}
