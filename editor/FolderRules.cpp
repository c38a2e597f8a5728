#include "editor/FolderRules.h"

#include "catalogue/CatalogueItem.h"
#include "catalogue/FolderOperations.h"
#include "catalogue/ProfileFile.h"
#include "catalogue/ProfileSnapshot.h"
#include "editor/EditorContext.h"
#include "editor/Question.h"
#include "files/CatalogueTree.h"
#include "files/LocalPath.h"

FolderRules::FolderRules(EditorContext &context)
    : context_(context)
{
}

bool FolderRules::namesFolder(const QString &text) { return !text.isEmpty() && LocalPath::folderExists(text); }

std::optional<int> FolderRules::otherItemInFolder(const QString &folder) const
{
    const std::shared_ptr<const ProfileSnapshot> catalogue = context_.catalogue().Snapshot();
    return catalogue ? FolderOperations::otherItemInFolder(*catalogue, context_.shownItem(), folder) : std::nullopt;
}

// Typing a new folder name passes through names such as "Programmer" or another item's folder.
// Taking one of those over would show that item's files as this one's, save this description into
// them, and make a later rename move them, so a folder that holds another item's files is never
// taken from the field; the item's own stored folder always is.
bool FolderRules::holdsAnotherItem(const QString &folder) const
{
    return folder != CatalogueItem(context_.catalogue(), context_.shownItem()).text(TextKey::Folder) &&
        otherItemInFolder(folder);
}

// A folder outside the catalogue's tree is never the item's: nothing is written there.
bool FolderRules::folderUsable(const QString &folder) const
{
    return namesFolder(folder) && !holdsAnotherItem(folder) &&
        CatalogueTree::mayRead(LocalPath::resolve(folder, LocalPath::Kind::Folder));
}

// Renaming a folder another item keeps its files in would take them from that item.
void FolderRules::refuseSharedFolderRename(const QString &folder, int sharer)
{
    const QString title = CatalogueItem(context_.catalogue(), sharer).text(TextKey::Titel);
    const QString item = title.isEmpty() ? QStringLiteral("punkt %1").arg(sharer)
                                         : QStringLiteral("punkt %1, \"%2\",").arg(QString::number(sharer), title);
    Question refusal;
    refusal.icon = QMessageBox::Warning;
    refusal.text = QStringLiteral("Mappen \"%1\" omdøbes ikke: %2 har sine filer i den.").arg(folder, item);
    refusal.buttons = {{QMessageBox::Ok, {}, QMessageBox::AcceptRole}};
    context_.ask(refusal);
}
