#pragma once

#include "description/TextDocumentBuilder.h"

#include <QByteArrayView>
#include <QDeadlineTimer>

class QTextDocument;

// Reads a Windows-1252 text file into a document, one paragraph a line, in the description's
// default font; in parts, as RtfParser reads RTF.
class PlainTextReader {
public:
    // Empties the document; text must stay until the end is read.
    PlainTextReader(QByteArrayView text, QTextDocument &document);

    // Reads on to the end, the deadline, or that many more paragraphs, whichever comes first.
    // True once the whole text is read.
    bool readOn(const QDeadlineTimer &deadline, int paragraphs);

private:
    QByteArrayView text_;
    TextDocumentBuilder builder_;
    QTextCharFormat format_;
    qsizetype lineStart_ = 0;
    bool finished_ = false;
};
