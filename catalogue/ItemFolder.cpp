#include "catalogue/ItemFolder.h"

#include "files/CatalogueTree.h"
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

namespace {

// A file the catalogue's trees do not hold, or that links out of them, is none of the disc's.
bool inTrees(const QString &storedPath)
{
    const std::optional<QString> file = LocalPath::findFile(storedPath);
    return file && CatalogueTree::mayRead(*file);
}

} // namespace

FileAvailability fileAvailability(const QString &folder, const QString &name)
{
    if (inTrees(LocalPath::join(folder, name)))
        return FileAvailability::InItemFolder;
    if (inTrees(DanishEditionFolder::filePath(folder, name)))
        return FileAvailability::InDanishEditionOnly;
    return FileAvailability::Missing;
}
