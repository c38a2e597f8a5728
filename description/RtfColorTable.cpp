#include "description/RtfColorTable.h"

namespace {

constexpr qsizetype maximumColors = 4096;

int component(int value) { return qBound(0, value, 255); }

} // namespace

void RtfColorTable::setRed(int value)
{
    red_ = component(value);
    entryHasComponent_ = true;
}

void RtfColorTable::setGreen(int value)
{
    green_ = component(value);
    entryHasComponent_ = true;
}

void RtfColorTable::setBlue(int value)
{
    blue_ = component(value);
    entryHasComponent_ = true;
}

void RtfColorTable::endEntry()
{
    if (colors_.size() < maximumColors)
        colors_.append(entryHasComponent_ ? QColor(red_, green_, blue_) : QColor());
    red_ = green_ = blue_ = 0;
    entryHasComponent_ = false;
}

bool RtfColorTable::contains(int index) const { return index >= 0 && index < colors_.size(); }

QColor RtfColorTable::color(int index) const { return contains(index) ? colors_.at(index) : QColor(); }
