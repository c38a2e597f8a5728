#include "app/EditMQV.h"

#include "app/DescriptionEdit.h"
#include "catalogue/CatalogueItem.h"
#include "editor/StatusNotices.h"
#include "files/CatalogueTree.h"
#include "files/LocalPath.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextEdit>

namespace {

// The description file as the disk spells it, which may differ in letter case from the name the
// language would give a new file; a file not there yet is said to be missing.
QString shownFileName(const DescriptionSession &description, const QString &fileName)
{
    const QString shownPath = description.shownPath(fileName);
    if (shownPath.isEmpty())
        return QStringLiteral("Filnavn");
    const std::optional<QString> localPath = LocalPath::findFile(shownPath);
    if (!localPath)
        return shownPath + QStringLiteral(": ingen fil");
    return LocalPath::join(description.folder(), QFileInfo(*localPath).fileName());
}

} // namespace

// A failed save ends the action that wanted to leave the description, so the text stays in the
// editor.
void TMQVEdit::SaveDescription() { description_->save(DescriptionFileName, CurrentLanguage); }

// Nor can anything be typed where it could not be kept: an item without a folder has no place
// for its description until the folder is made. A read-only catalogue leaves the description
// files as they are: a translator may be allowed to write only those. A failed write locks the
// item's description with its fields, as the disk that refused the catalogue will refuse it too.
void TMQVEdit::showDescriptionAccess()
{
    statusPanel(StatusPanel::Filnavn)->setText(shownFileName(*description_, DescriptionFileName));
    const bool locked = catalogueLock_->lockedAfterFailedWrite();
    Beskriv->setReadOnly(!description_->isEditable() || locked);
    // A file that cannot be read can still go to the trash; one in a read-only folder cannot.
    SletRTF->setEnabled(!locked && !description_->folder().isEmpty() &&
                        description_->access() != DescriptionSession::Access::Unwritable);
    showStatus();
}

// What keeps the user from changing what the window shows. A description that cannot be read
// belongs to this item alone, so it is named first, and the catalogue's lock shows again on the
// next; a description file that cannot be written (the file or its folder read-only) comes after
// the catalogue's lock, which explains it on a read-only disc; an item without a folder has
// nowhere to keep a description.
void TMQVEdit::showStatus()
{
    const DescriptionSession::Access access = description_->access();
    QString state;
    if (access == DescriptionSession::Access::Unreadable)
        state = QStringLiteral("Kan ikke læses");
    else if (access == DescriptionSession::Access::Outside)
        state = CatalogueTree::reason(CatalogueTree::Place::Outside);
    else if (access == DescriptionSession::Access::Linked)
        state = CatalogueTree::reason(CatalogueTree::Place::Link);
    else if (catalogueLock_->lockedAfterFailedWrite())
        state = QStringLiteral("Kan ikke gemmes: klik i et felt for at prøve igen");
    else if (!catalogueLock_->writable())
        state = QStringLiteral("Skrivebeskyttet");
    else if (access == DescriptionSession::Access::Unwritable)
        state = QStringLiteral("Kan ikke gemmes");
    else if (description_->folder().isEmpty())
        state = QStringLiteral("Ingen mappe");
    statusNotices_->showAccess(state);
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
    statusPanel(StatusPanel::Sprog)->setText(chosen.buttonStatus);
    if (!description_->load(FolderEdit->text(), chosen.buttonLoadedName, DescriptionFileName))
        showDescriptionAccess();
    LanguageButtons->actions().at(int(language))->setChecked(true);
}

void TMQVEdit::BrugDanskClick() { chooseLanguage(DescriptionLanguage::Dansk); }
void TMQVEdit::BrugNorskClick() { chooseLanguage(DescriptionLanguage::Norsk); }
void TMQVEdit::BrugSvenskClick() { chooseLanguage(DescriptionLanguage::Svensk); }
void TMQVEdit::BrugFinskClick() { chooseLanguage(DescriptionLanguage::Finsk); }

void TMQVEdit::SletRTFClick() { description_->trash(DescriptionFileName, QDir::currentPath()); }

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
