// What showing a screenshot costs: a 1024 x 768 photo-like JPEG decoded at the DCT scale chosen
// for the 300 x 225 picture, against the same decoder at full size and against Qt's own JPEG
// plugin, each followed by the same smooth fit into 300 x 225.

#include "catalogue/JpegDecoder.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

const QSize ShownSize(300, 225);

// Smooth gradients and shapes under fine noise: noise is what makes photographs and rendered
// screenshots expensive to entropy-decode, so a flat test image would flatter every decoder.
QImage photoLikeImage()
{
    QImage image(1024, 768, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = int(seed >> 27) - 16;
            const int red = int(128 + 100 * std::sin(x / 97.0) * std::cos(y / 131.0));
            const int green = (x * 255) / image.width();
            const int blue = (y * 255) / image.height();
            line[x] = qRgb(qBound(0, red + grain, 255), qBound(0, green + grain, 255), qBound(0, blue + grain, 255));
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(250, 220, 60, 160));
    painter.drawEllipse(QPoint(700, 300), 180, 140);
    painter.setBrush(QColor(30, 90, 200, 160));
    painter.drawRect(120, 420, 360, 240);
    return image;
}

class PhotoFile {
public:
    PhotoFile()
    {
        if (!photoLikeImage().save(path(), "jpeg", 85))
            qFatal("cannot write the benchmark JPEG");
    }
    QString path() const { return dir_.filePath(QStringLiteral("Shot.jpg")); }

private:
    QTemporaryDir dir_;
};

const PhotoFile &photo()
{
    static const PhotoFile file;
    return file;
}

void BM_DecodeScaledForShownSize(benchmark::State &state)
{
    const QString path = photo().path();
    for (auto _ : state) {
        const QImage shown = JpegDecoder::scaledToFit(JpegDecoder::decode(path, ShownSize), ShownSize);
        benchmark::DoNotOptimize(shown.constBits());
    }
}
BENCHMARK(BM_DecodeScaledForShownSize)->Unit(benchmark::kMillisecond);

void BM_DecodeFullSizeThenFit(benchmark::State &state)
{
    const QString path = photo().path();
    for (auto _ : state) {
        const QImage shown = JpegDecoder::scaledToFit(JpegDecoder::decode(path), ShownSize);
        benchmark::DoNotOptimize(shown.constBits());
    }
}
BENCHMARK(BM_DecodeFullSizeThenFit)->Unit(benchmark::kMillisecond);

// The decode alone, without the fit: scaled=1 for the shown size, scaled=0 at full size.
void BM_DecodeOnly(benchmark::State &state)
{
    const QString path = photo().path();
    const QSize boundingBox = state.range(0) != 0 ? ShownSize : QSize();
    for (auto _ : state) {
        const QImage decoded = JpegDecoder::decode(path, boundingBox);
        benchmark::DoNotOptimize(decoded.constBits());
    }
}
BENCHMARK(BM_DecodeOnly)->ArgName("scaled")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_QtPluginLoadThenFit(benchmark::State &state)
{
    if (!QImageReader::supportedImageFormats().contains("jpeg")) {
        state.SkipWithError("Qt has no JPEG plugin here");
        return;
    }
    const QString path = photo().path();
    for (auto _ : state) {
        const QImage shown = JpegDecoder::scaledToFit(QImage(path, "jpeg"), ShownSize);
        benchmark::DoNotOptimize(shown.constBits());
    }
}
BENCHMARK(BM_QtPluginLoadThenFit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv); // Qt finds its image plugins through the application
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
