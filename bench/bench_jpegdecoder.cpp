// What showing a screenshot costs: a 1024 x 768 photo-like JPEG decoded at the DCT scale chosen
// for the 300 x 225 picture, against the same decoder at full size and against Qt's own JPEG
// plugin, each followed by the same smooth fit into 300 x 225.

#include "PhotoLikeImage.h"
#include "display/JpegDecoder.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QSize ShownSize(300, 225);

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
