// The baseline of bench_startup: an empty main window of the editor's size, ending after its
// first frame.
#include "FirstFrame.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QuitAfterFirstFrame quit;
    QMainWindow window;
    window.resize(755, 598);
    window.show();
    return application.exec();
}
