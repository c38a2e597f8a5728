#include "catalogue/FolderOperations.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueKeys.h"
#include "catalogue/ProfileReader.h"
#include "files/CatalogueTree.h"
#include "files/FileChangeRecorder.h"
#include "files/LocalPath.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

QStringList components(const QString &storedName)
{
    QString normalized = storedName;
    normalized.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return normalized.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

// The folder's one path on this disk, whatever spelling, letter case or links name it; empty
// when there is no such folder.
QString folderIdentity(const QString &storedName)
{
    if (storedName.isEmpty() || !LocalPath::folderExists(storedName))
        return QString();
    return QFileInfo(LocalPath::resolve(storedName, LocalPath::Kind::Folder)).canonicalFilePath();
}

} // namespace

namespace FolderOperations {

bool isAllowedName(const QString &storedName)
{
    const QStringList parts = components(storedName);
    if (parts.isEmpty())
        return false;
    for (const QString &component : parts) {
        if (component == QLatin1String(".") || component == QLatin1String(".."))
            continue;
        if (component.endsWith(QLatin1Char(' ')) || component.endsWith(QLatin1Char('.')))
            return false;
        for (QChar c : component) {
            if (c.unicode() < 0x20 || QStringLiteral("<>:\"|?*").contains(c))
                return false;
        }
    }
    return true;
}

bool createFolder(const QString &storedName)
{
    if (!isAllowedName(storedName) || QFileInfo::exists(LocalPath::resolve(storedName)))
        return false;
    const QString folder = QFileInfo(LocalPath::resolve(storedName)).absoluteFilePath();
    if (!CatalogueTree::mayWrite(folder))
        return false;
    FileChanges::aboutToCreateFolder(folder);
    return QDir().mkdir(folder);
}

bool renameFolder(const QString &oldName, const QString &newName)
{
    if (oldName.isEmpty() || !isAllowedName(newName) || !LocalPath::folderExists(oldName))
        return false;
    const QString from = QFileInfo(LocalPath::resolve(oldName, LocalPath::Kind::Folder)).absoluteFilePath();
    const QFileInfo existing(LocalPath::resolve(newName));
    // A new name that differs only in letter case resolves to the old folder itself: that is a
    // rename to the letters typed, not a clash.
    if (existing.exists() && existing.absoluteFilePath() != from)
        return false;
    const QString target = existing.absolutePath() + QLatin1Char('/') + components(newName).constLast();
    // A linked folder is renamed as little as one outside the tree: either would move what is not
    // the catalogue's, or move the catalogue's files out of its tree.
    if (!CatalogueTree::mayWrite(from) || !CatalogueTree::mayWrite(target))
        return false;
    FileChanges::aboutToRenameFolder(from, target);
    return QDir().rename(from, target);
}

std::optional<int> otherItemInFolder(const ProfileReader &catalogue, int item, const QString &storedName)
{
    const QString folder = folderIdentity(storedName);
    if (folder.isEmpty())
        return std::nullopt;
    const QString inside = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    const QString folderKey = CatalogueKeys::name(TextKey::Folder);
    for (int n = Catalogue::FirstItemNumber; n <= Catalogue::LastItemNumber; ++n) {
        if (n == item)
            continue;
        const QString other = folderIdentity(catalogue.ReadString(Catalogue::SectionName(n), folderKey, QString()));
        if (!other.isEmpty() && (other == folder || other.startsWith(inside)))
            return n;
    }
    return std::nullopt;
}

} // namespace FolderOperations
