// What keeping the history costs the user, measured in the same run against the same work with
// the history off: a keystroke in the title field (each one writes the catalogue), a next-item
// step in a shown window, and taking back "Hent fast" (19 items), which must fit in one 60 Hz
// frame. The history is off where its folder would lie inside the catalogue's own tree, which is
// how the baselines run.

#include "FullCatalogue.h"
#include "RatioReporter.h"
#include "TitleTyping.h"
#include "app/EditMQV.h"
#include "catalogue/CatalogueItem.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const FullCatalogue &fullCatalogue()
{
    static const FullCatalogue catalogue;
    return catalogue;
}

// The fixed items 24 to 42 as the fixed catalogue holds them.
void writeFixedCatalogue()
{
    ProfileFile fixed(QStringLiteral(".\\Fast.MQV"));
    for (int n = 24; n <= 42; ++n) {
        CatalogueItem item(fixed, n);
        item.setText(TextKey::Titel, QStringLiteral("Fast program %1").arg(n));
        item.setText(TextKey::Folder, FullCatalogue::folder(n));
        item.setFlag(FlagKey::Software, true);
    }
}

std::unique_ptr<TMQVEdit> shownEditor(bool withHistory)
{
    static QTemporaryDir stateOutside;
    const QString state = withHistory ? stateOutside.path() : fullCatalogue().path() + QStringLiteral("/.state");
    qputenv("XDG_STATE_HOME", state.toUtf8());
    auto window = std::make_unique<TMQVEdit>();
    window->show();
    QCoreApplication::processEvents();
    return window;
}

// Typing and rubbing out one letter at the end of the title, key by key.
void keystrokes(benchmark::State &state, bool withHistory)
{
    fullCatalogue();
    const std::unique_ptr<TMQVEdit> window = shownEditor(withHistory);
    TitleTyping typing(window->TitelEdit);
    for (auto _ : state)
        typing.next();
}

void KeystrokeWithoutHistory(benchmark::State &state) { keystrokes(state, false); }
BENCHMARK(KeystrokeWithoutHistory)->Unit(benchmark::kMillisecond)->Repetitions(5);

void KeystrokeWithHistory(benchmark::State &state) { keystrokes(state, true); }
BENCHMARK(KeystrokeWithHistory)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The first keystroke of a step: each one typed into another item's title.
void FirstKeystrokeOfAStep(benchmark::State &state, bool withHistory)
{
    fullCatalogue();
    const std::unique_ptr<TMQVEdit> window = shownEditor(withHistory);
    QLineEdit *title = window->TitelEdit;
    bool typed = false;
    for (auto _ : state) {
        state.PauseTiming();
        window->ToolButton10->trigger();
        QCoreApplication::processEvents();
        title->setFocus();
        title->end(false);
        state.ResumeTiming();
        TitleTyping::press(title, typed ? Qt::Key_Backspace : Qt::Key_A, typed ? QString() : QStringLiteral("a"));
        typed = !typed;
    }
}
BENCHMARK_CAPTURE(FirstKeystrokeOfAStep, without_history, false)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK_CAPTURE(FirstKeystrokeOfAStep, with_history, true)->Unit(benchmark::kMillisecond)->Repetitions(5);

void nextItems(benchmark::State &state, bool withHistory)
{
    fullCatalogue();
    const std::unique_ptr<TMQVEdit> window = shownEditor(withHistory);
    for (int round = 0; round < Catalogue::LastItemNumber; ++round) {
        window->ToolButton10->trigger();
        QCoreApplication::processEvents();
    }
    for (auto _ : state) {
        window->ToolButton10->trigger();
        QCoreApplication::processEvents();
    }
}

void NextItemWithoutHistory(benchmark::State &state) { nextItems(state, false); }
BENCHMARK(NextItemWithoutHistory)->Unit(benchmark::kMillisecond)->Repetitions(12);

void NextItemWithHistory(benchmark::State &state) { nextItems(state, true); }
BENCHMARK(NextItemWithHistory)->Unit(benchmark::kMillisecond)->Repetitions(12);

// From the click on "Fortryd" to the window showing the item again, every file put back.
void UndoFetchFixed(benchmark::State &state)
{
    fullCatalogue();
    writeFixedCatalogue();
    const std::unique_ptr<TMQVEdit> window = shownEditor(true);
    for (auto _ : state) {
        state.PauseTiming();
        window->HentFast->click();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->findChild<QAction *>(QStringLiteral("Fortryd"))->trigger();
        QCoreApplication::sendPostedEvents();
    }
}
BENCHMARK(UndoFetchFixed)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("KeystrokeWithoutHistory",
                           {{"KeystrokeWithHistory", "KeystrokeWithoutHistory"},
                            {"FirstKeystrokeOfAStep/with_history", "FirstKeystrokeOfAStep/without_history"},
                            {"NextItemWithHistory", "NextItemWithoutHistory"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
