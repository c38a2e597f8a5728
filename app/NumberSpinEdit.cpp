#include "app/NumberSpinEdit.h"

#include "catalogue/Catalogue.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr int largeStep = 5;

} // namespace

NumberSpinEdit::NumberSpinEdit(QWidget *parent)
    : QSpinBox(parent)
{
    setRange(Catalogue::FirstItemNumber, Catalogue::LastItemNumber);
    setSingleStep(1);
    setValue(1);
    lineEdit()->setCursor(Qt::IBeamCursor);
}

void NumberSpinEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        stepBy(event->key() == Qt::Key_PageUp ? largeStep : -largeStep);
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}
