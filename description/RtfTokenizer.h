#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Splits RTF bytes into groups, control words, control symbols, hex bytes and text runs.
// Line breaks and NUL bytes in the stream carry no meaning and are dropped here; the data of
// \binN is taken here as well, since it may hold any byte, braces included.
class RtfTokenizer {
public:
    enum class TokenType {
        End,
        GroupStart,
        GroupEnd,
        ControlWord, // name, and parameter when hasParameter
        ControlSymbol, // symbol: the character after the backslash; '\n' for backslash + CR or LF
        HexByte, // byte: the value of \'hh
        Text, // text: a run of literal bytes
        Binary, // \binN; text: its data
    };

    struct Token {
        TokenType type = TokenType::End;
        QByteArrayView text;
        int parameter = 0;
        bool hasParameter = false;
        char symbol = 0;
        unsigned char byte = 0;
    };

    // Reads the bytes where they are: they must outlive the tokenizer, which a temporary does not.
    explicit RtfTokenizer(QByteArrayView data);
    explicit RtfTokenizer(QByteArray &&data) = delete;

    Token next();

    // After \uN the next \ucN characters are the fallback for readers without Unicode: one \'hh,
    // one control word or symbol, one \bin, one literal byte each; a brace ends it early. True
    // when the whole token was fallback; a text token may lose only its first bytes.
    static bool skipsAsFallback(Token &token, int &fallbackLeft);
    // \ucN beyond any real fallback's length is damage.
    static constexpr int maximumFallbackLength = 16;
    // The character of \uN: a signed 16-bit code unit; positive values up to 65535 are accepted
    // as well, anything else is U+FFFD.
    static char16_t unicodeUnit(int parameter);

private:
    Token readControl();
    Token readControlWord();
    Token readHexByte();
    Token readText();
    int hexDigit(qsizetype at) const;

    QByteArrayView data_;
    qsizetype position_ = 0;
};
