#pragma once

#include "description/RtfCellFormat.h"

#include <QList>
#include <QTextTableFormat>

#include <array>

class QTextTable;

// A table row's definition in RTF terms (\trowd, \trgaph, \trleft, \trrh, the row's borders and
// each cell's words up to its \cellx), as the table that holds the rows keeps it.
struct RtfRowFormat {
    int gap = 0; // \trgaph: half the space between cells, twips
    int left = 0; // \trleft: where the row starts, twips from the margin
    QList<int> cellRights; // \cellx: each cell's right edge, twips from the margin
    QList<RtfCellFormat> cells; // each cell's definition, by the index of its \cellx; missing: plain
    int height = 0; // \trrh: twips; 0 fits the text, negative is exact
    std::array<RtfBorder, RtfBorder::rowSides> borders; // \trbrdrt, l, b, r, h, v

    // More cells than a rich-edit row holds are damaged data.
    static constexpr int maximumCells = 64;

    bool operator==(const RtfRowFormat &other) const
    {
        return gap == other.gap && left == other.left && height == other.height && borders == other.borders &&
            cellRights == other.cellRights && cells == other.cells;
    }

    // Column widths from the cells' edges; gap, left and the row's borders are kept for writing
    // them back.
    void applyTo(QTextTableFormat &format) const;
    // The definition of a table's rows; a table Qt made gets widths from its own columns.
    static RtfRowFormat fromTableFormat(const QTextTableFormat &format, int columns);
    // The definition of one row, with its height, its cells' borders and shading, and the
    // merges its cells' spans make.
    static RtfRowFormat fromTable(const QTextTable &table, int row);
};
