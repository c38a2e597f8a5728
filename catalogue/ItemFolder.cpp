#include "catalogue/ItemFolder.h"

#include "files/LocalPath.h"

namespace ItemFolder {

QString screenshotName() { return QStringLiteral("Shot.jpg"); }

QString iconName() { return QStringLiteral("Ikon.bmp"); }

} // namespace ItemFolder

namespace DanishEditionFolder {

QString filePath(const QString &folder, const QString &name)
{
    return QStringLiteral("..\\..\\Dansk\\") + LocalPath::join(folder, name);
}

} // namespace DanishEditionFolder

FileAvailability fileAvailability(const QString &folder, const QString &name)
{
    if (LocalPath::fileExists(LocalPath::join(folder, name)))
        return FileAvailability::InItemFolder;
    if (LocalPath::fileExists(DanishEditionFolder::filePath(folder, name)))
        return FileAvailability::InDanishEditionOnly;
    return FileAvailability::Missing;
}
