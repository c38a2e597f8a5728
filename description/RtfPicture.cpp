#include "description/RtfPicture.h"

#include "description/RtfGroupReader.h"
#include "description/RtfProperties.h"
#include "description/RtfWords.h"
#include "description/Twips.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTextDocument>
#include <QUrl>

#include <array>

namespace {

// Metafiles measure in hundredths of a millimetre.
int metafileToTwips(int size) { return int(qint64(size) * 1440 / 2540); }

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

// The sizes a picture keeps as properties, so that it is written back as it was read.
constexpr std::pair<int, int RtfPicture::*> sizeProperties[] = {
    {RtfProperty::PictureWidth, &RtfPicture::width},         {RtfProperty::PictureHeight, &RtfPicture::height},
    {RtfProperty::PictureGoalWidth, &RtfPicture::goalWidth}, {RtfProperty::PictureGoalHeight, &RtfPicture::goalHeight},
    {RtfProperty::PictureScaleX, &RtfPicture::scaleX},       {RtfProperty::PictureScaleY, &RtfPicture::scaleY},
    {RtfProperty::PictureCropLeft, &RtfPicture::cropLeft},   {RtfProperty::PictureCropRight, &RtfPicture::cropRight},
    {RtfProperty::PictureCropTop, &RtfPicture::cropTop},     {RtfProperty::PictureCropBottom, &RtfPicture::cropBottom},
};

// The words of the sizes, with the values a picture may have: a scale is a percentage, and a
// crop may be negative, which widens the picture's frame.
struct SizeWord {
    const char *word;
    int RtfPicture::*size;
    int minimum;
    int maximum;
};
constexpr int maximumSize = 1000000;
constexpr SizeWord sizeWords[] = {
    {RtfWord::picw, &RtfPicture::width, 0, maximumSize},
    {RtfWord::pich, &RtfPicture::height, 0, maximumSize},
    {RtfWord::picwgoal, &RtfPicture::goalWidth, 0, maximumSize},
    {RtfWord::pichgoal, &RtfPicture::goalHeight, 0, maximumSize},
    {RtfWord::picscalex, &RtfPicture::scaleX, 0, 10000},
    {RtfWord::picscaley, &RtfPicture::scaleY, 0, 10000},
    {RtfWord::piccropl, &RtfPicture::cropLeft, -maximumSize, maximumSize},
    {RtfWord::piccropr, &RtfPicture::cropRight, -maximumSize, maximumSize},
    {RtfWord::piccropt, &RtfPicture::cropTop, -maximumSize, maximumSize},
    {RtfWord::piccropb, &RtfPicture::cropBottom, -maximumSize, maximumSize},
};

constexpr const char *typeWords[] = {RtfWord::pngblip,  RtfWord::jpegblip, RtfWord::emfblip, RtfWord::wmetafile,
                                     RtfWord::dibitmap, RtfWord::wbitmap,  RtfWord::macpict, RtfWord::pmmetafile};

// A picture's own groups are ids and properties of what the picture already is: passing them
// over loses nothing.
class PictureReader : public RtfGroupReader::Handler {
public:
    RtfPicture picture;

    Answer word(const RtfTokenizer::Token &token) override
    {
        for (const SizeWord &size : sizeWords) {
            if (token.text == size.word) {
                picture.*size.size = qBound(size.minimum, token.parameter, size.maximum);
                return Answer::Taken;
            }
        }
        for (const char *type : typeWords) {
            if (token.text == type) {
                picture.type = token.text.toByteArray();
                if (RtfPicture::typeTakesNumber(token.text))
                    picture.type += QByteArray::number(token.hasParameter ? token.parameter : 0);
                return Answer::Taken;
            }
        }
        return Answer::NotMine;
    }

    // The data is hexadecimal, two digits a byte, with line breaks and spaces anywhere. Pictures
    // are most of a file that has them, so the digits are decoded by table, straight into place.
    void text(QByteArrayView bytes) override
    {
        static const auto digits = [] {
            std::array<signed char, 256> table{};
            table.fill(-1);
            for (int c = '0'; c <= '9'; ++c)
                table[c] = char(c - '0');
            for (int c = 'a'; c <= 'f'; ++c)
                table[c] = table[c - 'a' + 'A'] = char(c - 'a' + 10);
            return table;
        }();
        QByteArray &data = picture.data;
        const qsizetype start = data.size();
        data.resize(start + bytes.size() / 2 + 1);
        char *out = data.data() + start;
        for (char c : bytes) {
            const int digit = digits[static_cast<unsigned char>(c)];
            if (digit < 0)
                continue;
            if (highNibble_ < 0) {
                highNibble_ = digit;
            } else {
                *out++ = char(highNibble_ * 16 + digit);
                highNibble_ = -1;
            }
        }
        data.truncate(out - data.constData());
    }

    void binary(QByteArrayView bytes) override { picture.data.append(bytes); }

    void groupEnd(bool) override { }

private:
    int highNibble_ = -1;
};

// What Qt cannot draw (metafiles) shows as a frame of the picture's size with a cross in it, as
// word processors show a picture they cannot draw.
QImage standIn(int width, int height)
{
    QImage image(qMax(1, width), qMax(1, height), QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter painter(&image);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
    painter.setPen(QColor(0xC0, 0xC0, 0xC0));
    painter.drawLine(0, 0, image.width() - 1, image.height() - 1);
    painter.drawLine(0, image.height() - 1, image.width() - 1, 0);
    return image;
}

} // namespace

RtfPicture RtfPicture::read(RtfTokenizer &tokenizer, int unicodeFallbackLength)
{
    PictureReader reader;
    RtfGroupReader::read(tokenizer, reader, unicodeFallbackLength);
    return std::move(reader.picture);
}

bool RtfPicture::typeTakesNumber(QByteArrayView word)
{
    return word == RtfWord::wmetafile || word == RtfWord::dibitmap || word == RtfWord::wbitmap ||
        word == RtfWord::pmmetafile;
}

QTextImageFormat RtfPicture::toImageFormat(QTextDocument &document) const
{
    const QString name = QStringLiteral("rtf-picture:%1-%2-%3")
                             .arg(QString::fromLatin1(type))
                             .arg(data.size())
                             .arg(qHash(data, 0x5254), 0, 16);
    // Twips of the shown size: the goal size when given, else the picture's own.
    const bool metafile = type != RtfWord::pngblip && type != RtfWord::jpegblip;
    qint64 twipsWide = goalWidth > 0 ? goalWidth : metafile ? metafileToTwips(width) : width * twipsPerUnit;
    qint64 twipsHigh = goalHeight > 0 ? goalHeight : metafile ? metafileToTwips(height) : height * twipsPerUnit;
    // The crop cuts the picture's edges off (or widens its frame) before it is scaled.
    twipsWide -= qint64(cropLeft) + cropRight;
    twipsHigh -= qint64(cropTop) + cropBottom;
    twipsWide = qBound(qint64(1), twipsWide * scaleX / 100, qint64(twipsLimit));
    twipsHigh = qBound(qint64(1), twipsHigh * scaleY / 100, qint64(twipsLimit));
    if (!metafile) {
        // Qt decodes the data when the picture is first drawn, not while a file is read.
        document.addResource(QTextDocument::ImageResource, QUrl(name), data);
    } else {
        document.addResource(QTextDocument::ImageResource, QUrl(name),
                             standIn(int(twipsToUnits(int(twipsWide))), int(twipsToUnits(int(twipsHigh)))));
    }
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(twipsToUnits(int(twipsWide)));
    format.setHeight(twipsToUnits(int(twipsHigh)));
    format.setProperty(RtfProperty::PictureData, data);
    format.setProperty(RtfProperty::PictureType, type);
    for (const auto &[property, size] : sizeProperties)
        format.setProperty(property, this->*size);
    return format;
}

RtfPicture RtfPicture::fromImageFormat(const QTextImageFormat &format, const QTextDocument &document)
{
    RtfPicture picture;
    if (format.hasProperty(RtfProperty::PictureData)) {
        picture.data = format.property(RtfProperty::PictureData).toByteArray();
        picture.type = format.property(RtfProperty::PictureType).toByteArray();
        for (const auto &[property, size] : sizeProperties)
            picture.*size = format.intProperty(property);
        return picture;
    }
    const QImage image = imageResource(format, document);
    if (image.isNull())
        return picture;
    QBuffer buffer(&picture.data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    picture.type = RtfWord::pngblip;
    picture.width = image.width();
    picture.height = image.height();
    picture.goalWidth = unitsToTwips(format.width() > 0 ? format.width() : image.width());
    picture.goalHeight = unitsToTwips(format.height() > 0 ? format.height() : image.height());
    return picture;
}
