#include "app/EditMQV.h"

TMQVEdit::TMQVEdit(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Z-CD editor"));
}
