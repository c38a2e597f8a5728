#pragma once

#include <QList>
#include <QTextTableFormat>

// A table row's definition in RTF terms (\trowd, \trgaph, \trleft, \cellx), as the table that
// holds the rows keeps it.
struct RtfRowFormat {
    int gap = 0;  // \trgaph: half the space between cells, twips
    int left = 0; // \trleft: where the row starts, twips from the margin
    QList<int> cellRights; // \cellx: each cell's right edge, twips from the margin

    // More cells than a rich-edit row holds are damaged data.
    static constexpr int maximumCells = 64;

    bool operator==(const RtfRowFormat &other) const
    {
        return gap == other.gap && left == other.left && cellRights == other.cellRights;
    }

    // Column widths from the cells' edges; gap and left are kept for writing them back.
    void applyTo(QTextTableFormat &format) const;
    // The definition of a table's rows; a table Qt made gets widths from its own columns.
    static RtfRowFormat fromTableFormat(const QTextTableFormat &format, int columns);
};
