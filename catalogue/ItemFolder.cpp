#include "catalogue/ItemFolder.h"

#include "catalogue/LocalPath.h"

namespace ItemFolder {

QString screenshotName()
{
    return QStringLiteral("Shot.jpg");
}

QString iconName()
{
    return QStringLiteral("Ikon.bmp");
}

QString filePath(const QString &folder, const QString &name)
{
    return LocalPath::join(folder, name);
}

} // namespace ItemFolder

namespace DanishEditionFolder {

QString filePath(const QString &folder, const QString &name)
{
    return QStringLiteral("..\\..\\Dansk\\") + ItemFolder::filePath(folder, name);
}

} // namespace DanishEditionFolder

FileAvailability fileAvailability(const QString &folder, const QString &name)
{
    if (LocalPath::fileExists(ItemFolder::filePath(folder, name)))
        return FileAvailability::InItemFolder;
    if (LocalPath::fileExists(DanishEditionFolder::filePath(folder, name)))
        return FileAvailability::InDanishEditionOnly;
    return FileAvailability::Missing;
}
