// What watching the catalogue for colleagues' changes costs a keystroke in the title field (each
// one writes the catalogue), against the same keystroke in a window whose watch was taken away,
// measured in the same run. The notices the file system sends about the editor's own writes are
// delivered within the keystroke, as the event loop would deliver them before the next one.

#include "FullCatalogue.h"
#include "RatioReporter.h"
#include "app/EditMQV.h"
#include "catalogue/CatalogueWatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

const FullCatalogue &fullCatalogue()
{
    static const FullCatalogue catalogue;
    return catalogue;
}

void press(QWidget *target, Qt::Key key, const QString &text)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &up);
}

// Typing and rubbing out one letter at the end of the title, key by key.
void keystrokes(benchmark::State &state, bool watched)
{
    fullCatalogue();
    TMQVEdit window;
    window.show();
    QCoreApplication::processEvents();
    if (!watched)
        delete window.findChild<CatalogueWatch *>();
    QLineEdit *title = window.TitelEdit;
    title->setFocus();
    title->end(false);
    bool typed = false;
    for (auto _ : state) {
        if (typed)
            press(title, Qt::Key_Backspace, QString());
        else
            press(title, Qt::Key_A, QStringLiteral("a"));
        QCoreApplication::processEvents();
        typed = !typed;
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
