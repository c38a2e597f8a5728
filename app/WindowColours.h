#pragma once

#include "catalogue/ItemFolder.h"

#include <QColor>

class QLabel;
class QString;
class QWidget;

// The window marks state only by font colour: black present, blue only in the Danish edition,
// red missing. Text fields carry it as their text colour, every other control as its window-text
// colour, so a mark is always set and read back one way.
namespace WindowColours {

QColor black();
QColor blue();
QColor red();
QColor green();

void setFontColour(QWidget *widget, const QColor &colour);
QColor fontColour(const QWidget *widget);

// A file name's field in the colour of where the file was found.
void markFileAvailability(QWidget *field, FileAvailability availability);
// The title in the title label; red when it is wider than the label, so the user sees it will
// not fit on the disc's menu.
void showTitle(QLabel *label, const QString &title);

} // namespace WindowColours
