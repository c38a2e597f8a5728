#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Screenshots are decoded with libjpeg directly rather than through Qt's image plugin, for two
// reasons: libjpeg can scale in the DCT domain, so a large screenshot is decoded at little more
// than the size it is shown at; and a truncated or corrupt file can be turned into a plain "no
// picture" without libjpeg's default error handling ending the process or printing warnings.
namespace JpegDecoder {

// The widest and tallest image accepted, and the most memory a decode may take. Anything a
// header claims beyond these is treated as damage, before a byte of pixels is allocated.
constexpr int MaxSide = 30000;
constexpr qint64 MaxDecodeBytes = qint64(512) * 1024 * 1024;

// The file at localPath (a path on this file system, already resolved), decoded at the smallest
// fast DCT scale whose result still covers the image fitted into boundingBox, so a final smooth
// scaledToFit() loses nothing. An invalid or empty boundingBox decodes at full size.
// A missing, truncated, corrupt or absurdly large file gives a null image.
QImage decode(const QString &localPath, const QSize &boundingBox = QSize());
QImage decodeBytes(const QByteArray &bytes, const QSize &boundingBox = QSize());

// As decode(), but a file damaged after its first rows (cut off in transfer, say) gives those
// rows, as tall as they reach, marked incomplete. Null when not one row decodes.
struct Picture {
    QImage image;
    bool complete = false;
};
Picture decodeAvailable(const QString &localPath, const QSize &boundingBox = QSize());

// The full size the header gives, read without decoding a pixel; invalid when the header is
// unreadable or claims an absurd size. A decode may still fail on damage further on.
QSize headerSize(const QString &localPath);

// The DCT scale, in eighths (1, 2, 4 or 8), that decode() uses for an image of imageSize.
int scaleEighths(const QSize &imageSize, const QSize &boundingBox);

// The size an image of imageSize is shown at in boundingBox: the aspect ratio kept, made smaller
// when it does not fit, never made larger (an enlarged screenshot only gets blurred).
QSize fittedSize(const QSize &imageSize, const QSize &boundingBox);

// The image smoothly scaled to fittedSize(); unchanged when it already fits.
QImage scaledToFit(const QImage &image, const QSize &boundingBox);

} // namespace JpegDecoder
