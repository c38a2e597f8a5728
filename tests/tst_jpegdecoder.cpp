#include "display/JpegDecoder.h"
#include "display/NeighbourPreparation.h"
#include "support/TempFolder.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>
#include <QtTest>

#include <cstdlib>

#include <jpeglib.h>

namespace {

const QSize ShownSize(300, 225);

// Four flat quadrants: flat areas survive JPEG compression nearly unchanged, so sampled colours
// can be compared closely, and a mirrored or transposed decode shows up at once.
QImage quadrants(const QSize &size, const QColor &topLeft, const QColor &topRight, const QColor &bottomLeft,
                 const QColor &bottomRight)
{
    QImage image(size, QImage::Format_RGB32);
    const int halfWidth = size.width() / 2;
    const int halfHeight = size.height() / 2;
    QPainter painter(&image);
    painter.fillRect(0, 0, halfWidth, halfHeight, topLeft);
    painter.fillRect(halfWidth, 0, size.width() - halfWidth, halfHeight, topRight);
    painter.fillRect(0, halfHeight, halfWidth, size.height() - halfHeight, bottomLeft);
    painter.fillRect(halfWidth, halfHeight, size.width() - halfWidth, size.height() - halfHeight, bottomRight);
    return image;
}

QImage colourQuadrants(const QSize &size)
{
    return quadrants(size, Qt::red, Qt::green, Qt::blue, Qt::white);
}

QByteArray qtJpeg(const QImage &image, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        qFatal("cannot write a test JPEG: %s", qPrintable(writer.errorString()));
    return bytes;
}

// Qt cannot write CMYK, so these come from libjpeg, with the channels inverted the way
// Photoshop writes them (and says so in the Adobe marker that libjpeg adds).
QByteArray adobeCmykJpeg(const QImage &rgb, J_COLOR_SPACE storedAs)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *output = nullptr;
    unsigned long outputSize = 0;
    jpeg_mem_dest(&info, &output, &outputSize);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, storedAs);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    QByteArray row(rgb.width() * 4, '\0');
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QColor colour = rgb.pixelColor(x, int(info.next_scanline));
            const int black = 255 - qMax(colour.red(), qMax(colour.green(), colour.blue()));
            const auto ink = [black](int channel) {
                return black == 255 ? 0 : (255 - channel - black) * 255 / (255 - black);
            };
            row[4 * x + 0] = char(255 - ink(colour.red()));
            row[4 * x + 1] = char(255 - ink(colour.green()));
            row[4 * x + 2] = char(255 - ink(colour.blue()));
            row[4 * x + 3] = char(255 - black);
        }
        auto *line = reinterpret_cast<JSAMPLE *>(row.data());
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char *>(output), qsizetype(outputSize));
    std::free(output);
    return bytes;
}

// Offset of the frame header (SOFn) segment's marker, found by walking the marker segments.
qsizetype frameHeaderOffset(const QByteArray &jpeg)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar marker = uchar(jpeg[at + 1]);
        if (marker >= 0xC0 && marker <= 0xC2)
            return at;
        at += 2 + qFromBigEndian<quint16>(jpeg.constData() + at + 2);
    }
    qFatal("test JPEG has no frame header");
}

QByteArray withClaimedSize(QByteArray jpeg, int width, int height)
{
    const qsizetype frame = frameHeaderOffset(jpeg);
    qToBigEndian<quint16>(quint16(height), jpeg.data() + frame + 5);
    qToBigEndian<quint16>(quint16(width), jpeg.data() + frame + 7);
    return jpeg;
}

QByteArray pngBytes()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    colourQuadrants(QSize(64, 48)).save(&buffer, "png");
    return bytes;
}

QByteArray noise(int size, unsigned seed)
{
    QByteArray bytes(size, '\0');
    for (char &byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = char(seed >> 16);
    }
    return bytes;
}

void verifyColour(const QImage &image, QPointF relative, const QColor &expected)
{
    const QPoint at(int(relative.x() * image.width()), int(relative.y() * image.height()));
    const QColor actual = image.pixelColor(at);
    const int tolerance = 12;
    QVERIFY2(qAbs(actual.red() - expected.red()) <= tolerance && qAbs(actual.green() - expected.green()) <= tolerance
                 && qAbs(actual.blue() - expected.blue()) <= tolerance,
             qPrintable(QStringLiteral("at %1,%2: %3, expected %4")
                            .arg(at.x())
                            .arg(at.y())
                            .arg(actual.name(), expected.name())));
}

void verifyQuadrants(const QImage &image, const QColor &topLeft, const QColor &topRight, const QColor &bottomLeft,
                     const QColor &bottomRight)
{
    verifyColour(image, {0.25, 0.25}, topLeft);
    verifyColour(image, {0.75, 0.25}, topRight);
    verifyColour(image, {0.25, 0.75}, bottomLeft);
    verifyColour(image, {0.75, 0.75}, bottomRight);
}

QByteArray bitmapBytes(QImage::Format format)
{
    QImage image = quadrants(QSize(32, 32), Qt::red, Qt::green, Qt::blue, Qt::white).convertToFormat(format);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "bmp");
    return bytes;
}

QByteArray withLittleEndianField(QByteArray bytes, int offset, qint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
    return bytes;
}

} // namespace

class TestJpegDecoder : public QObject {
    Q_OBJECT

private slots:
    void choosesSmallestScaleThatStillCoversTheShownSize_data();
    void choosesSmallestScaleThatStillCoversTheShownSize();
    void fitsKeepingAspectRatioWithoutEnlarging_data();
    void fitsKeepingAspectRatioWithoutEnlarging();
    void decodesColourSpacesAndScales_data();
    void decodesColourSpacesAndScales();
    void decodesFileNearShownSizeThenFits();
    void damagedInputGivesNullImage_data();
    void damagedInputGivesNullImage();
    void missingFileOrFolderGivesNullImage();
    void brokenBitmapsLoadWithoutHarm_data();
    void brokenBitmapsLoadWithoutHarm();
    void keptScreenshotIsReadyUntilItsFileChanges();
};

void TestJpegDecoder::choosesSmallestScaleThatStillCoversTheShownSize_data()
{
    QTest::addColumn<QSize>("imageSize");
    QTest::addColumn<QSize>("boundingBox");
    QTest::addColumn<int>("eighths");

    QTest::newRow("1024x768 into 300x225: 4/8 gives 512x384") << QSize(1024, 768) << ShownSize << 4;
    QTest::newRow("640x480: 4/8 gives 320x240") << QSize(640, 480) << ShownSize << 4;
    QTest::newRow("1000x750: 2/8 falls short, 4/8") << QSize(1000, 750) << ShownSize << 4;
    QTest::newRow("2000x1500: 1/8 falls short, 2/8") << QSize(2000, 1500) << ShownSize << 2;
    QTest::newRow("2400x1800: 1/8 gives exactly 300x225") << QSize(2400, 1800) << ShownSize << 1;
    QTest::newRow("2393x1795: rounding up still covers at 1/8") << QSize(2393, 1795) << ShownSize << 1;
    QTest::newRow("2392x1794: 1/8 falls short by a pixel") << QSize(2392, 1794) << ShownSize << 2;
    QTest::newRow("wide 4000x1000 fits as 300x75") << QSize(4000, 1000) << ShownSize << 1;
    QTest::newRow("tall 1000x4000 fits as 56x225") << QSize(1000, 4000) << ShownSize << 1;
    QTest::newRow("400x300: only full size covers") << QSize(400, 300) << ShownSize << 8;
    QTest::newRow("already fits: full size") << QSize(300, 225) << ShownSize << 8;
    QTest::newRow("smaller than the box: full size") << QSize(200, 100) << ShownSize << 8;
    QTest::newRow("no box: full size") << QSize(1024, 768) << QSize() << 8;
}

void TestJpegDecoder::choosesSmallestScaleThatStillCoversTheShownSize()
{
    QFETCH(QSize, imageSize);
    QFETCH(QSize, boundingBox);
    QFETCH(int, eighths);
    QCOMPARE(JpegDecoder::scaleEighths(imageSize, boundingBox), eighths);
}

void TestJpegDecoder::fitsKeepingAspectRatioWithoutEnlarging_data()
{
    QTest::addColumn<QSize>("imageSize");
    QTest::addColumn<QSize>("fitted");

    QTest::newRow("4:3 fills the box") << QSize(512, 384) << ShownSize;
    QTest::newRow("wide is limited by width") << QSize(1000, 250) << QSize(300, 75);
    QTest::newRow("tall is limited by height") << QSize(450, 900) << QSize(112, 225);
    QTest::newRow("small stays small") << QSize(120, 90) << QSize(120, 90);
    QTest::newRow("a sliver keeps one pixel") << QSize(30000, 10) << QSize(300, 1);
}

void TestJpegDecoder::fitsKeepingAspectRatioWithoutEnlarging()
{
    QFETCH(QSize, imageSize);
    QFETCH(QSize, fitted);
    QImage image(imageSize, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QImage result = JpegDecoder::scaledToFit(image, ShownSize);
    QCOMPARE(result.size(), fitted);
    verifyColour(result, {0.5, 0.5}, Qt::darkCyan);
}

void TestJpegDecoder::decodesColourSpacesAndScales_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<QSize>("boundingBox");
    QTest::addColumn<QSize>("decodedSize");
    QTest::addColumn<QColor>("topLeft");
    QTest::addColumn<QColor>("topRight");
    QTest::addColumn<QColor>("bottomLeft");
    QTest::addColumn<QColor>("bottomRight");

    const QImage colours = colourQuadrants(QSize(1024, 768));
    const QByteArray baseline = qtJpeg(colours);
    QTest::newRow("baseline, full size")
        << baseline << QSize() << QSize(1024, 768) << QColor(Qt::red) << QColor(Qt::green) << QColor(Qt::blue)
        << QColor(Qt::white);
    QTest::newRow("baseline, scaled 4/8 for 300x225")
        << baseline << ShownSize << QSize(512, 384) << QColor(Qt::red) << QColor(Qt::green) << QColor(Qt::blue)
        << QColor(Qt::white);

    const QByteArray progressive = qtJpeg(colours, true);
    QCOMPARE(uchar(progressive[frameHeaderOffset(progressive) + 1]), uchar(0xC2));
    QTest::newRow("progressive, scaled")
        << progressive << ShownSize << QSize(512, 384) << QColor(Qt::red) << QColor(Qt::green) << QColor(Qt::blue)
        << QColor(Qt::white);

    const QColor dark(40, 40, 40), mid(128, 128, 128), light(200, 200, 200);
    const QByteArray gray =
        qtJpeg(quadrants(QSize(640, 480), dark, mid, light, Qt::white).convertToFormat(QImage::Format_Grayscale8));
    QCOMPARE(int(gray[frameHeaderOffset(gray) + 9]), 1); // one component: really a grayscale file
    QTest::newRow("grayscale, scaled 4/8")
        << gray << ShownSize << QSize(320, 240) << dark << mid << light << QColor(Qt::white);

    const QImage inks = quadrants(QSize(256, 192), Qt::cyan, Qt::magenta, Qt::yellow, Qt::black);
    QTest::newRow("Adobe CMYK, full size")
        << adobeCmykJpeg(inks, JCS_CMYK) << QSize() << QSize(256, 192) << QColor(Qt::cyan) << QColor(Qt::magenta)
        << QColor(Qt::yellow) << QColor(Qt::black);
    QTest::newRow("Adobe YCCK, full size")
        << adobeCmykJpeg(inks, JCS_YCCK) << QSize() << QSize(256, 192) << QColor(Qt::cyan) << QColor(Qt::magenta)
        << QColor(Qt::yellow) << QColor(Qt::black);
}

void TestJpegDecoder::decodesColourSpacesAndScales()
{
    QFETCH(QByteArray, jpeg);
    QFETCH(QSize, boundingBox);
    QFETCH(QSize, decodedSize);
    QFETCH(QColor, topLeft);
    QFETCH(QColor, topRight);
    QFETCH(QColor, bottomLeft);
    QFETCH(QColor, bottomRight);

    const QImage image = JpegDecoder::decodeBytes(jpeg, boundingBox);
    QCOMPARE(image.size(), decodedSize);
    verifyQuadrants(image, topLeft, topRight, bottomLeft, bottomRight);
}

void TestJpegDecoder::decodesFileNearShownSizeThenFits()
{
    TempFolder folder;
    folder.writeFile(QStringLiteral("Shot.jpg"), qtJpeg(colourQuadrants(QSize(1024, 768))));

    const QImage decoded = JpegDecoder::decode(folder.filePath(QStringLiteral("Shot.jpg")), ShownSize);
    QCOMPARE(decoded.size(), QSize(512, 384));
    const QImage shown = JpegDecoder::scaledToFit(decoded, ShownSize);
    QCOMPARE(shown.size(), ShownSize);
    verifyQuadrants(shown, Qt::red, Qt::green, Qt::blue, Qt::white);
}

void TestJpegDecoder::damagedInputGivesNullImage_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray baseline = qtJpeg(colourQuadrants(QSize(640, 480)));
    const QByteArray progressive = qtJpeg(colourQuadrants(QSize(640, 480)), true);
    const qsizetype frame = frameHeaderOffset(baseline);

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("garbage") << noise(5000, 1);
    QTest::newRow("start-of-image marker, then garbage") << QByteArray("\xFF\xD8", 2) + noise(5000, 2);
    QTest::newRow("PNG named .jpg") << pngBytes();
    QTest::newRow("cut after start-of-image") << baseline.left(2);
    QTest::newRow("cut inside the tables") << baseline.left(40);
    QTest::newRow("cut inside the frame header") << baseline.left(frame + 6);
    QTest::newRow("cut at a quarter") << baseline.left(baseline.size() / 4);
    QTest::newRow("cut at half") << baseline.left(baseline.size() / 2);
    QTest::newRow("cut 100 bytes short") << baseline.left(baseline.size() - 100);
    QTest::newRow("progressive cut at half") << progressive.left(progressive.size() / 2);
    QTest::newRow("progressive cut 100 bytes short") << progressive.left(progressive.size() - 100);
    QTest::newRow("entropy data overwritten")
        << baseline.left(baseline.size() / 2) + noise(int(baseline.size() / 2), 3);
    QTest::newRow("header claims 65000x65000") << withClaimedSize(baseline, 65000, 65000);
    QTest::newRow("header claims 29000x29000 (too many pixels)") << withClaimedSize(baseline, 29000, 29000);
    QTest::newRow("header claims 0x480") << withClaimedSize(baseline, 0, 480);
    QTest::newRow("header claims 4000x3000, data for 640x480") << withClaimedSize(baseline, 4000, 3000);
    QTest::newRow("progressive claims 4000x3000") << withClaimedSize(progressive, 4000, 3000);
}

void TestJpegDecoder::damagedInputGivesNullImage()
{
    QFETCH(QByteArray, bytes);

    QVERIFY(JpegDecoder::decodeBytes(bytes, ShownSize).isNull());
    QVERIFY(JpegDecoder::decodeBytes(bytes).isNull());

    TempFolder folder;
    folder.writeFile(QStringLiteral("Shot.jpg"), bytes);
    QVERIFY(JpegDecoder::decode(folder.filePath(QStringLiteral("Shot.jpg")), ShownSize).isNull());
}

void TestJpegDecoder::missingFileOrFolderGivesNullImage()
{
    TempFolder folder;
    folder.makeFolder(QStringLiteral("Shot.jpg"));
    QVERIFY(JpegDecoder::decode(folder.filePath(QStringLiteral("Shot.jpg")), ShownSize).isNull());
    QVERIFY(JpegDecoder::decode(folder.filePath(QStringLiteral("Missing.jpg")), ShownSize).isNull());
}

// Icons go through Qt's own BMP reader. These are the ways a broken Ikon.bmp could hurt: each
// must come back at once as a null image or, for a cut-off file, an image of the stated size.
void TestJpegDecoder::brokenBitmapsLoadWithoutHarm_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("mayLoadPartly");

    const QByteArray bitmap = bitmapBytes(QImage::Format_RGB888);
    QCOMPARE(bitmap.size(), 54 + 32 * 32 * 3);
    const QByteArray indexed = bitmapBytes(QImage::Format_Indexed8);
    const int width = 18, height = 22, bitCount = 28, compression = 30, colourCount = 46;

    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("cut inside the file header") << bitmap.left(10) << false;
    QTest::newRow("cut inside the info header") << bitmap.left(30) << false;
    QTest::newRow("cut at the pixels") << bitmap.left(54) << false;
    QTest::newRow("cut inside the pixels") << bitmap.left(1000) << true;
    QTest::newRow("cut one byte short") << bitmap.left(bitmap.size() - 1) << true;
    QTest::newRow("width 0x7fffffff") << withLittleEndianField(bitmap, width, 0x7fffffff) << false;
    QTest::newRow("60000x60000") << withLittleEndianField(withLittleEndianField(bitmap, width, 60000), height, 60000)
                                 << false;
    QTest::newRow("negative width") << withLittleEndianField(bitmap, width, -32) << false;
    QTest::newRow("height INT_MIN") << withLittleEndianField(bitmap, height, INT_MIN) << false;
    QTest::newRow("7 bits per pixel") << withLittleEndianField(bitmap, bitCount, 7) << false;
    QTest::newRow("unknown compression") << withLittleEndianField(bitmap, compression, 77) << false;
    QTest::newRow("run-length flag on raw pixels") << withLittleEndianField(indexed, compression, 1) << false;
    QTest::newRow("palette of 100000 colours") << withLittleEndianField(indexed, colourCount, 100000) << false;
}

void TestJpegDecoder::brokenBitmapsLoadWithoutHarm()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, mayLoadPartly);

    QImage image;
    image.loadFromData(bytes, "bmp");
    if (mayLoadPartly && !image.isNull())
        QCOMPARE(image.size(), QSize(32, 32));
    else
        QVERIFY(image.isNull());
}

// The screenshot a step leaves is the previous neighbour of the next item: stepping back takes it
// as it was shown, without a decode, unless the file changed since.
void TestJpegDecoder::keptScreenshotIsReadyUntilItsFileChanges()
{
    TempFolder folder;
    const QString path = folder.filePath("Shot.jpg");
    QVERIFY(colourQuadrants(QSize(64, 48)).save(path, "JPG"));
    const FileStamp stamp = FileStamp::of(path);
    // Unlike anything the file decodes to, so a decode would show.
    QImage shown(40, 30, QImage::Format_RGB32);
    shown.fill(Qt::magenta);
    NeighbourPreparation preparation(QSize(300, 225));
    preparation.keep(stamp, shown);
    preparation.prepare({path});
    const std::optional<QImage> taken = preparation.takeScreenshot(stamp);
    QVERIFY(taken.has_value());
    QCOMPARE(*taken, shown);

    preparation.keep(stamp, shown);
    QTest::qWait(20);
    QVERIFY(colourQuadrants(QSize(32, 24)).save(path, "JPG"));
    QVERIFY(!preparation.takeScreenshot(FileStamp::of(path)).has_value());
}

QTEST_GUILESS_MAIN(TestJpegDecoder)
#include "tst_jpegdecoder.moc"
