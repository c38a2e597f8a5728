// Stepping through a catalogue of the largest screenshots a user may drop into an item folder
// (4000 x 3000 and 12000 x 9000, photo-like), clicking "next" every look_ms milliseconds: the
// longest pass of the event loop is what the user feels as the window not answering. Printed are
// the longest and the 95th percentile of the passes, and the median time from a click to the
// screenshot's frame caption saying it is shown.
//
// Usage: bench_largescreenshots [look_ms ...]   (default 0 150 1000)

#include "app/EditMQV.h"
#include "catalogue/CatalogueItem.h"
#include "catalogue/ProfileFile.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QTemporaryDir>
#include <QTimer>

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

// Written row by row: a 12000 x 9000 picture never needs to be held whole.
void writePhotoLikeJpeg(const QString &path, int width, int height)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        throw std::runtime_error("cannot write a screenshot");
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * 3);
    quint32 seed = 12345;
    while (info.next_scanline < info.image_height) {
        const int y = int(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = int(seed >> 27) - 16;
            const int red = int(128 + 100 * std::sin(x / 97.0) * std::cos(y / 131.0));
            row[3 * x] = JSAMPLE(std::clamp(red + grain, 0, 255));
            row[3 * x + 1] = JSAMPLE(std::clamp(x * 255 / width + grain, 0, 255));
            row[3 * x + 2] = JSAMPLE(std::clamp(y * 255 / height + grain, 0, 255));
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

// How long the event loop is held up at a time: a timer due every millisecond measures the gaps
// between its turns, each as long as the longest pass of the loop in between.
class LoopGaps : public QObject {
public:
    LoopGaps()
    {
        beat_.setTimerType(Qt::PreciseTimer);
        beat_.setInterval(1);
        connect(&beat_, &QTimer::timeout, this, [this] {
            if (last_.isValid())
                milliseconds_.push_back(double(last_.nsecsElapsed()) / 1e6);
            last_.start();
        });
        beat_.start();
    }

    std::vector<double> take()
    {
        last_.invalidate();
        return std::exchange(milliseconds_, {});
    }

private:
    QTimer beat_;
    QElapsedTimer last_;
    std::vector<double> milliseconds_;
};

double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(share * double(values.size())))];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::vector<int> looks;
    for (int i = 1; i < argc; ++i)
        looks.push_back(std::atoi(argv[i]));
    if (looks.empty())
        looks = {0, 150, 1000};

    QTemporaryDir folder;
    if (!folder.isValid() || !QDir::setCurrent(folder.path()))
        return 1;
    const QSize sizes[] = {{4000, 3000}, {12000, 9000}, {4000, 3000}, {12000, 9000}};
    {
        ProfileFile catalogue(Catalogue::fileName());
        int number = 0;
        for (const QSize &size : sizes) {
            ++number;
            const QString itemFolder = QStringLiteral("Stor%1").arg(number);
            QDir().mkpath(itemFolder);
            writePhotoLikeJpeg(itemFolder + QStringLiteral("/Shot.jpg"), size.width(), size.height());
            CatalogueItem item(catalogue, number);
            item.setText(TextKey::Titel, QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()));
            item.setText(TextKey::Folder, itemFolder);
            item.setFlag(FlagKey::Spil, true);
        }
    }

    TMQVEdit window;
    window.show();
    auto *grafik = window.findChild<QGroupBox *>(QStringLiteral("Grafik"));
    QCoreApplication::processEvents();
    LoopGaps passes;
    std::printf("%-8s %6s %14s %14s %18s\n", "look_ms", "steps", "longest pass", "95th pct pass", "click to picture");
    for (const int look : looks) {
        const int steps = 2 * int(std::size(sizes));
        // From each click to the frame's caption saying the screenshot is there.
        std::vector<double> shownAfter;
        QElapsedTimer click;
        QEventLoop loop;
        int stepsTaken = 0;
        QTimer stepper;
        stepper.setInterval(std::max(1, look));
        QObject::connect(&stepper, &QTimer::timeout, [&] {
            if (stepsTaken == steps) {
                stepper.stop();
                QTimer::singleShot(2000, &loop, &QEventLoop::quit);
                return;
            }
            ++stepsTaken;
            click.start();
            window.ToolButton10->trigger();
        });
        QTimer watcher;
        watcher.setInterval(1);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (click.isValid() && grafik->title() == QStringLiteral("Skærmskud: Jpeg")) {
                shownAfter.push_back(double(click.nsecsElapsed()) / 1e6);
                click.invalidate();
            }
        });
        passes.take();
        stepper.start();
        watcher.start();
        loop.exec();
        const std::vector<double> times = passes.take();
        std::printf("%-8d %6d %11.1f ms %11.1f ms %15.1f ms\n", look, steps,
                    times.empty() ? 0 : *std::max_element(times.begin(), times.end()), percentile(times, 0.95),
                    percentile(shownAfter, 0.5));
    }
    return 0;
}
