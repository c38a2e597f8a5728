#include "description/TableGrid.h"

#include "description/RtfProperties.h"
#include "description/Twips.h"

#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextTable>

#include <algorithm>
#include <vector>

namespace {

using Merge = RtfCellFormat::Merge;

// Each merge lays out the table's grid anew; a description's tables merge a few cells, a file
// that merges thousands is damaged, and the rest of its cells stay apart. A merged cell counts as
// many merges however its row writes it (one wide cell, or a first cell and cells continued from
// it), so that the merges made of a file are those made of the file we write of it.
constexpr int maximumMerges = 1000;

// Where a row's cells stand on the grid: the first column of each and how many it spans.
struct Placement {
    QList<int> first;
    QList<int> span;
};

// Edges out of order or beyond the grid are damaged data: such a row keeps a column a cell.
Placement place(const RtfRowFormat &row, const QList<int> &edges, int columns)
{
    Placement placement;
    int next = 0;
    for (int right : row.cellRights) {
        const qsizetype last = edges.indexOf(right);
        if (last < next || last >= columns)
            return {};
        placement.first.append(next);
        placement.span.append(int(last) - next + 1);
        next = int(last) + 1;
    }
    return placement;
}

Placement oneColumnEach(const RtfRowFormat &row, int columns)
{
    Placement placement;
    for (int cell = 0; cell < qMin(int(row.cellRights.size()), columns); ++cell) {
        placement.first.append(cell);
        placement.span.append(1);
    }
    return placement;
}

// Qt 6.4 copies a width into the list it is growing when a table with column widths gets a
// column, reading freed memory; the widths are set around it instead.
void appendColumns(QTextTable &table, int count)
{
    QTextTableFormat format = table.format();
    const QList<QTextLength> widths = format.columnWidthConstraints();
    format.clearColumnWidthConstraints();
    table.setFormat(format);
    table.appendColumns(count);
    format.setColumnWidthConstraints(widths);
    table.setFormat(format);
}

void moveContent(QTextTable &table, int row, int from, int to)
{
    const QTextTableCell source = table.cellAt(row, from);
    QTextCursor content = source.firstCursorPosition();
    content.setPosition(source.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    const QTextBlockFormat blockFormat = content.blockFormat();
    const QTextCharFormat markFormat = content.blockCharFormat();
    const QTextDocumentFragment moved = content.selection();
    content.removeSelectedText();
    QTextCursor target = table.cellAt(row, to).firstCursorPosition();
    target.setBlockFormat(blockFormat);
    target.setBlockCharFormat(markFormat);
    target.insertFragment(moved);
}

void setWidths(QTextTable &table, const QList<int> &edges)
{
    QTextTableFormat format = table.format();
    QList<QTextLength> widths = format.columnWidthConstraints();
    widths.resize(table.columns());
    int previous = format.intProperty(RtfProperty::RowLeft);
    for (qsizetype column = 0; column < edges.size() && column < widths.size(); ++column) {
        widths[column] = QTextLength(QTextLength::FixedLength, twipsToUnits(qMax(0, edges.at(column) - previous)));
        previous = edges.at(column);
    }
    format.setColumnWidthConstraints(widths);
    table.setFormat(format);
}

void applyCellFormats(QTextTable &table, int row, const RtfRowFormat &definition, const Placement &placement)
{
    for (qsizetype cell = 0; cell < placement.first.size(); ++cell) {
        const RtfCellFormat cellFormat = definition.cells.value(cell);
        if (cellFormat.isPlain())
            continue;
        QTextTableCell tableCell = table.cellAt(row, placement.first.at(cell));
        QTextTableCellFormat format = tableCell.format().toTableCellFormat();
        cellFormat.applyTo(format);
        tableCell.setFormat(format);
        if (cellFormat.hasBorders() && !table.format().borderCollapse()) {
            // Qt draws a cell's own borders only where the cells share their edges.
            QTextTableFormat tableFormat = table.format();
            tableFormat.setBorderCollapse(true);
            table.setFormat(tableFormat);
        }
    }
}

// Qt 6.4 joins the empty paragraph of a cell it merges away with the paragraph before it in the
// document, which takes the block format of the paragraph that goes: the last paragraph of the
// cell before each cell merged away keeps its own here. (Its character format stays; for a cell's
// first paragraph it is also the cell's format, which the merge changes.)
void mergeCells(QTextTable &table, int row, int column, int rows, int columns)
{
    const auto mergedAway = [&](const QTextTableCell &cell) {
        return cell.row() >= row && cell.row() < row + rows && cell.column() >= column &&
            cell.column() < column + columns && (cell.row() != row || cell.column() != column);
    };
    struct Kept {
        QTextCursor at;
        QTextBlockFormat format;
    };
    std::vector<Kept> kept;
    for (int r = row; r < qMin(row + rows, table.rows()); ++r) {
        for (int c = column; c < qMin(column + columns, table.columns()); ++c) {
            const QTextTableCell before = c > 0 ? table.cellAt(r, c - 1)
                : r > 0                         ? table.cellAt(r - 1, table.columns() - 1)
                                                : QTextTableCell();
            if (!before.isValid() || mergedAway(before) || (r == row && c == column))
                continue;
            const QTextCursor last = before.lastCursorPosition();
            kept.push_back({last, last.blockFormat()});
        }
    }
    table.mergeCells(row, column, rows, columns);
    for (Kept &cell : kept) {
        if (cell.at.blockFormat() != cell.format)
            cell.at.setBlockFormat(cell.format);
    }
}

// Merges the cells at most a limited number of times; true when the cell spans them.
bool mergeIfAllowed(QTextTable &table, int row, int column, int rows, int columns, int &merges)
{
    if (merges >= maximumMerges)
        return false;
    mergeCells(table, row, column, rows, columns);
    const QTextTableCell merged = table.cellAt(row, column);
    if (merged.rowSpan() < rows || merged.columnSpan() < columns)
        return false;
    ++merges;
    return true;
}

// The grid columns a wide cell that stays apart does not reach are empty cells of their own, which
// show as the cell they were to be part of.
void formatAsWideCell(QTextTable &table, int row, const Placement &placement, qsizetype cell)
{
    const int first = placement.first.at(cell);
    const QTextCursor wide = table.cellAt(row, first).lastCursorPosition();
    for (int column = first + 1; column < first + placement.span.at(cell); ++column) {
        QTextCursor empty = table.cellAt(row, column).firstCursorPosition();
        empty.setBlockCharFormat(wide.blockCharFormat());
        empty.setBlockFormat(wide.blockFormat());
    }
}

// A wide cell spans its grid columns; a cell continued from the one before it or above it
// becomes part of that cell.
void merge(QTextTable &table, int row, const RtfRowFormat &definition, const Placement &placement, int &merges)
{
    for (qsizetype cell = 0; cell < placement.first.size();) {
        qsizetype last = cell;
        while (last + 1 < placement.first.size() &&
               definition.cells.value(last + 1).horizontalMerge == Merge::Continued)
            ++last;
        const int first = placement.first.at(cell);
        const int span = placement.first.at(last) + placement.span.at(last) - first;
        if (span > 1 && !mergeIfAllowed(table, row, first, 1, span, merges)) {
            for (qsizetype apart = cell; apart <= last; ++apart)
                formatAsWideCell(table, row, placement, apart);
        }
        cell = last + 1;
    }
    for (qsizetype cell = 0; cell < placement.first.size() && row > 0; ++cell) {
        const int first = placement.first.at(cell);
        const QTextTableCell above = table.cellAt(row - 1, first);
        const QTextTableCell own = table.cellAt(row, first);
        if (definition.cells.value(cell).verticalMerge != Merge::Continued || above.column() != first ||
            own.row() != row || own.column() != first)
            continue;
        mergeIfAllowed(table, above.row(), first, row - above.row() + 1, qMax(above.columnSpan(), own.columnSpan()),
                       merges);
    }
}

} // namespace

namespace TableGrid {

void arrange(QTextTable &table, const QList<RtfRowFormat> &rows)
{
    QList<int> edges;
    bool even = true;
    for (const RtfRowFormat &row : rows) {
        edges.append(row.cellRights);
        even = even && (row.cellRights.isEmpty() || row.cellRights == rows.constFirst().cellRights);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    // A grid a row of text cells could not be put on keeps a column a cell.
    const bool onGrid = !even && edges.size() <= RtfRowFormat::maximumCells && edges.size() >= table.columns();
    if (onGrid && edges.size() > table.columns())
        appendColumns(table, int(edges.size()) - table.columns());
    QList<Placement> placements;
    for (qsizetype row = 0; row < rows.size() && row < table.rows(); ++row) {
        Placement placement = onGrid ? place(rows.at(row), edges, table.columns()) : Placement();
        if (placement.first.isEmpty())
            placement = oneColumnEach(rows.at(row), table.columns());
        // From the last cell back, so that each moves into a cell already emptied.
        for (qsizetype cell = placement.first.size() - 1; cell >= 0; --cell) {
            if (placement.first.at(cell) != cell)
                moveContent(table, int(row), int(cell), placement.first.at(cell));
        }
        placements.append(placement);
    }
    if (onGrid)
        setWidths(table, edges);
    QList<int> heights;
    int merges = 0;
    for (qsizetype row = 0; row < placements.size(); ++row) {
        const RtfRowFormat &definition = rows.at(row);
        applyCellFormats(table, int(row), definition, placements.at(row));
        merge(table, int(row), definition, placements.at(row), merges);
        if (definition.height != 0) {
            heights.resize(row + 1);
            heights[row] = definition.height;
        }
    }
    if (!heights.isEmpty()) {
        QTextTableFormat format = table.format();
        format.setProperty(RtfProperty::RowHeights, QVariant::fromValue(heights));
        table.setFormat(format);
    }
}

} // namespace TableGrid
