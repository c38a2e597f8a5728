#pragma once

#include "description/DescriptionLanguage.h"

#include <QString>

class QWidget;

// What a screen reader says of each control of the editor's windows, in one place. Fields are
// named by their labels, made their buddies so the reader also learns which label belongs to
// which field; tool-bar buttons by their hint or, without one, by what they do; formatting
// buttons by the words and shortcut of their context-menu entry; the colour marks by what they
// mean. The captions, hints and shortcuts the user sees stay as they are.
namespace AccessibleNames {

// Names every control of this window (the editor's or one it opens) that the table knows.
void give(QWidget *window);

// The short text and the description, with the language they are written in.
QString shortText(DescriptionLanguage language);
QString description(DescriptionLanguage language);

// A picture named by what it shows: the screenshot or the icon, or that there is none.
void showsPicture(QWidget *picture, bool shown);

} // namespace AccessibleNames
