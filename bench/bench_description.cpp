// Long descriptions in the shown window, each against the same with a description of a few lines
// in the same run: the longest pass of the event loop from the step to an item with a 1, 5 or
// 16 MB description until it is read whole; a key typed into a 200 KB description, up to its
// repaint (the 95th percentile as a counter); and leaving a 5 MB description unchanged.

#include "RatioReporter.h"
#include "TitleTyping.h"
#include "app/DescriptionEdit.h"
#include "app/EditMQV.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueItem.h"
#include "catalogue/ProfileFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// The items of the catalogue and the size of their descriptions.
struct Description {
    int item;
    qsizetype bytes;
};
constexpr Description fewLines{1, 2 * 1024};
constexpr Description typedInto{2, 200 * 1024};
constexpr Description oneMegabyte{3, 1024 * 1024};
constexpr Description fiveMegabytes{4, 5 * 1024 * 1024};
constexpr Description sixteenMegabytes{5, 16 * 1000 * 1000}; // just below the largest read

// Paragraphs of four sentences of Danish text with bold, italic and coloured runs, as the rich-edit
// control writes them.
QByteArray formattedDescription(qsizetype bytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1030{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
                     "{\\colortbl ;\\red0\\green128\\blue0;\\red255\\green0\\blue0;}\r\n"
                     "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    for (int paragraph = 1; rtf.size() < bytes - 1000; ++paragraph) {
        rtf += "Afsnit " + QByteArray::number(paragraph) + ". ";
        for (int sentence = 0; sentence < 4; ++sentence)
            rtf += "Programmet g\\'f8r det {\\b nemt} at holde {\\i styr} p\\'e5 {\\cf1 billeder} og "
                   "{\\cf2 filer} p\\'e5 harddisken. ";
        rtf += "\\par\r\n";
    }
    return rtf + "}\r\n";
}

// The catalogue in a temporary folder, which is the current folder while it lives.
class LongDescriptions {
public:
    LongDescriptions()
    {
        if (!dir_.isValid() || !QDir::setCurrent(dir_.path()))
            throw std::runtime_error("cannot make the catalogue folder");
        ProfileFile catalogue(Catalogue::fileName());
        for (const Description &description : {fewLines, typedInto, oneMegabyte, fiveMegabytes, sixteenMegabytes}) {
            const QString folder = QStringLiteral("Program%1").arg(description.item);
            QDir().mkpath(folder);
            QFile file(folder + QStringLiteral("/DK.RTF"));
            const QByteArray rtf = formattedDescription(description.bytes);
            if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size())
                throw std::runtime_error("cannot write a description");
            CatalogueItem item(catalogue, description.item);
            item.setText(TextKey::Titel, QStringLiteral("Program %1").arg(description.item));
            item.setText(TextKey::Folder, folder);
        }
        // A file changed within the last file-system clock tick is never kept between reads.
        QThread::msleep(2500);
    }

private:
    QTemporaryDir dir_;
};

// The window goes before the application does.
std::unique_ptr<TMQVEdit> shownEditor;

TMQVEdit &shownWindow()
{
    static LongDescriptions catalogue;
    if (!shownEditor) {
        shownEditor = std::make_unique<TMQVEdit>();
        shownEditor->show();
        QCoreApplication::processEvents();
    }
    return *shownEditor;
}

// Reading a description keeps the document's undo off until its last part is read.
bool reading(TMQVEdit &window) { return !window.descriptionEditor().document()->isUndoRedoEnabled(); }

void showWhole(TMQVEdit &window, int item)
{
    window.showItem(item);
    while (reading(window))
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// The step to the item and everything the event loop does until its description is read whole;
// the time is the longest single pass, measured by a timer that fires whenever the loop is free.
void LongestPassWhileShowing(benchmark::State &state, Description description)
{
    TMQVEdit &window = shownWindow();
    for (auto _ : state) {
        showWhole(window, fewLines.item == description.item ? typedInto.item : fewLines.item);
        QElapsedTimer clock;
        qint64 longest = 0;
        qint64 last = 0;
        QTimer heartbeat;
        heartbeat.setInterval(0);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            longest = std::max(longest, clock.nsecsElapsed() - last);
            last = clock.nsecsElapsed();
        });
        bool stepped = false;
        QTimer::singleShot(0, &window, [&] {
            window.showItem(description.item);
            stepped = true;
        });
        clock.start();
        heartbeat.start();
        while (!stepped || reading(window))
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        heartbeat.stop();
        state.SetIterationTime(double(longest) / 1e9);
    }
}
BENCHMARK_CAPTURE(LongestPassWhileShowing, few_lines, fewLines)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(LongestPassWhileShowing, 1MB, oneMegabyte)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(LongestPassWhileShowing, 5MB, fiveMegabytes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(LongestPassWhileShowing, 16MB, sixteenMegabytes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// A letter typed at the start of the description and rubbed out again, key by key, each up to its
// repaint with the spelling marks.
void TypingKey(benchmark::State &state, Description description)
{
    TMQVEdit &window = shownWindow();
    showWhole(window, description.item);
    DescriptionEdit &editor = window.descriptionEditor();
    editor.setFocus();
    editor.moveCursor(QTextCursor::Start);
    std::vector<double> keys;
    bool typed = false;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        if (typed)
            TitleTyping::press(&editor, Qt::Key_Delete, QString());
        else
            TitleTyping::press(&editor, Qt::Key_A, QStringLiteral("a"));
        QCoreApplication::processEvents();
        if (!typed)
            editor.moveCursor(QTextCursor::Start);
        typed = !typed;
        keys.push_back(double(clock.nsecsElapsed()) / 1e9);
        state.SetIterationTime(keys.back());
    }
    std::sort(keys.begin(), keys.end());
    state.counters["p95_ms"] = keys[std::min(keys.size() - 1, keys.size() * 95 / 100)] * 1e3;
    editor.document()->setModified(false);
}
BENCHMARK_CAPTURE(TypingKey, few_lines, fewLines)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK_CAPTURE(TypingKey, 200KB, typedInto)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

// The save that leaving the item starts, where nothing was changed.
void LeavingUnchanged(benchmark::State &state, Description description)
{
    TMQVEdit &window = shownWindow();
    showWhole(window, description.item);
    for (auto _ : state)
        window.SaveDescription();
}
BENCHMARK_CAPTURE(LeavingUnchanged, few_lines, fewLines)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LeavingUnchanged, 5MB, fiveMegabytes)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter("LongestPassWhileShowing/few_lines",
                           {{"LongestPassWhileShowing/1MB", "LongestPassWhileShowing/few_lines"},
                            {"LongestPassWhileShowing/5MB", "LongestPassWhileShowing/few_lines"},
                            {"LongestPassWhileShowing/16MB", "LongestPassWhileShowing/few_lines"},
                            {"TypingKey/200KB", "TypingKey/few_lines"},
                            {"LeavingUnchanged/5MB", "LeavingUnchanged/few_lines"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    shownEditor.reset();
    return 0;
}
