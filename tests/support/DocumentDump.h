#pragma once

#include <QString>

class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;

// Readable descriptions of a document's text and of every format RTF carries, read with Qt's
// own getters. Tests compare documents through them and show where they differ.
namespace DocumentDump {

// The paragraphs' raw text joined by '\n'; line breaks, tabs and no-break spaces stay as they are.
QString text(const QTextDocument &document);

// "family size fg=… bg=… flags", e.g. "Calibri 11pt fg=#0000ff bg=auto bu".
QString describe(const QTextCharFormat &format);
// Alignment, then whatever is not zero: "center left=48 indent=-24 line=proportional:115 tabs=48L,96R".
QString describe(const QTextBlockFormat &format);
// One line per paragraph: its format, its list ("[list style prefix/suffix start= level= item=]"), then "{format}text" per run of equal formats.
// An empty paragraph shows its mark's format instead.
QString describe(const QTextDocument &document);

} // namespace DocumentDump
