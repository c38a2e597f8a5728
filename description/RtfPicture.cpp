#include "description/RtfPicture.h"

#include "description/RtfProperties.h"
#include "description/Twips.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTextDocument>
#include <QUrl>

namespace {

// Metafiles measure in hundredths of a millimetre.
int metafileToTwips(int size)
{
    return int(qint64(size) * 1440 / 2540);
}

QImage imageResource(const QTextImageFormat &format, const QTextDocument &document)
{
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.canConvert<QImage>() && resource.typeId() == QMetaType::QImage)
        return resource.value<QImage>();
    if (resource.typeId() == QMetaType::QPixmap)
        return resource.value<QPixmap>().toImage();
    if (resource.typeId() == QMetaType::QByteArray)
        return QImage::fromData(resource.toByteArray());
    return {};
}

} // namespace

bool RtfPicture::typeTakesNumber(QByteArrayView word)
{
    return word == "wmetafile" || word == "dibitmap" || word == "wbitmap" || word == "pmmetafile";
}

QTextImageFormat RtfPicture::toImageFormat(QTextDocument &document) const
{
    const QString name = QStringLiteral("rtf-picture:%1-%2-%3")
                             .arg(QString::fromLatin1(type))
                             .arg(data.size())
                             .arg(qHash(data, 0x5254), 0, 16);
    // Twips of the shown size: the goal size when given, else the picture's own.
    const bool metafile = type != "pngblip" && type != "jpegblip";
    int twipsWide = goalWidth > 0 ? goalWidth : metafile ? metafileToTwips(width) : width * twipsPerUnit;
    int twipsHigh = goalHeight > 0 ? goalHeight : metafile ? metafileToTwips(height) : height * twipsPerUnit;
    twipsWide = int(qBound(qint64(1), qint64(twipsWide) * scaleX / 100, qint64(twipsLimit)));
    twipsHigh = int(qBound(qint64(1), qint64(twipsHigh) * scaleY / 100, qint64(twipsLimit)));
    if (type == "pngblip" || type == "jpegblip") {
        // Qt decodes the data when the picture is first drawn, not while a file is read.
        document.addResource(QTextDocument::ImageResource, QUrl(name), data);
    } else {
        // What Qt cannot draw shows as a frame of its size.
        QImage frame(qMax(1, int(twipsToUnits(twipsWide))), qMax(1, int(twipsToUnits(twipsHigh))),
                     QImage::Format_RGB32);
        frame.fill(Qt::lightGray);
        document.addResource(QTextDocument::ImageResource, QUrl(name), frame);
    }
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(twipsToUnits(twipsWide));
    format.setHeight(twipsToUnits(twipsHigh));
    format.setProperty(RtfProperty::PictureData, data);
    format.setProperty(RtfProperty::PictureType, type);
    format.setProperty(RtfProperty::PictureWidth, width);
    format.setProperty(RtfProperty::PictureHeight, height);
    format.setProperty(RtfProperty::PictureGoalWidth, goalWidth);
    format.setProperty(RtfProperty::PictureGoalHeight, goalHeight);
    format.setProperty(RtfProperty::PictureScaleX, scaleX);
    format.setProperty(RtfProperty::PictureScaleY, scaleY);
    return format;
}

RtfPicture RtfPicture::fromImageFormat(const QTextImageFormat &format, const QTextDocument &document)
{
    RtfPicture picture;
    if (format.hasProperty(RtfProperty::PictureData)) {
        picture.data = format.property(RtfProperty::PictureData).toByteArray();
        picture.type = format.property(RtfProperty::PictureType).toByteArray();
        picture.width = format.intProperty(RtfProperty::PictureWidth);
        picture.height = format.intProperty(RtfProperty::PictureHeight);
        picture.goalWidth = format.intProperty(RtfProperty::PictureGoalWidth);
        picture.goalHeight = format.intProperty(RtfProperty::PictureGoalHeight);
        picture.scaleX = format.intProperty(RtfProperty::PictureScaleX);
        picture.scaleY = format.intProperty(RtfProperty::PictureScaleY);
        return picture;
    }
    const QImage image = imageResource(format, document);
    if (image.isNull())
        return picture;
    QBuffer buffer(&picture.data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    picture.type = "pngblip";
    picture.width = image.width();
    picture.height = image.height();
    picture.goalWidth = unitsToTwips(format.width() > 0 ? format.width() : image.width());
    picture.goalHeight = unitsToTwips(format.height() > 0 ? format.height() : image.height());
    return picture;
}
