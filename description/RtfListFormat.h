#pragma once

#include <QString>
#include <QTextListFormat>

// A paragraph's bullet or number in RTF terms: what rich-edit controls write as \pn and word
// processors as list levels. Reader and writer both convert through this one type.
struct RtfListFormat {
    enum class Kind { None, Bullet, Circle, Square, Decimal, LowerLetter, UpperLetter, LowerRoman, UpperRoman };

    Kind kind = Kind::None;
    int level = 1; // 1 to 9: how deep in a word processor's list; rich-edit lists are all level 1
    int start = 1; // the number of the list's first item
    // Which word-processor list the paragraph numbers on; 0 for a rich-edit list, whose numbers
    // run over a row of paragraphs.
    int listId = 0;
    QString prefix; // text before the number
    QString suffix; // text after it
    // The numbers of outer levels a word-processor level shows between its prefix and its own
    // number ("1." of "1.2."), as its level text holds them: a character below 9 stands for the
    // number of that level (0 the first), the rest is text between the numbers.
    QString outerNumbers;
    QString name; // the word-processor list's \listname; empty for none

    // What a number's text holds besides the number; more is damaged data, and a word
    // processor's level text must hold all of it in 255 characters. Control characters are
    // dropped too: in a level text those below 9 stand for the levels' numbers.
    static constexpr qsizetype maximumAffixLength = 32;
    void cleanAffixes();

    bool isList() const { return kind != Kind::None; }
    bool isNumbered() const { return kind >= Kind::Decimal; }
    // True when a paragraph of this format, after other paragraphs, numbers on the items of a
    // list of format earlier that holds items already.
    bool continues(const RtfListFormat &earlier, int items) const;
    bool operator==(const RtfListFormat &other) const;
    bool operator!=(const RtfListFormat &other) const { return !(*this == other); }

    // The kind of bullet a symbol stands for, from the glyph a list definition names.
    static Kind bulletKind(QStringView bullet);
    // The number of the item at index (from 0) as the list shows it, prefix and suffix included;
    // outer holds the outer levels' numbers as they show them, from level 1.
    QString itemText(int index, const QStringList &outer = {}) const;
    // The item's number alone, in the list's kind of numbers; empty for bullets.
    QString numberText(int index) const;

    QTextListFormat toListFormat() const;
    static RtfListFormat fromListFormat(const QTextListFormat &format);
};
