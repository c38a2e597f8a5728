#include "app/EditMQV.h"
#include "app/NumberSpinEdit.h"
#include "support/WindowActions.h"

#include <QApplication>

#include <cstdio>

// A user typing into an editor that is then killed: opens the window on the catalogue in the
// current folder, goes to the item the second argument names (if any), types the first argument
// into the description, says "typed" on standard output and runs until it is killed.
int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    TMQVEdit window;
    window.show();
    if (argc > 2)
        window.Nummer->setValue(QString::fromLocal8Bit(argv[2]).toInt());
    typeDescription(window, QString::fromLocal8Bit(argv[1]));
    std::puts("typed");
    std::fflush(stdout);
    return QApplication::exec();
}
