#include "display/JpegDecoder.h"

#include <QFile>
#include <QtEndian>

#include <csetjmp>
#include <cstdio>
#include <memory>

// jpeglib.h first: it pulls in the configuration that decides which messages jerror.h declares.
#include <jpeglib.h>

#include <jerror.h>

namespace {

// A crafted progressive file can hold a vast number of tiny scans, each one a pass over the
// coefficients; real encoders write about ten.
constexpr int MaxScans = 1000;

// libjpeg reports fatal errors by calling error_exit and expects it not to return; it reports
// damage it can paper over (a missing end of file, a bad Huffman code) as warnings and then
// carries on with grey or smeared pixels. Both end the decode here by jumping back to the
// guarded step that made the call, so no C++ object is ever left behind by the jump.
struct ErrorTrap {
    jpeg_error_mgr manager; // first member: libjpeg's error pointer is also a pointer to the trap
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
};

ErrorTrap *trapOf(j_common_ptr info) { return reinterpret_cast<ErrorTrap *>(info->err); }

[[noreturn]] void abandonDecode(j_common_ptr info) { std::longjmp(trapOf(info)->jump, 1); }

bool meansDamagedPixels(int messageCode)
{
    switch (messageCode) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION: return true;
    default: return false;
    }
}

// Warnings that leave the pixels intact (junk between markers, an odd JFIF version) are
// dropped silently instead of going to stderr.
void onMessage(j_common_ptr info, int level)
{
    if (level < 0 && meansDamagedPixels(info->err->msg_code))
        abandonDecode(info);
}

void onProgress(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans)
        abandonDecode(info);
}

void installTrap(jpeg_decompress_struct &info, ErrorTrap &trap)
{
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = abandonDecode;
    trap.manager.emit_message = onMessage;
    trap.progress = jpeg_progress_mgr{};
    trap.progress.progress_monitor = onProgress;
}

// Runs one step of libjpeg calls with the trap armed. The step must hold nothing that needs a
// destructor: a longjmp out of it skips every frame between libjpeg and this setjmp.
template <typename Step>
bool guarded(ErrorTrap &trap, Step step)
{
    if (setjmp(trap.jump) != 0)
        return false;
    step();
    return true;
}

bool plausibleSize(qint64 width, qint64 height, int bytesPerPixel)
{
    return width > 0 && height > 0 && width <= JpegDecoder::MaxSide && height <= JpegDecoder::MaxSide &&
        width * height * bytesPerPixel <= JpegDecoder::MaxDecodeBytes;
}

bool isCmyk(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

// The colour layout libjpeg writes straight into a QImage::Format_RGB32 scan line.
J_COLOR_SPACE rgb32Layout() { return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB; }

// Photoshop writes CMYK JPEGs with every channel inverted and says so in its Adobe marker.
void convertCmykToRgb32(QImage &image, bool inverted)
{
    for (int y = 0; y < image.height(); ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            uchar *pixel = line + 4 * x;
            const int c = inverted ? pixel[0] : 255 - pixel[0];
            const int m = inverted ? pixel[1] : 255 - pixel[1];
            const int yellow = inverted ? pixel[2] : 255 - pixel[2];
            const int k = inverted ? pixel[3] : 255 - pixel[3];
            const QRgb rgb = qRgb(c * k / 255, m * k / 255, yellow * k / 255);
            qToUnaligned(rgb, pixel);
        }
    }
}

struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorTrap trap{};

    Decompressor() { installTrap(info, trap); }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor &) = delete;
    Decompressor &operator=(const Decompressor &) = delete;
};

// Reads the header from whatever source installSource gives libjpeg; that runs inside the
// guard because libjpeg rejects an empty input right there.
template <typename InstallSource>
bool readHeader(Decompressor &decompressor, InstallSource installSource)
{
    jpeg_decompress_struct &info = decompressor.info;
    ErrorTrap &trap = decompressor.trap;
    const bool headerRead = guarded(trap, [&] {
        jpeg_create_decompress(&info);
        info.progress = &trap.progress;
        installSource(&info);
        jpeg_read_header(&info, TRUE);
    });
    return headerRead && plausibleSize(info.image_width, info.image_height, 4);
}

// With keepDecodedRows, damage met while the scan lines are read keeps the rows decoded before it:
// a file cut off in transfer still shows its top part, as other viewers show it.
template <typename InstallSource>
JpegDecoder::Picture decodeFrom(InstallSource installSource, const QSize &boundingBox, bool keepDecodedRows = false)
{
    Decompressor decompressor;
    jpeg_decompress_struct &info = decompressor.info;
    ErrorTrap &trap = decompressor.trap;
    if (!readHeader(decompressor, installSource))
        return {};

    const J_COLOR_SPACE source = info.jpeg_color_space;
    if (source != JCS_GRAYSCALE && source != JCS_RGB && source != JCS_YCbCr && !isCmyk(source))
        return {};
    info.out_color_space = isCmyk(source) ? JCS_CMYK : rgb32Layout();
    info.scale_num = JpegDecoder::scaleEighths(QSize(int(info.image_width), int(info.image_height)), boundingBox);
    info.scale_denom = 8;
    if (!guarded(trap, [&] { jpeg_calc_output_dimensions(&info); }))
        return {};

    QImage image(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    // A progressive file keeps every coefficient of the whole image in memory whatever the
    // output scale; what the pixels leave of the budget is all libjpeg may take for that
    // (at least a byte: a limit of 0 would mean none).
    const long libjpegBudget = long(qMax<qint64>(1, JpegDecoder::MaxDecodeBytes - image.sizeInBytes()));
    uchar *const pixels = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const bool decoded = guarded(trap, [&] {
        info.mem->max_memory_to_use = libjpegBudget;
        jpeg_start_decompress(&info);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = pixels + stride * info.output_scanline;
            jpeg_read_scanlines(&info, &row, 1);
        }
    });
    if (!decoded) {
        if (!keepDecodedRows || info.output_scanline == 0)
            return {};
        image = image.copy(0, 0, image.width(), int(info.output_scanline));
    }
    if (isCmyk(source))
        convertCmykToRgb32(image, info.saw_Adobe_marker);
    return {image, decoded};
}

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

JpegDecoder::Picture decodeFile(const QString &localPath, const QSize &boundingBox, bool keepDecodedRows)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(QFile::encodeName(localPath).constData(), "rb"));
    if (!file)
        return {};
    std::FILE *const stream = file.get();
    return decodeFrom([stream](j_decompress_ptr info) { jpeg_stdio_src(info, stream); }, boundingBox, keepDecodedRows);
}

} // namespace

namespace JpegDecoder {

QImage decode(const QString &localPath, const QSize &boundingBox)
{
    return decodeFile(localPath, boundingBox, false).image;
}

Picture decodeAvailable(const QString &localPath, const QSize &boundingBox)
{
    return decodeFile(localPath, boundingBox, true);
}

QImage decodeBytes(const QByteArray &bytes, const QSize &boundingBox)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto size = static_cast<unsigned long>(bytes.size());
    return decodeFrom([data, size](j_decompress_ptr info) { jpeg_mem_src(info, data, size); }, boundingBox).image;
}

QSize headerSize(const QString &localPath)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(QFile::encodeName(localPath).constData(), "rb"));
    if (!file)
        return QSize();
    std::FILE *const stream = file.get();
    Decompressor decompressor;
    if (!readHeader(decompressor, [stream](j_decompress_ptr info) { jpeg_stdio_src(info, stream); }))
        return QSize();
    return QSize(int(decompressor.info.image_width), int(decompressor.info.image_height));
}

QSize fittedSize(const QSize &imageSize, const QSize &boundingBox)
{
    if (boundingBox.isEmpty() ||
        (imageSize.width() <= boundingBox.width() && imageSize.height() <= boundingBox.height()))
        return imageSize;
    return imageSize.scaled(boundingBox, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

int scaleEighths(const QSize &imageSize, const QSize &boundingBox)
{
    const QSize target = fittedSize(imageSize, boundingBox);
    // libjpeg-turbo has vector code for the inverse DCT at 1/8, 2/8, 4/8 and 8/8 only; at the
    // scales between, the plain C transform makes the decode slower than at the next of these
    // (3/8 is slower than 4/8, and 5/8 to 7/8 slower than full size).
    for (int eighths : {1, 2, 4}) {
        // libjpeg rounds a scaled dimension up.
        const qint64 width = (qint64(imageSize.width()) * eighths + 7) / 8;
        const qint64 height = (qint64(imageSize.height()) * eighths + 7) / 8;
        if (width >= target.width() && height >= target.height())
            return eighths;
    }
    return 8;
}

QImage scaledToFit(const QImage &image, const QSize &boundingBox)
{
    const QSize target = fittedSize(image.size(), boundingBox);
    if (image.isNull() || target == image.size())
        return image;
    return image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace JpegDecoder
