#pragma once

#include <QPointF>
#include <QRectF>

class QPainter;
class QPalette;
class QTextCursor;
class QTextDocument;

// Qt 6.4 numbers every list from 1 and shows an item's own number only. A list read from a file
// may start elsewhere, and a level of a word processor's list may show the numbers of the levels
// above it ("1.2."; both are kept as properties, and written back): where Qt drew such an item's
// number, the number the item really has is drawn instead, in Qt's place, font and colour.
namespace ListStartNumbers {

// offset: where the document's origin is on the painter; clip: the part of the document to
// paint, in document coordinates; selection: the editor's cursor, whose selection Qt highlights.
void paint(QPainter &painter, const QTextDocument &document, QPointF offset, const QRectF &clip,
           const QPalette &palette, const QTextCursor &selection);

} // namespace ListStartNumbers
