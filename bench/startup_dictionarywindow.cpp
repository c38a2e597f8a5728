// The baseline of bench_startup's peak memory: an empty main window of the editor's size that
// opens the editor's Danish dictionary after its first frame, as the editor does, and then ends.
#include "FirstFrame.h"
#include "spelling/SpellingDictionaries.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    SpellingDictionaries dictionaries;
    const QuitAfterFirstFrame quit([&dictionaries] { dictionaries.of(QStringLiteral("Dansk")); });
    QMainWindow window;
    window.resize(755, 598);
    window.show();
    return application.exec();
}
