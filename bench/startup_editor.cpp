// The editor started as a user starts it, ending after its first frame; timed by bench_startup.
// With --settled it ends only once what it does after its first frame is done: the window
// filled, the screenshot shown and the description's dictionary open.
#include "FirstFrame.h"
#include "app/EditMQV.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QThreadPool>

#include <cstring>

namespace {

void settle()
{
    QElapsedTimer running;
    running.start();
    while (running.elapsed() < 300) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const bool settled = argc > 1 && std::strcmp(argv[1], "--settled") == 0;
    const QuitAfterFirstFrame quit(settled ? settle : std::function<void()>());
    TMQVEdit MQVEdit(nullptr, TMQVEdit::Filling::AfterFirstFrame);
    MQVEdit.show();
    return application.exec();
}
