#pragma once

#include <QColor>
#include <QTextFormat>

#include <array>

// One border of a table cell or row in RTF terms: its style word (\brdrs, \brdrdb, ...), its
// width (\brdrwN, twips) and its colour (\brdrcfN).
struct RtfBorder {
    enum Side { Top, Left, Bottom, Right, Horizontal, Vertical };
    static constexpr int cellSides = 4; // a cell has no inner borders
    static constexpr int rowSides = 6;
    static constexpr int propertyCount = 3; // kept on a format as style, width and colour

    // The style words by index; 0 is no border, which \brdrnone also says.
    static constexpr int styles = 28;
    static const char *styleWord(int style);

    int style = 0;
    int width = 0;
    QColor color; // invalid: automatic

    bool isSet() const { return style != 0; }
    bool operator==(const RtfBorder &other) const
    {
        return style == other.style && width == other.width && color == other.color;
    }
    bool operator!=(const RtfBorder &other) const { return !(*this == other); }

    // Kept as propertyCount properties from first; an unset border clears them.
    void store(QTextFormat &format, int first) const;
    static RtfBorder load(const QTextFormat &format, int first);
    QTextFrameFormat::BorderStyle shownStyle() const;
};

// A table cell's definition (the words before its \cellx): borders, shading, where its text
// stands, and whether it is merged with the cell before it or above it.
struct RtfCellFormat {
    enum class Merge { None, First, Continued };
    enum class Alignment { Top, Center, Bottom }; // \clvertalt, \clvertalc, \clvertalb

    std::array<RtfBorder, RtfBorder::cellSides> borders;
    QColor background; // \clcbpat; invalid: none
    QColor pattern; // \clcfpat: the colour \clshdng mixes into the background
    int shading = 0; // \clshdng: hundredths of a percent
    Merge horizontalMerge = Merge::None; // \clmgf, \clmrg
    Merge verticalMerge = Merge::None; // \clvmgf, \clvmrg
    Alignment alignment = Alignment::Top;

    bool operator==(const RtfCellFormat &other) const;
    bool operator!=(const RtfCellFormat &other) const { return !(*this == other); }
    bool hasBorders() const;
    bool hasShading() const { return background.isValid() || pattern.isValid() || shading != 0; }

    bool isPlain() const { return !hasBorders() && !hasShading() && alignment == Alignment::Top; }

    // Borders, shading and alignment as Qt draws them, beside the values written back; merges are
    // the table's spans.
    void applyTo(QTextTableCellFormat &format) const;
    static RtfCellFormat fromCellFormat(const QTextTableCellFormat &format);
};
