#pragma once

#include "description/RtfListFormat.h"

#include <QList>
#include <QTextBlockFormat>

// Paragraph properties in RTF terms (twips, \sl with \slmult). Reader and writer both convert
// through this one type, so a paragraph format read from a file is written back word for word.
struct RtfParagraphFormat {
    enum class Alignment { Left, Center, Right, Justify };

    struct TabStop {
        // A bar tab draws a vertical line and is no stop: Qt has none, so it is kept beside
        // the stops, as are the leaders Qt does not draw.
        enum class Kind { Left, Center, Right, Decimal, Bar };
        enum class Leader { None, Dot, MiddleDot, Hyphen, Underline, Thick, Equals };
        static constexpr int leaders = 7;
        int position = 0;
        Kind kind = Kind::Left;
        Leader leader = Leader::None;
        bool operator==(const TabStop &other) const
        {
            return position == other.position && kind == other.kind && leader == other.leader;
        }
    };

    // The most stops a rich-edit paragraph holds.
    static constexpr int maximumTabStops = 32;

    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    // 0 = single. Positive: at least that many twips, or with lineSpacingMultiple N/240 lines.
    // Negative: exactly -N twips.
    int lineSpacing = 0;
    bool lineSpacingMultiple = false;
    Alignment alignment = Alignment::Left;
    QList<TabStop> tabStops; // stops and bar tabs, at most maximumTabStops
    bool rightToLeft = false;
    // Not part of the block format: Qt holds them in the paragraph's list and in the tables
    // around it.
    RtfListFormat list;
    int tableDepth = 0; // \intbl, \itapN: how many tables deep the paragraph stands

    bool operator==(const RtfParagraphFormat &other) const;
    bool operator!=(const RtfParagraphFormat &other) const { return !(*this == other); }

    QTextBlockFormat toBlockFormat() const;
    static RtfParagraphFormat fromBlockFormat(const QTextBlockFormat &format);
};
