#include "description/RtfRowFormat.h"

#include "description/RtfProperties.h"
#include "description/Twips.h"

#include <QTextTable>

namespace {

// Rows of a table Qt made without widths are as wide as a rich-edit control's default page
// text, shared evenly.
constexpr int defaultRowWidth = 9360;
constexpr int defaultGap = 108;

} // namespace

void RtfRowFormat::applyTo(QTextTableFormat &format) const
{
    QList<QTextLength> widths;
    int previous = left;
    for (int right : cellRights) {
        widths.append(QTextLength(QTextLength::FixedLength, twipsToUnits(qMax(0, right - previous))));
        previous = right;
    }
    format.setColumnWidthConstraints(widths);
    format.setProperty(RtfProperty::RowGap, gap);
    format.setProperty(RtfProperty::RowLeft, left);
    // The table keeps the row borders any of its rows has: word processors give all rows the same.
    for (int side = 0; side < RtfBorder::rowSides; ++side) {
        if (borders[side].isSet())
            borders[side].store(format, RtfProperty::RowBorders + side * RtfBorder::propertyCount);
    }
    // Rich-edit controls pad cells by the gap and draw no space between them.
    format.setCellPadding(twipsToUnits(gap));
    format.setCellSpacing(0);
}

RtfRowFormat RtfRowFormat::fromTableFormat(const QTextTableFormat &format, int columns)
{
    RtfRowFormat row;
    row.gap = format.hasProperty(RtfProperty::RowGap) ? format.intProperty(RtfProperty::RowGap) : defaultGap;
    row.left = format.hasProperty(RtfProperty::RowLeft) ? format.intProperty(RtfProperty::RowLeft) : -defaultGap;
    for (int side = 0; side < RtfBorder::rowSides; ++side)
        row.borders[side] = RtfBorder::load(format, RtfProperty::RowBorders + side * RtfBorder::propertyCount);
    const QList<QTextLength> widths = format.columnWidthConstraints();
    int right = row.left;
    for (int column = 0; column < qMin(columns, maximumCells); ++column) {
        const QTextLength width = widths.value(column);
        const int twips = width.type() == QTextLength::FixedLength ? unitsToTwips(width.rawValue())
                                                                   : defaultRowWidth / qMax(1, columns);
        right = clampTwips(qint64(right) + qMax(1, twips));
        row.cellRights.append(right);
    }
    return row;
}

RtfRowFormat RtfRowFormat::fromTable(const QTextTable &table, int row)
{
    RtfRowFormat definition = fromTableFormat(table.format(), table.columns());
    definition.height = table.format().property(RtfProperty::RowHeights).value<QList<int>>().value(row);
    using Merge = RtfCellFormat::Merge;
    for (int column = 0; column < definition.cellRights.size(); ++column) {
        // A cell a span covers is written with the definition of the cell that covers it.
        const QTextTableCell cell = table.cellAt(row, column);
        RtfCellFormat cellFormat = RtfCellFormat::fromCellFormat(cell.format().toTableCellFormat());
        if (cell.columnSpan() > 1)
            cellFormat.horizontalMerge = cell.column() == column ? Merge::First : Merge::Continued;
        if (cell.rowSpan() > 1)
            cellFormat.verticalMerge = cell.row() == row ? Merge::First : Merge::Continued;
        definition.cells.append(cellFormat);
    }
    return definition;
}
