#pragma once

#include <QTextDocumentFragment>

class QMimeData;
class QFont;

// What pasted or dropped rich text becomes in a description: exactly what its file keeps, so
// the editor never shows what leaving the item would lose (a web heading is bold text of its
// size, a web list a list). Plain text stays plain.
namespace PastedDescription {

// Empty when source holds no rich text. Pictures come with their data; the document they are
// inserted into needs them as resources (addPictures).
QTextDocumentFragment fromMimeData(const QMimeData &source, const QFont &defaultFont);
// Gives document the pictures a fragment from fromMimeData shows.
void addPictures(const QTextDocumentFragment &fragment, QTextDocument &document);

} // namespace PastedDescription
