#include "description/RtfParagraphFormat.h"

#include "description/RtfProperties.h"
#include "description/Twips.h"

#include <QTextOption>

#include <cmath>

namespace {

// \slmult1 counts in 240ths of a line; Qt's proportional height counts in percent.
constexpr qreal lineSpacingPerPercent = 2.4;
constexpr int singleLineSpacing = 240;
// Decimal tabs line up on the decimal comma of the Danish texts they are written for.
constexpr QChar decimalTabDelimiter = u',';

QTextOption::TabType tabType(RtfParagraphFormat::TabStop::Kind kind)
{
    switch (kind) {
    case RtfParagraphFormat::TabStop::Kind::Center: return QTextOption::CenterTab;
    case RtfParagraphFormat::TabStop::Kind::Right: return QTextOption::RightTab;
    case RtfParagraphFormat::TabStop::Kind::Decimal: return QTextOption::DelimiterTab;
    case RtfParagraphFormat::TabStop::Kind::Left:
    case RtfParagraphFormat::TabStop::Kind::Bar: break;
    }
    return QTextOption::LeftTab;
}

RtfParagraphFormat::TabStop::Kind tabKind(QTextOption::TabType type)
{
    switch (type) {
    case QTextOption::CenterTab: return RtfParagraphFormat::TabStop::Kind::Center;
    case QTextOption::RightTab: return RtfParagraphFormat::TabStop::Kind::Right;
    case QTextOption::DelimiterTab: return RtfParagraphFormat::TabStop::Kind::Decimal;
    case QTextOption::LeftTab: break;
    }
    return RtfParagraphFormat::TabStop::Kind::Left;
}

Qt::Alignment qtAlignment(RtfParagraphFormat::Alignment alignment)
{
    switch (alignment) {
    case RtfParagraphFormat::Alignment::Center: return Qt::AlignHCenter;
    case RtfParagraphFormat::Alignment::Right: return Qt::AlignRight;
    case RtfParagraphFormat::Alignment::Justify: return Qt::AlignJustify;
    case RtfParagraphFormat::Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

RtfParagraphFormat::Alignment rtfAlignment(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return RtfParagraphFormat::Alignment::Center;
    if (alignment & Qt::AlignRight)
        return RtfParagraphFormat::Alignment::Right;
    if (alignment & Qt::AlignJustify)
        return RtfParagraphFormat::Alignment::Justify;
    return RtfParagraphFormat::Alignment::Left;
}

bool isSingleSpacing(int lineSpacing, bool multiple)
{
    return lineSpacing == 0 || (multiple && lineSpacing == singleLineSpacing);
}

void setLength(QTextBlockFormat &format, void (QTextBlockFormat::*setter)(qreal), int twips)
{
    if (twips != 0)
        (format.*setter)(twipsToUnits(twips));
}

void setTabStops(QTextBlockFormat &format, const QList<RtfParagraphFormat::TabStop> &stops)
{
    using Kind = RtfParagraphFormat::TabStop::Kind;
    QList<QTextOption::Tab> tabs;
    QByteArray leaders;
    QList<int> bars;
    for (const RtfParagraphFormat::TabStop &stop : stops) {
        if (stop.kind == Kind::Bar) {
            bars.append(stop.position);
            continue;
        }
        const QTextOption::TabType type = tabType(stop.kind);
        tabs.append(QTextOption::Tab(twipsToUnits(stop.position), type,
                                     type == QTextOption::DelimiterTab ? decimalTabDelimiter : QChar()));
        leaders.append(char(stop.leader));
    }
    if (!tabs.isEmpty())
        format.setTabPositions(tabs);
    if (leaders.count('\0') != leaders.size())
        format.setProperty(RtfProperty::TabLeaders, leaders);
    if (!bars.isEmpty())
        format.setProperty(RtfProperty::BarTabs, QVariant::fromValue(bars));
}

// The stops in Qt's order with each bar tab before the first stop beyond it, so that stops
// read from a file in increasing order are written back in that order.
QList<RtfParagraphFormat::TabStop> readTabStops(const QTextBlockFormat &format)
{
    using TabStop = RtfParagraphFormat::TabStop;
    const QList<QTextOption::Tab> tabs = format.tabPositions();
    // Leaders belong to the stops they were set with; stops replaced since have none.
    QByteArray leaders = format.property(RtfProperty::TabLeaders).toByteArray();
    if (leaders.size() != tabs.size())
        leaders.fill('\0', tabs.size());
    const QList<int> bars = format.property(RtfProperty::BarTabs).value<QList<int>>();
    QList<TabStop> stops;
    qsizetype bar = 0;
    for (qsizetype i = 0; i < tabs.size(); ++i) {
        const int position = qMax(0, unitsToTwips(tabs.at(i).position));
        for (; bar < bars.size() && bars.at(bar) < position; ++bar)
            stops.append({qMax(0, bars.at(bar)), TabStop::Kind::Bar});
        const int leader = quint8(leaders.at(i));
        stops.append({position, tabKind(tabs.at(i).type),
                      leader < TabStop::leaders ? TabStop::Leader(leader) : TabStop::Leader::None});
    }
    for (; bar < bars.size(); ++bar)
        stops.append({qMax(0, bars.at(bar)), TabStop::Kind::Bar});
    if (stops.size() > RtfParagraphFormat::maximumTabStops)
        stops.resize(RtfParagraphFormat::maximumTabStops);
    return stops;
}

} // namespace

bool RtfParagraphFormat::operator==(const RtfParagraphFormat &other) const
{
    return leftIndent == other.leftIndent && rightIndent == other.rightIndent &&
        firstLineIndent == other.firstLineIndent && spaceBefore == other.spaceBefore &&
        spaceAfter == other.spaceAfter && lineSpacing == other.lineSpacing &&
        lineSpacingMultiple == other.lineSpacingMultiple && alignment == other.alignment &&
        tabStops == other.tabStops && rightToLeft == other.rightToLeft && list == other.list &&
        tableDepth == other.tableDepth;
}

QTextBlockFormat RtfParagraphFormat::toBlockFormat() const
{
    QTextBlockFormat format;
    setLength(format, &QTextBlockFormat::setLeftMargin, leftIndent);
    setLength(format, &QTextBlockFormat::setRightMargin, rightIndent);
    setLength(format, &QTextBlockFormat::setTextIndent, firstLineIndent);
    setLength(format, &QTextBlockFormat::setTopMargin, spaceBefore);
    setLength(format, &QTextBlockFormat::setBottomMargin, spaceAfter);
    if (!isSingleSpacing(lineSpacing, lineSpacingMultiple)) {
        if (lineSpacing < 0)
            format.setLineHeight(twipsToUnits(-lineSpacing), QTextBlockFormat::FixedHeight);
        else if (lineSpacingMultiple)
            format.setLineHeight(lineSpacing / lineSpacingPerPercent, QTextBlockFormat::ProportionalHeight);
        else
            format.setLineHeight(twipsToUnits(lineSpacing), QTextBlockFormat::MinimumHeight);
    }
    // RTF's alignments are the page's sides whatever the direction; Qt's follow the direction
    // unless absolute. A right-to-left paragraph without one starts at the right, as in the
    // word processors that write \rtlpar.
    if (alignment != Alignment::Left)
        format.setAlignment(qtAlignment(alignment) | (rightToLeft ? Qt::AlignAbsolute : Qt::Alignment()));
    if (!tabStops.isEmpty())
        setTabStops(format, tabStops);
    // A paragraph without \rtlpar keeps Qt's own direction.
    if (rightToLeft)
        format.setLayoutDirection(Qt::RightToLeft);
    return format;
}

RtfParagraphFormat RtfParagraphFormat::fromBlockFormat(const QTextBlockFormat &format)
{
    RtfParagraphFormat paragraph;
    paragraph.leftIndent = unitsToTwips(format.leftMargin());
    paragraph.rightIndent = unitsToTwips(format.rightMargin());
    paragraph.firstLineIndent = unitsToTwips(format.textIndent());
    paragraph.spaceBefore = unitsToTwips(format.topMargin());
    paragraph.spaceAfter = unitsToTwips(format.bottomMargin());
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight: {
        const qreal spacing = std::round(format.lineHeight() * lineSpacingPerPercent);
        paragraph.lineSpacing = spacing > 0 ? clampTwips(qint64(qMin<qreal>(spacing, twipsLimit))) : 0;
        paragraph.lineSpacingMultiple = paragraph.lineSpacing != 0;
        break;
    }
    case QTextBlockFormat::FixedHeight: paragraph.lineSpacing = -qAbs(unitsToTwips(format.lineHeight())); break;
    case QTextBlockFormat::MinimumHeight: paragraph.lineSpacing = qAbs(unitsToTwips(format.lineHeight())); break;
    default:
        // Single spacing, and Qt's added-leading mode, which RTF cannot express.
        break;
    }
    if (isSingleSpacing(paragraph.lineSpacing, paragraph.lineSpacingMultiple)) {
        paragraph.lineSpacing = 0;
        paragraph.lineSpacingMultiple = false;
    }
    paragraph.alignment = rtfAlignment(format.alignment());
    paragraph.tabStops = readTabStops(format);
    paragraph.rightToLeft = format.layoutDirection() == Qt::RightToLeft;
    return paragraph;
}
