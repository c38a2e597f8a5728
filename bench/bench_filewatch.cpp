// What watching the catalogue for colleagues' changes costs a keystroke in the title field (each
// one writes the catalogue), against the same keystroke in a window whose watch was taken away,
// measured in the same run. The notices the file system sends about the editor's own writes are
// delivered within the keystroke, as the event loop would deliver them before the next one.

#include "FullCatalogue.h"
#include "RatioReporter.h"
#include "TitleTyping.h"
#include "app/EditMQV.h"
#include "catalogue/CatalogueWatch.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

const FullCatalogue &fullCatalogue()
{
    static const FullCatalogue catalogue;
    return catalogue;
}

void keystrokes(benchmark::State &state, bool watched)
{
    fullCatalogue();
    TMQVEdit window;
    window.show();
    QCoreApplication::processEvents();
    if (!watched)
        delete window.findChild<CatalogueWatch *>();
    TitleTyping typing(window.TitelEdit);
    for (auto _ : state) {
        typing.next();
        QCoreApplication::processEvents();
    }
}

void KeystrokeWithoutWatch(benchmark::State &state) { keystrokes(state, false); }
BENCHMARK(KeystrokeWithoutWatch)->Unit(benchmark::kMillisecond)->Repetitions(7);

void KeystrokeWithWatch(benchmark::State &state) { keystrokes(state, true); }
BENCHMARK(KeystrokeWithWatch)->Unit(benchmark::kMillisecond)->Repetitions(7);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("KeystrokeWithoutWatch", {{"KeystrokeWithWatch", "KeystrokeWithoutWatch"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
