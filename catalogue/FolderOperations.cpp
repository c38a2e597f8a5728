#include "catalogue/FolderOperations.h"

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
    FileChanges::aboutToRenameFolder(from, target);
    return QDir().rename(from, target);
}

} // namespace FolderOperations
