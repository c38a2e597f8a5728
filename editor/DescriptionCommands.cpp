#include "app/EditMQV.h"

#include "catalogue/CatalogueItem.h"
#include "catalogue/LocalPath.h"
#include "description/DescriptionFile.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// An empty folder field would put the description at the root of the file system.
QString descriptionPath(const QString &folder, const QString &nameWithSeparator)
{
    return folder.isEmpty() ? QString() : folder + nameWithSeparator;
}

} // namespace

void TMQVEdit::SaveDescription()
{
    saveDescriptionInto(FolderEdit->text());
}

// Saving is best effort: a folder that is gone or a full disk leaves the editor as it is.
void TMQVEdit::saveDescriptionInto(const QString &folder)
{
    if (folder.isEmpty() || !LocalPath::folderExists(folder))
        return;
    DescriptionFile::save(LocalPath::join(folder, DescriptionFileName), *Beskriv->document());
}

void TMQVEdit::loadDescription(const QString &storedPath)
{
    const std::optional<QString> localPath = storedPath.isEmpty() ? std::nullopt : LocalPath::findFile(storedPath);
    const FileStamp stamp = localPath ? FileStamp::of(*localPath) : FileStamp();
    // The editor already holds exactly that file, untouched since it was read.
    if (stamp.isValid() && stamp == shownDescription_ && !Beskriv->document()->isModified())
        return;
    shownDescription_ = FileStamp();
    if (stamp.isValid() && DescriptionFile::load(storedPath, *Beskriv->document()))
        shownDescription_ = stamp;
    else
        Beskriv->clear();
    Beskriv->document()->clearUndoRedoStacks();
    Beskriv->document()->setModified(false);
    Beskriv->moveCursor(QTextCursor::Start);
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
    ZStatusPanels[0]->setText(chosen.buttonStatus);
    loadDescription(descriptionPath(FolderEdit->text(), chosen.buttonLoadedName));
    LanguageButtons->actions().at(int(language))->setChecked(true);
}

void TMQVEdit::BrugDanskClick() { chooseLanguage(DescriptionLanguage::Dansk); }
void TMQVEdit::BrugNorskClick() { chooseLanguage(DescriptionLanguage::Norsk); }
void TMQVEdit::BrugSvenskClick() { chooseLanguage(DescriptionLanguage::Svensk); }
void TMQVEdit::BrugFinskClick() { chooseLanguage(DescriptionLanguage::Finsk); }

void TMQVEdit::SletRTFClick()
{
    const QString path = descriptionPath(FolderEdit->text(), QLatin1Char('\\') + DescriptionFileName);
    if (!path.isEmpty())
        DescriptionFile::moveToTrash(path);
    loadDescription(path);
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
