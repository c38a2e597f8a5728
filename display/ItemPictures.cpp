#include "display/ItemPictures.h"

#include "catalogue/ItemFolder.h"
#include "files/CatalogueTree.h"
#include "files/LocalPath.h"

#include <QImageReader>

namespace {

// A picture outside the catalogue's tree is none of the item's: it is neither shown nor embedded
// in a proof sheet that others read.
std::optional<QString> pictureFile(const QString &folder, const QString &name)
{
    const std::optional<QString> file = LocalPath::findFile(LocalPath::join(folder, name));
    if (file && !CatalogueTree::mayRead(*file))
        return std::nullopt;
    return file;
}

} // namespace

namespace ItemPictures {

std::optional<QString> screenshotFile(const QString &folder)
{
    return pictureFile(folder, ItemFolder::screenshotName());
}

std::optional<QString> iconFile(const QString &folder) { return pictureFile(folder, ItemFolder::iconName()); }

QImage readIcon(const QString &localPath, QString *error)
{
    QImageReader reader(localPath, "bmp");
    const QImage icon = reader.read();
    if (icon.isNull() && error)
        *error = reader.errorString();
    return icon;
}

} // namespace ItemPictures
