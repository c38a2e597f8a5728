#include "display/OtherPictureFormats.h"

#include "display/JpegDecoder.h"

#include <QImageReader>

namespace OtherPictureFormats {

Picture decode(const QString &localPath, const QSize &boundingBox)
{
    QImageReader reader(localPath);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "png" && format != "bmp")
        return {};
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > JpegDecoder::MaxSide || size.height() > JpegDecoder::MaxSide)
        return {};
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return {JpegDecoder::scaledToFit(image, boundingBox), format};
}

} // namespace OtherPictureFormats
