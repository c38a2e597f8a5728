// The editor started as a user starts it, ending after its first frame; timed by bench_startup.
#include "FirstFrame.h"
#include "app/EditMQV.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QuitAfterFirstFrame quit;
    TMQVEdit MQVEdit;
    MQVEdit.show();
    return application.exec();
}
