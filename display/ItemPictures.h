#pragma once

#include <QImage>
#include <QString>

#include <optional>

// The screenshot and the icon of an item folder, as the window and the whole-disc check find
// and read them: matched without regard to letter case.
namespace ItemPictures {

// Local paths of existing files; nothing when the folder holds none, or one outside the
// catalogue's tree.
std::optional<QString> screenshotFile(const QString &folder);
std::optional<QString> iconFile(const QString &folder);

// The icon's bitmap; a null image, with the reason in error, when it cannot be read.
QImage readIcon(const QString &localPath, QString *error = nullptr);

} // namespace ItemPictures
