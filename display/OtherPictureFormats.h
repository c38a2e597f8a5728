#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// A screenshot saved as PNG or BMP under the name Shot.jpg (a tool that keeps the name it was
// given, whatever it writes). The window shows it when it decodes; it is no JPEG all the same.
namespace OtherPictureFormats {

struct Picture {
    QImage image; // fitted into the bounding box; null when the file is no readable PNG or BMP
    QByteArray format; // "png" or "bmp"
};

// Reads the file by its content, never by its name, and only as PNG or BMP; a size beyond what a
// JPEG may declare is refused before any pixel is allocated.
Picture decode(const QString &localPath, const QSize &boundingBox);

} // namespace OtherPictureFormats
