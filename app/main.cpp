#include "app/ProgramStart.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    return ProgramStart(application).run();
}
