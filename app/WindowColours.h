#pragma once

#include "catalogue/ItemFolder.h"

#include <QColor>
#include <QString>

class QLabel;
class QWidget;

// The window marks state only by font colour: black present, blue only in the Danish edition,
// red missing. Text fields carry it as their text colour, buttons as their button-text colour,
// every other control as its window-text colour, so a mark is always set and read back one way.
//
// A mark keeps its exact colour on every desktop. On a dark palette the control that carries it
// gets a background of its own that the colour reads on: white for black, blue and green, black
// for red (pure red reaches 4.5:1 on no light background, at most 4:1 on white). On a light
// palette nothing changes.
namespace WindowColours {

QColor black();
QColor blue();
QColor red();
QColor green();

void setFontColour(QWidget *widget, const QColor &colour);
QColor fontColour(const QWidget *widget);

// What each colour means on this control, read out by a screen reader as its description: a
// colour alone tells a blind user nothing. An empty meaning says nothing.
struct Meanings {
    QString black;
    QString blue;
    QString red;
};
void describeMarks(QWidget *widget, const Meanings &meanings);

// Gives every marked control of the window its background again once the desktop's palette
// changes, as when the user switches to a dark style while the editor runs.
void followPalette(QWidget *window);

// The contrast of two colours as the web's accessibility guidelines measure it, 1 to 21.
double contrast(const QColor &first, const QColor &second);

// A file name's field in the colour of where the file was found.
void markFileAvailability(QWidget *field, FileAvailability availability);
// The title in the title label; red when it is wider than the label, so the user sees it will
// not fit on the disc's menu.
void showTitle(QLabel *label, const QString &title);

} // namespace WindowColours
