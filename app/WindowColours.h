#pragma once

#include <QColor>

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

} // namespace WindowColours
