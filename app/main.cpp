#include "app/EditMQV.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    TMQVEdit MQVEdit;
    MQVEdit.show();
    return application.exec();
}
