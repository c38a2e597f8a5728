// What spell checking adds to writing, measured against the same work with checking off in the
// same run: a next-item step on the full catalogue (the window repainted, with the unknown words
// of what is shown marked), and one keystroke at the start of a 20 KB description, repainted.
// The words of a description are looked up once per run; what a word new to the run costs is
// measured on its own.

#include "FullCatalogue.h"
#include "RatioReporter.h"
#include "app/DescriptionEdit.h"
#include "app/EditMQV.h"
#include "spelling/Dictionary.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QThreadPool>

#include <benchmark/benchmark.h>

namespace {

const FullCatalogue &fullCatalogue()
{
    static const FullCatalogue catalogue;
    return catalogue;
}

class CheckedEditor {
public:
    explicit CheckedEditor(bool checking)
    {
        window_.findChild<QAction *>(QStringLiteral("Stavekontrol"))->setChecked(checking);
        window_.show();
        // The dictionary opens beside the window; the steps are timed once it is open.
        QElapsedTimer waiting;
        waiting.start();
        do
            QCoreApplication::processEvents();
        while (QThreadPool::globalInstance()->activeThreadCount() > 0 && waiting.elapsed() < 10000);
        QCoreApplication::processEvents();
    }

    void nextItem()
    {
        window_.ToolButton10->trigger();
        QCoreApplication::processEvents();
    }

    void typeKey()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(window_.Beskriv, &press);
        QApplication::sendEvent(window_.Beskriv, &release);
        QCoreApplication::processEvents();
    }

    TMQVEdit &window() { return window_; }

private:
    TMQVEdit window_;
};

// Once round the catalogue first, so every description has been saved and its words looked up.
void NextItemStep(benchmark::State &state)
{
    fullCatalogue();
    CheckedEditor editor(state.range(0) != 0);
    for (int round = 0; round < Catalogue::LastItemNumber; ++round)
        editor.nextItem();
    for (auto _ : state)
        editor.nextItem();
}
BENCHMARK(NextItemStep)->Arg(0)->Arg(1)->ArgName("checking")->Unit(benchmark::kMillisecond)->Repetitions(5);

void Keystroke(benchmark::State &state)
{
    fullCatalogue();
    CheckedEditor editor(state.range(0) != 0);
    editor.window().Beskriv->setFocus();
    for (int warmUp = 0; warmUp < 20; ++warmUp)
        editor.typeKey();
    for (auto _ : state)
        editor.typeKey();
}
BENCHMARK(Keystroke)->Arg(0)->Arg(1)->ArgName("checking")->Unit(benchmark::kMillisecond)->Repetitions(5);

// Made-up words, so each is new to the dictionary.
void LookUpNewWord(benchmark::State &state)
{
    const Dictionary dictionary(QStringLiteral("da_DK"));
    int serial = 0;
    for (auto _ : state) {
        QString word = QStringLiteral("program");
        for (int rest = ++serial; rest > 0; rest /= 26)
            word += QChar(u'a' + rest % 26);
        benchmark::DoNotOptimize(dictionary.isCorrect(word));
    }
}
BENCHMARK(LookUpNewWord)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("NextItemStep/checking:0", {{"Keystroke/checking:1", "Keystroke/checking:0"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
