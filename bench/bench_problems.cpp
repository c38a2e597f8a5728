// What the "Problemer" pane costs the user, measured in the same run against the same work with
// the pane closed: a keystroke in the title field (each one writes the catalogue and restarts
// the pane's wait) and a next-item step, on the interface thread; and the pane's full check of
// the catalogue, from a change to the list shown, against the whole-disc check of the same
// catalogue in this process.

#include "FullCatalogue.h"
#include "RatioReporter.h"
#include "TitleTyping.h"
#include "app/EditMQV.h"
#include "rules/CatalogueCheck.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const FullCatalogue &fullCatalogue()
{
    static const FullCatalogue catalogue;
    return catalogue;
}

// The pane is opened and its first list waited for, so what is measured is the work the pane
// adds to each action, not its first check.
std::unique_ptr<TMQVEdit> shownEditor(bool withPane)
{
    fullCatalogue();
    auto window = std::make_unique<TMQVEdit>();
    window->show();
    QCoreApplication::processEvents();
    if (withPane) {
        window->findChild<QAction *>(QStringLiteral("VisProblemer"))->trigger();
        QAbstractItemModel *list = window->findChild<QTreeView *>(QStringLiteral("ProblemListe"))->model();
        QEventLoop shown;
        QObject::connect(list, &QAbstractItemModel::modelReset, &shown, &QEventLoop::quit);
        shown.exec();
    }
    return window;
}

void keystrokes(benchmark::State &state, bool withPane)
{
    const std::unique_ptr<TMQVEdit> window = shownEditor(withPane);
    TitleTyping typing(window->TitelEdit);
    for (auto _ : state)
        typing.next();
}

void KeystrokeWithoutPane(benchmark::State &state) { keystrokes(state, false); }
BENCHMARK(KeystrokeWithoutPane)->Unit(benchmark::kMillisecond)->Repetitions(5);

void KeystrokeWithPane(benchmark::State &state) { keystrokes(state, true); }
BENCHMARK(KeystrokeWithPane)->Unit(benchmark::kMillisecond)->Repetitions(5);

void nextItems(benchmark::State &state, bool withPane)
{
    const std::unique_ptr<TMQVEdit> window = shownEditor(withPane);
    for (int round = 0; round < Catalogue::LastItemNumber; ++round) {
        window->ToolButton10->trigger();
        QCoreApplication::processEvents();
    }
    for (auto _ : state) {
        window->ToolButton10->trigger();
        QCoreApplication::processEvents();
    }
}

void NextItemWithoutPane(benchmark::State &state) { nextItems(state, false); }
BENCHMARK(NextItemWithoutPane)->Unit(benchmark::kMillisecond)->Repetitions(12);

void NextItemWithPane(benchmark::State &state) { nextItems(state, true); }
BENCHMARK(NextItemWithPane)->Unit(benchmark::kMillisecond)->Repetitions(12);

// Closing and opening the pane checks the catalogue anew at once, without the wait for typing to
// settle; timed until the list is shown.
void PaneFullCheck(benchmark::State &state)
{
    const std::unique_ptr<TMQVEdit> window = shownEditor(true);
    QAction *toggle = window->findChild<QAction *>(QStringLiteral("VisProblemer"));
    QAbstractItemModel *list = window->findChild<QTreeView *>(QStringLiteral("ProblemListe"))->model();
    for (auto _ : state) {
        state.PauseTiming();
        toggle->trigger();
        QCoreApplication::processEvents();
        QEventLoop shown;
        QObject::connect(list, &QAbstractItemModel::modelReset, &shown, &QEventLoop::quit);
        state.ResumeTiming();
        toggle->trigger();
        shown.exec();
    }
}
BENCHMARK(PaneFullCheck)->Unit(benchmark::kMillisecond)->Repetitions(5)->UseRealTime();

// mqvcheck's own work for the same catalogue, without its report.
void MqvcheckRun(benchmark::State &state)
{
    fullCatalogue();
    for (auto _ : state)
        benchmark::DoNotOptimize(CatalogueCheck::run(Catalogue::fileName(), ItemInspection::Options()));
}
BENCHMARK(MqvcheckRun)->Unit(benchmark::kMillisecond)->Repetitions(5)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("KeystrokeWithoutPane",
                           {{"KeystrokeWithPane", "KeystrokeWithoutPane"},
                            {"NextItemWithPane", "NextItemWithoutPane"},
                            {"PaneFullCheck", "MqvcheckRun"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
