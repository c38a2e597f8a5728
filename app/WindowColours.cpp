#include "app/WindowColours.h"

#include "display/TitleWidth.h"

#include <QAbstractScrollArea>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace {

QPalette::ColorRole fontRole(const QWidget *widget)
{
    const bool editsText = qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractScrollArea *>(widget);
    return editsText ? QPalette::Text : QPalette::WindowText;
}

} // namespace

namespace WindowColours {

QColor black() { return QColor(0, 0, 0); }

QColor blue() { return QColor(0, 0, 255); }

QColor red() { return QColor(255, 0, 0); }

QColor green() { return QColor(0, 128, 0); }

void setFontColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(fontRole(widget), colour);
    widget->setPalette(palette);
}

QColor fontColour(const QWidget *widget) { return widget->palette().color(fontRole(widget)); }

void markFileAvailability(QWidget *field, FileAvailability availability)
{
    switch (availability) {
    case FileAvailability::InItemFolder: setFontColour(field, black()); break;
    case FileAvailability::InDanishEditionOnly: setFontColour(field, blue()); break;
    case FileAvailability::Missing: setFontColour(field, red()); break;
    }
}

void showTitle(QLabel *label, const QString &title)
{
    label->setText(title);
    setFontColour(label, TitleWidth::isTooWide(title) ? red() : black());
}

} // namespace WindowColours
