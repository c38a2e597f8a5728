#pragma once

#include <QColor>
#include <QTextCharFormat>

class QTextDocument;

// The description editor's formatting commands, as formats to merge into the selection and one
// whole-document operation.
namespace TextFormats {

// Sets all four style flags at once: the named ones on, the rest (underline, strikeout) off.
QTextCharFormat style(bool bold, bool italic);
QTextCharFormat size(int points);
QTextCharFormat colour(const QColor &colour);

// The house look: Arial on white for every character (size, colour and style kept), and every
// paragraph indented 8 pt, single-spaced, with no space around it and the first paragraph's tab
// stops, the first one at 70 pt.
void applyStandardLook(QTextDocument &document);

} // namespace TextFormats
