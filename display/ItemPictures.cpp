#include "display/ItemPictures.h"

#include "catalogue/ItemFolder.h"
#include "files/LocalPath.h"

#include <QImageReader>

namespace ItemPictures {

std::optional<QString> screenshotFile(const QString &folder)
{
    return LocalPath::findFile(LocalPath::join(folder, ItemFolder::screenshotName()));
}

std::optional<QString> iconFile(const QString &folder)
{
    return LocalPath::findFile(LocalPath::join(folder, ItemFolder::iconName()));
}

QImage readIcon(const QString &localPath, QString *error)
{
    QImageReader reader(localPath, "bmp");
    const QImage icon = reader.read();
    if (icon.isNull() && error)
        *error = reader.errorString();
    return icon;
}

} // namespace ItemPictures
