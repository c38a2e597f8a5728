#pragma once

#include <QColor>
#include <QList>
#include <QStringList>

class RtfTokenizer;

// The colours of an RTF file's \colortbl. An entry without components is "automatic",
// as the empty first entry rich-edit controls write.
class RtfColorTable {
public:
    // Reads a \colortbl group from just after its word.
    void read(RtfTokenizer &tokenizer, int unicodeFallbackLength, QStringList &notKept);

    bool contains(int index) const;
    // Invalid for automatic entries and for indexes the table does not hold.
    QColor color(int index) const;

private:
    class Reader;

    void endEntry();

    QList<QColor> colors_;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool entryHasComponent_ = false;
};
