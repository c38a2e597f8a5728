#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextCharFormat>

// Character properties in RTF terms. Reader and writer both convert through this one type, so a
// run read from a file is written back with the same control words.
struct RtfCharacterFormat {
    // RTF sizes are half-points; 1638 pt is the largest size a rich-edit control accepts.
    static constexpr int maximumHalfPoints = 3276;
    static constexpr int defaultHalfPoints = 24;

    enum class Position { Normal, Superscript, Subscript };
    enum class Capitals { None, All, Small };

    // The RTF words of the underline kinds; kind 0 is no underline, 1 the plain \ul.
    static constexpr int underlineKinds = 18;
    static const char *underlineWord(int kind);

    QString family;
    // The font's \fcharset: 0 ANSI, 2 symbol (bytes are glyphs), others name a Windows code page.
    int charset = 0;
    int halfPoints = defaultHalfPoints;
    QColor foreground; // invalid = automatic text colour
    QColor background; // invalid = no background, which is not the same as white
    bool bold = false;
    bool italic = false;
    int underline = 0;
    bool strikeOut = false;
    Position position = Position::Normal;
    int raise = 0; // \upN (positive) or \dnN (negative), in half-points
    Capitals capitals = Capitals::None;
    bool hidden = false;
    bool rightToLeft = false;
    int language = 0; // \langN; 0: the document's default language
    QString link; // a hyperlink's target; empty for text outside links

    bool operator==(const RtfCharacterFormat &other) const;
    bool operator!=(const RtfCharacterFormat &other) const { return !(*this == other); }

    QTextCharFormat toCharFormat() const;
    // Properties the format leaves unset are taken from the document's default font.
    static RtfCharacterFormat fromCharFormat(const QTextCharFormat &format, const QFont &defaultFont);
};
