#pragma once

#include <QByteArray>

#include <optional>

// Pictures fetched from elsewhere (PNG, GIF, JPEG) turned into the files an item folder keeps.
namespace PictureConversion {

// The screenshot as the item keeps it, Shot.jpg: a JPEG. Nothing when the bytes are no picture.
std::optional<QByteArray> screenshot(const QByteArray &bytes);
// The icon as the item shows it, Ikon.bmp: a Windows bitmap of 32 × 32, transparency laid on white.
std::optional<QByteArray> icon(const QByteArray &bytes);

} // namespace PictureConversion
