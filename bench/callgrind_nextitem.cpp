// Instructions of one next-item step on the interface thread against one full-size JPEG load of
// its screenshot with QImage, counted by callgrind, which the machine's load does not disturb.
// Only the measured parts are collected: the loads, then the steps (the click and the repaint),
// each step after the user has looked at the item long enough for the reading ahead to end.
// The totals are dumped as "decode" and "step"; bench/callgrind-nextitem runs it and prints the
// ratio.
//
// Usage: valgrind --tool=callgrind --collect-atstart=no --separate-threads=yes \
//            callgrind_nextitem [steps]   (default 20)

#include "FullCatalogue.h"
#include "app/EditMQV.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>

namespace {

void lookAtItem(int milliseconds)
{
    QElapsedTimer looking;
    looking.start();
    while (looking.elapsed() < milliseconds) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int steps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    // Under callgrind everything runs some fifty times slower.
    const int lookMs = RUNNING_ON_VALGRIND ? 3000 : 100;
    const FullCatalogue catalogue;

    for (int number = 1; number <= steps; ++number) {
        CALLGRIND_TOGGLE_COLLECT;
        const QImage image(FullCatalogue::screenshotPath(number), "jpeg");
        CALLGRIND_TOGGLE_COLLECT;
        if (image.isNull())
            return 1;
    }
    CALLGRIND_DUMP_STATS_AT("decode");

    TMQVEdit window;
    window.show();
    QCoreApplication::processEvents();
    // Once round the catalogue, so every description has been saved once.
    for (int round = 0; round < Catalogue::LastItemNumber; ++round) {
        window.ToolButton10->trigger();
        QCoreApplication::processEvents();
    }
    for (int step = 0; step < steps; ++step) {
        lookAtItem(lookMs);
        CALLGRIND_TOGGLE_COLLECT;
        window.ToolButton10->trigger();
        QCoreApplication::processEvents();
        CALLGRIND_TOGGLE_COLLECT;
    }
    CALLGRIND_DUMP_STATS_AT("step");
    std::printf("%d\n", steps);
    return 0;
}
