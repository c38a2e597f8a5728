#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

class CodePageDecoder;
class RtfTokenizer;

// The fonts of an RTF file's \fonttbl.
class RtfFontTable {
public:
    // Reads a \fonttbl group from just after its word. Names are in each font's own code page,
    // or the document's.
    void read(RtfTokenizer &tokenizer, CodePageDecoder &decoder, int documentCodePage, int unicodeFallbackLength,
              QStringList &notKept);

    bool contains(int number) const;
    // Empty for fonts the table does not name.
    QString family(int number) const;
    int codePage(int number, int documentCodePage) const;
    // The character set the font is written back with: the one of its code page.
    int charset(int number, int documentCodePage) const;

private:
    class Reader;

    void beginEntry(int number);
    void setCharset(int charset);
    void setCodePage(int codePage);
    // Name bytes are in the font's own code page; they are decoded when a \uN character
    // follows or the entry ends.
    void appendToName(QByteArrayView bytes);
    void appendToName(QChar character, CodePageDecoder &decoder, int documentCodePage);
    // Ends the open entry, if any.
    void endEntry(CodePageDecoder &decoder, int documentCodePage);

    struct Font {
        QString family;
        int charset = -1;
        int codePage = 0;
    };

    static int codePageOf(const Font &font, int documentCodePage);
    void decodeNameBytes(CodePageDecoder &decoder, int documentCodePage);

    QHash<int, Font> fonts_;
    bool entryOpen_ = false;
    int entryNumber_ = 0;
    Font entry_;
    QByteArray entryNameBytes_;
};
