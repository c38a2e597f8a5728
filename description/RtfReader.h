#pragma once

#include <QByteArray>
#include <QStringList>

class QTextDocument;

// Reads a description file into a document, replacing its content. Files that do not start
// with an RTF header are read as Windows-1252 plain text, one paragraph a line.
class RtfReader {
public:
    // Descriptions are a few kilobytes; anything this large is not one.
    static constexpr qsizetype maximumInputSize = 16 * 1024 * 1024;

    // False, with the document emptied, only when nothing sensible could be read: input
    // beyond maximumInputSize, or binary data that is neither RTF nor text. Damaged RTF is read
    // as far as it makes sense.
    // notKept, when given, gets the words of what the file holds that the document cannot
    // (RtfParser::notKept).
    static bool read(const QByteArray &bytes, QTextDocument &document, QStringList *notKept = nullptr);
    // True when the bytes start as RTF (after a byte-order mark or blank lines); read() takes
    // anything else as plain text.
    static bool isRtf(const QByteArray &bytes);
};
