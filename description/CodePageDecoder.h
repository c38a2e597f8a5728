#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>

// Decodes the bytes of RTF text in a Windows code page. Windows-1252 never depends on the
// platform's converters; other code pages use them when available, double-byte ones included.
class CodePageDecoder {
public:
    static constexpr int windows1252 = 1252;
    static constexpr int utf8 = 65001;
    // Symbol fonts index glyphs by byte; the byte value is kept as the character.
    static constexpr int symbol = 42;
    // Code page numbers are 16 bits; a larger one in a file is damage.
    static constexpr int maximumCodePage = 65535;

    // The code page of a font's \fcharset; unknown sets and "default" fall back to the document's.
    static int codePageForCharset(int charset, int documentCodePage);
    // The character set a font of codePage is written with; 0 (ANSI) for pages no set names.
    static int charsetForCodePage(int codePage);
    // The name the platform's converters know the code page by.
    static QByteArray converterName(int codePage);

    QString decode(int codePage, QByteArrayView bytes);

private:
    QStringDecoder *decoderFor(int codePage);

    std::map<int, QStringDecoder> decoders_;
};
