#include "display/PictureConversion.h"

#include <QBuffer>
#include <QImage>

namespace PictureConversion {

namespace {

std::optional<QByteArray> encoded(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, quality))
        return std::nullopt;
    return bytes;
}

// A bitmap and a JPEG have no transparency: what is transparent shows white, as on the disc's menu.
QImage onWhite(const QImage &image)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int alpha = qAlpha(pixel);
            const auto blend = [alpha](int colour) { return (colour * alpha + 255 * (255 - alpha)) / 255; };
            flat.setPixel(x, y, qRgb(blend(qRed(pixel)), blend(qGreen(pixel)), blend(qBlue(pixel))));
        }
    }
    return flat;
}

QImage decoded(const QByteArray &bytes)
{
    QImage image = QImage::fromData(bytes);
    return image.isNull() ? image : onWhite(image.convertToFormat(QImage::Format_ARGB32));
}

} // namespace

std::optional<QByteArray> screenshot(const QByteArray &bytes)
{
    const QImage image = decoded(bytes);
    if (image.isNull())
        return std::nullopt;
    return encoded(image, "JPG", 90);
}

std::optional<QByteArray> icon(const QByteArray &bytes)
{
    const QImage image = decoded(bytes);
    if (image.isNull())
        return std::nullopt;
    return encoded(image.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), "BMP");
}

} // namespace PictureConversion
