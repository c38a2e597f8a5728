#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QStringList>

#include <limits>
#include <memory>

class PlainTextReader;
class QTextDocument;
class RtfParser;

// Reads a description file into a document, replacing its content, whole or in parts: a long
// description is shown from its start while the rest is read. Files that do not start with an RTF
// header are read as Windows-1252 plain text, one paragraph a line.
class RtfReader {
public:
    // Descriptions are a few kilobytes; anything this large is not one.
    static constexpr qsizetype maximumInputSize = 16 * 1024 * 1024;

    // Empties the document; nothing is read before readOn().
    RtfReader(QByteArray bytes, QTextDocument &document);
    ~RtfReader();
    RtfReader(const RtfReader &) = delete;
    RtfReader &operator=(const RtfReader &) = delete;

    // False, with the document left empty, only when nothing sensible can be read: input beyond
    // maximumInputSize, or binary data that is neither RTF nor text. Damaged RTF is read as far
    // as it makes sense.
    bool isReadable() const { return parser_ || plainText_; }
    // Reads on from where the last part stopped to the end, the deadline, or that many more
    // paragraphs, whichever comes first. True once the whole file is read.
    bool readOn(const QDeadlineTimer &deadline, int paragraphs = std::numeric_limits<int>::max());
    // The words of what the file holds that the document cannot (RtfParser::notKept).
    QStringList notKept() const;

    // The whole file at once; false as isReadable(). notKept, when given, gets notKept().
    static bool read(const QByteArray &bytes, QTextDocument &document, QStringList *notKept = nullptr);
    // True when the bytes start as RTF (after a byte-order mark or blank lines); read() takes
    // anything else as plain text.
    static bool isRtf(const QByteArray &bytes);

private:
    QByteArray bytes_;
    std::unique_ptr<RtfParser> parser_;
    std::unique_ptr<PlainTextReader> plainText_;
};
