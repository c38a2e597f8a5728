#include "description/RtfRowDefinitions.h"

#include "description/RtfColorTable.h"
#include "description/Twips.h"

#include <utility>

namespace {

// Word's widest border is 75 points.
constexpr int maximumBorderWidth = 1500;

} // namespace

RtfRowDefinitions::RtfRowDefinitions()
    : rows_(maximumTableDepth + 1)
{
}

void RtfRowDefinitions::apply(RtfKeyword::Row word, int value, int parameter, int tableDepth,
                              const RtfColorTable &colors)
{
    using Row = RtfKeyword::Row;
    RtfRowFormat &row = rows_[rowDepth_];
    switch (word) {
    case Row::Defaults:
        rowDepth_ = qBound(1, tableDepth, maximumTableDepth);
        rows_[rowDepth_] = RtfRowFormat();
        nextCell_ = RtfCellFormat();
        borderTarget_ = {};
        break;
    case Row::Gap: row.gap = clampTwips(parameter); break;
    case Row::Left: row.left = clampTwips(parameter); break;
    case Row::CellRight:
        if (row.cellRights.size() < RtfRowFormat::maximumCells) {
            row.cellRights.append(clampTwips(parameter));
            row.cells.append(nextCell_);
        }
        nextCell_ = RtfCellFormat();
        borderTarget_ = {};
        break;
    case Row::Height: row.height = clampTwips(parameter); break;
    case Row::RowBorder:
    case Row::CellBorder:
        // The border words that follow describe this border.
        borderTarget_ = {word == Row::RowBorder ? BorderTarget::Row : BorderTarget::Cell, value};
        if (RtfBorder *border = targetBorder())
            *border = RtfBorder();
        break;
    case Row::BorderStyle:
        if (RtfBorder *border = targetBorder())
            border->style = value;
        break;
    case Row::BorderWidth:
        if (RtfBorder *border = targetBorder())
            border->width = qBound(0, parameter, maximumBorderWidth);
        break;
    case Row::BorderColor:
        if (RtfBorder *border = targetBorder())
            border->color = colors.color(parameter);
        break;
    case Row::CellBackground: nextCell_.background = colors.color(parameter); break;
    case Row::CellPattern: nextCell_.pattern = colors.color(parameter); break;
    case Row::CellShading: nextCell_.shading = qBound(0, parameter, 10000); break;
    case Row::CellAlignment: nextCell_.alignment = RtfCellFormat::Alignment(value); break;
    case Row::CellMerge: {
        using Merge = RtfCellFormat::Merge;
        const Merge merge = value % 2 == 0 ? Merge::First : Merge::Continued;
        (value < 2 ? nextCell_.horizontalMerge : nextCell_.verticalMerge) = merge;
        break;
    }
    }
}

RtfRowFormat RtfRowDefinitions::take(int depth) { return std::exchange(rows_[depth], RtfRowFormat()); }

RtfBorder *RtfRowDefinitions::targetBorder()
{
    const int side = borderTarget_.side;
    switch (borderTarget_.owner) {
    case BorderTarget::Row: return side >= 0 && side < RtfBorder::rowSides ? &rows_[rowDepth_].borders[side] : nullptr;
    case BorderTarget::Cell: return side >= 0 && side < RtfBorder::cellSides ? &nextCell_.borders[side] : nullptr;
    case BorderTarget::None: break;
    }
    return nullptr;
}
