#pragma once

#include "description/RtfListFormat.h"

#include <QStringList>

class CodePageDecoder;
class RtfTokenizer;

// A rich-edit paragraph's bullet or numbering: the \pn group, with the text before and after
// the number in its \pntxtb and \pntxta.
class RtfNumbering {
public:
    // Reads a \pn group from just after its word; its text is in codePage. A paragraph that
    // continues a list item (\pnlvlcont) has no number of its own.
    static RtfListFormat read(RtfTokenizer &tokenizer, CodePageDecoder &decoder, int codePage,
                              int unicodeFallbackLength, QStringList &notKept);
};
