#include "description/RtfCellFormat.h"

#include "description/RtfProperties.h"
#include "description/Twips.h"

#include <QBrush>

namespace {

// Mixes a pattern colour into a background as a shading percentage does: 100 % is the
// pattern colour alone. Without colours of their own, they are white and black.
QColor shadedBackground(const RtfCellFormat &cell)
{
    const QColor background = cell.background.isValid() ? cell.background : QColor(Qt::white);
    if (cell.shading <= 0)
        return background;
    const QColor pattern = cell.pattern.isValid() ? cell.pattern : QColor(Qt::black);
    const qreal share = qMin(cell.shading, 10000) / 10000.0;
    const auto mix = [share](int from, int to) { return int(std::round(from + (to - from) * share)); };
    return QColor(mix(background.red(), pattern.red()), mix(background.green(), pattern.green()),
                  mix(background.blue(), pattern.blue()));
}

} // namespace

const char *RtfBorder::styleWord(int style)
{
    static const char *const words[styles] = {
        nullptr,        "brdrs",      "brdrth",         "brdrsh",       "brdrdb",      "brdrdot",    "brdrdash",
        "brdrhair",     "brdrdashsm", "brdrdashd",      "brdrdashdd",   "brdrtriple",  "brdrtnthsg", "brdrthtnsg",
        "brdrtnthtnsg", "brdrtnthmg", "brdrthtnmg",     "brdrtnthtnmg", "brdrtnthlg",  "brdrthtnlg", "brdrtnthtnlg",
        "brdrwavy",     "brdrwavydb", "brdrdashdotstr", "brdremboss",   "brdrengrave", "brdroutset", "brdrinset",
    };
    return style > 0 && style < styles ? words[style] : nullptr;
}

QTextFrameFormat::BorderStyle RtfBorder::shownStyle() const
{
    const QByteArrayView word(styleWord(style));
    if (word == "brdrdot")
        return QTextFrameFormat::BorderStyle_Dotted;
    if (word == "brdrdash" || word == "brdrdashsm")
        return QTextFrameFormat::BorderStyle_Dashed;
    if (word == "brdrdashd" || word == "brdrdashdotstr")
        return QTextFrameFormat::BorderStyle_DotDash;
    if (word == "brdrdashdd")
        return QTextFrameFormat::BorderStyle_DotDotDash;
    if (word == "brdrdb" || word == "brdrtriple" || word == "brdrwavydb" || word.contains("tn"))
        return QTextFrameFormat::BorderStyle_Double;
    if (word == "brdremboss")
        return QTextFrameFormat::BorderStyle_Ridge;
    if (word == "brdrengrave")
        return QTextFrameFormat::BorderStyle_Groove;
    if (word == "brdroutset")
        return QTextFrameFormat::BorderStyle_Outset;
    if (word == "brdrinset")
        return QTextFrameFormat::BorderStyle_Inset;
    return QTextFrameFormat::BorderStyle_Solid;
}

void RtfBorder::store(QTextFormat &format, int first) const
{
    if (!isSet()) {
        for (int property = first; property < first + propertyCount; ++property)
            format.clearProperty(property);
        return;
    }
    format.setProperty(first, style);
    format.setProperty(first + 1, width);
    if (color.isValid())
        format.setProperty(first + 2, color);
    else
        format.clearProperty(first + 2);
}

RtfBorder RtfBorder::load(const QTextFormat &format, int first)
{
    RtfBorder border;
    border.style = qBound(0, format.intProperty(first), styles - 1);
    border.width = format.intProperty(first + 1);
    border.color = format.colorProperty(first + 2);
    if (!format.hasProperty(first + 2))
        border.color = QColor();
    return border;
}

bool RtfCellFormat::operator==(const RtfCellFormat &other) const
{
    return borders == other.borders && background == other.background && pattern == other.pattern &&
        shading == other.shading && horizontalMerge == other.horizontalMerge && verticalMerge == other.verticalMerge &&
        alignment == other.alignment;
}

bool RtfCellFormat::hasBorders() const
{
    for (const RtfBorder &border : borders) {
        if (border.isSet())
            return true;
    }
    return false;
}

void RtfCellFormat::applyTo(QTextTableCellFormat &format) const
{
    for (int side = 0; side < RtfBorder::cellSides; ++side)
        borders[side].store(format, RtfProperty::CellBorders + side * RtfBorder::propertyCount);
    using Setters = void (QTextTableCellFormat::*)(qreal);
    using StyleSetters = void (QTextTableCellFormat::*)(QTextFrameFormat::BorderStyle);
    using BrushSetters = void (QTextTableCellFormat::*)(const QBrush &);
    static constexpr Setters widths[] = {&QTextTableCellFormat::setTopBorder, &QTextTableCellFormat::setLeftBorder,
                                         &QTextTableCellFormat::setBottomBorder, &QTextTableCellFormat::setRightBorder};
    static constexpr StyleSetters styles[] = {
        &QTextTableCellFormat::setTopBorderStyle, &QTextTableCellFormat::setLeftBorderStyle,
        &QTextTableCellFormat::setBottomBorderStyle, &QTextTableCellFormat::setRightBorderStyle};
    static constexpr BrushSetters brushes[] = {
        &QTextTableCellFormat::setTopBorderBrush, &QTextTableCellFormat::setLeftBorderBrush,
        &QTextTableCellFormat::setBottomBorderBrush, &QTextTableCellFormat::setRightBorderBrush};
    for (int side = 0; side < RtfBorder::cellSides; ++side) {
        const RtfBorder &border = borders[side];
        if (!border.isSet())
            continue;
        // A hairline or a border without a width is drawn one pixel wide.
        (format.*widths[side])(qMax<qreal>(1, twipsToUnits(border.width)));
        (format.*styles[side])(border.shownStyle());
        (format.*brushes[side])(border.color.isValid() ? border.color : QColor(Qt::black));
    }
    const std::pair<int, QColor> colours[] = {{RtfProperty::CellBackground, background},
                                              {RtfProperty::CellPattern, pattern}};
    for (const auto &[property, colour] : colours) {
        if (colour.isValid())
            format.setProperty(property, colour);
    }
    if (shading != 0)
        format.setProperty(RtfProperty::CellShading, shading);
    if (hasShading())
        format.setBackground(shadedBackground(*this));
    if (alignment != Alignment::Top)
        format.setVerticalAlignment(alignment == Alignment::Center ? QTextCharFormat::AlignMiddle
                                                                   : QTextCharFormat::AlignBottom);
}

RtfCellFormat RtfCellFormat::fromCellFormat(const QTextTableCellFormat &format)
{
    RtfCellFormat cell;
    for (int side = 0; side < RtfBorder::cellSides; ++side)
        cell.borders[side] = RtfBorder::load(format, RtfProperty::CellBorders + side * RtfBorder::propertyCount);
    if (format.hasProperty(RtfProperty::CellBackground))
        cell.background = format.colorProperty(RtfProperty::CellBackground);
    if (format.hasProperty(RtfProperty::CellPattern))
        cell.pattern = format.colorProperty(RtfProperty::CellPattern);
    cell.shading = qBound(0, format.intProperty(RtfProperty::CellShading), 10000);
    if (format.verticalAlignment() == QTextCharFormat::AlignMiddle)
        cell.alignment = Alignment::Center;
    else if (format.verticalAlignment() == QTextCharFormat::AlignBottom)
        cell.alignment = Alignment::Bottom;
    return cell;
}
