#pragma once

#include <QString>
#include <QTextCharFormat>

class QTextDocument;

// A description's formatted text for a web page: the body of what Qt makes of the document, so
// it can sit inside a page of our own.
namespace DescriptionHtml {

// Font families a browser may not have fall back to a sans-serif face, as the editor's
// stand-ins do, instead of to the browser's default serif.
// Words given this format come out as <span class="unknown-word">, for the page to underline
// as the editor does.
QTextCharFormat unknownWordMark();
QString fragment(const QTextDocument &document);

// The fragment of a description as the proof sheet shows it: a long one is cut after its first
// characters with a note of how much was left out, so that a page of 70 items stays printable.
// Formatting that would still make the shown part large is dropped for its plain text.
struct Shown {
    QString html;
    QString cutNote; // in Danish; empty when the description is shown whole and formatted
};
Shown shownOnProofSheet(const QTextDocument &document);

} // namespace DescriptionHtml
