// What one "next item" step costs on a full catalogue, against decoding that item's screenshot at
// full size with QImage, measured in the same run. A step is the user's click on the next-item
// button in a shown window: the description is saved, the next item found and shown with its
// screenshot and description, and the window repainted. The first pass over a catalogue that
// came from Windows also rewrites every description; later passes find them unchanged. A step is
// timed until the event loop has nothing left to do, and also, as the user sees it, until the
// frame that shows the next item.
//
// The pieces of a step are measured as well: the catalogue reads of a display, the screenshot
// decode, and the description load and save.

#include "FullCatalogue.h"
#include "RatioReporter.h"
#include "app/EditMQV.h"
#include "display/JpegDecoder.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

const QSize shownSize(300, 225);

const FullCatalogue &fullCatalogue()
{
    static const FullCatalogue catalogue;
    return catalogue;
}

// The editor as the user sees it, drawn once.
class ShownEditor {
public:
    ShownEditor()
    {
        window_.show();
        QCoreApplication::processEvents();
    }

    // The click, then the repaint it asked for.
    void nextItem()
    {
        window_.ToolButton10->trigger();
        QCoreApplication::processEvents();
    }

    // The click, up to the frame that shows the next item: the events it posted, the repaint
    // among them, are delivered. The timers it started run after that frame, while the user
    // looks: the rest of the description's layout and the reading ahead of the neighbours.
    void nextItemToItsFrame()
    {
        window_.ToolButton10->trigger();
        QCoreApplication::sendPostedEvents();
    }

    void lookAtItem(int milliseconds)
    {
        QElapsedTimer looking;
        looking.start();
        while (looking.elapsed() < milliseconds) {
            QCoreApplication::processEvents();
            QThread::msleep(1);
        }
    }

private:
    TMQVEdit window_;
};

void QImageDecodeFullSize(benchmark::State &state)
{
    fullCatalogue();
    int number = 0;
    for (auto _ : state) {
        number = number % Catalogue::LastItemNumber + 1;
        const QImage image(FullCatalogue::screenshotPath(number), "jpeg");
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(QImageDecodeFullSize)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Once round the catalogue first, so every description has been saved once; then each timed step
// comes after the user has looked at the item for look_ms milliseconds, with the editor's event
// loop running, which is not counted.
void timeSteps(benchmark::State &state, void (ShownEditor::*step)())
{
    fullCatalogue();
    ShownEditor editor;
    for (int round = 0; round < Catalogue::LastItemNumber; ++round)
        editor.nextItem();
    for (auto _ : state) {
        if (state.range(0) > 0) {
            state.PauseTiming();
            editor.lookAtItem(int(state.range(0)));
            state.ResumeTiming();
        }
        (editor.*step)();
    }
}

// With look_ms 0 the user clicks as fast as the editor goes.
void NextItemStep(benchmark::State &state) { timeSteps(state, &ShownEditor::nextItem); }
BENCHMARK(NextItemStep)->Arg(0)->Arg(100)->ArgName("look_ms")->Unit(benchmark::kMillisecond)->Repetitions(5);

// The step as the user sees it: from the click to the frame.
void NextItemToFrame(benchmark::State &state) { timeSteps(state, &ShownEditor::nextItemToItsFrame); }
BENCHMARK(NextItemToFrame)->Arg(100)->ArgName("look_ms")->Unit(benchmark::kMillisecond)->Repetitions(5);

void NextItemFirstPass(benchmark::State &state)
{
    fullCatalogue().writeDescriptionsAsWindowsDid();
    ShownEditor editor;
    for (auto _ : state)
        editor.nextItem();
}
BENCHMARK(NextItemFirstPass)->Unit(benchmark::kMillisecond)->Iterations(Catalogue::LastItemNumber)->Repetitions(5);

void CatalogueReadsOfOneDisplay(benchmark::State &state)
{
    fullCatalogue();
    ProfileFile catalogue(Catalogue::fileName());
    int number = 0;
    for (auto _ : state) {
        number = number % Catalogue::LastItemNumber + 1;
        const CatalogueItem item(catalogue, number);
        benchmark::DoNotOptimize(catalogue.SectionExists(item.section()));
        for (FlagKey flag : CatalogueKeys::flagKeys)
            benchmark::DoNotOptimize(item.flag(flag));
        for (TextKey text : {TextKey::Titel, TextKey::Titel, TextKey::Folder, TextKey::Setup, TextKey::Run,
                             TextKey::Ekstra, TextKey::Global, TextKey::Webside})
            benchmark::DoNotOptimize(item.text(text));
    }
}
BENCHMARK(CatalogueReadsOfOneDisplay)->Unit(benchmark::kMillisecond);

void ScreenshotDecodeScaled(benchmark::State &state)
{
    fullCatalogue();
    for (auto _ : state)
        benchmark::DoNotOptimize(JpegDecoder::decode(FullCatalogue::screenshotPath(1), shownSize).constBits());
}
BENCHMARK(ScreenshotDecodeScaled)->Unit(benchmark::kMillisecond);

void ScreenshotDecodeFullSize(benchmark::State &state)
{
    fullCatalogue();
    for (auto _ : state)
        benchmark::DoNotOptimize(JpegDecoder::decode(FullCatalogue::screenshotPath(1)).constBits());
}
BENCHMARK(ScreenshotDecodeFullSize)->Unit(benchmark::kMillisecond);

void DescriptionLoad(benchmark::State &state)
{
    fullCatalogue();
    QTextDocument document;
    for (auto _ : state)
        DescriptionFile::load(FullCatalogue::descriptionPath(1), document);
}
BENCHMARK(DescriptionLoad)->Unit(benchmark::kMillisecond);

// A changed description is written out; an unchanged one is only compared with the file.
void DescriptionSaveChanged(benchmark::State &state)
{
    fullCatalogue();
    QTextDocument document;
    DescriptionFile::load(FullCatalogue::descriptionPath(1), document);
    for (auto _ : state) {
        state.PauseTiming();
        QFile stale(QStringLiteral("Programmer/Program2/DK.RTF"));
        stale.open(QIODevice::WriteOnly);
        stale.write("{\\rtf1 old}");
        stale.close();
        state.ResumeTiming();
        DescriptionFile::save(FullCatalogue::descriptionPath(2), document, DescriptionLanguage::Dansk);
    }
}
BENCHMARK(DescriptionSaveChanged)->Unit(benchmark::kMillisecond);

void DescriptionSaveUnchanged(benchmark::State &state)
{
    fullCatalogue();
    QTextDocument document;
    DescriptionFile::load(FullCatalogue::descriptionPath(1), document);
    DescriptionFile::save(FullCatalogue::descriptionPath(1), document, DescriptionLanguage::Dansk);
    for (auto _ : state)
        DescriptionFile::save(FullCatalogue::descriptionPath(1), document, DescriptionLanguage::Dansk);
}
BENCHMARK(DescriptionSaveUnchanged)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("QImageDecodeFullSize");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
