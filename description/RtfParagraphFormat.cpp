#include "description/RtfParagraphFormat.h"

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
    case RtfParagraphFormat::TabStop::Kind::Center:
        return QTextOption::CenterTab;
    case RtfParagraphFormat::TabStop::Kind::Right:
        return QTextOption::RightTab;
    case RtfParagraphFormat::TabStop::Kind::Decimal:
        return QTextOption::DelimiterTab;
    case RtfParagraphFormat::TabStop::Kind::Left:
        break;
    }
    return QTextOption::LeftTab;
}

RtfParagraphFormat::TabStop::Kind tabKind(QTextOption::TabType type)
{
    switch (type) {
    case QTextOption::CenterTab:
        return RtfParagraphFormat::TabStop::Kind::Center;
    case QTextOption::RightTab:
        return RtfParagraphFormat::TabStop::Kind::Right;
    case QTextOption::DelimiterTab:
        return RtfParagraphFormat::TabStop::Kind::Decimal;
    case QTextOption::LeftTab:
        break;
    }
    return RtfParagraphFormat::TabStop::Kind::Left;
}

Qt::Alignment qtAlignment(RtfParagraphFormat::Alignment alignment)
{
    switch (alignment) {
    case RtfParagraphFormat::Alignment::Center:
        return Qt::AlignHCenter;
    case RtfParagraphFormat::Alignment::Right:
        return Qt::AlignRight;
    case RtfParagraphFormat::Alignment::Justify:
        return Qt::AlignJustify;
    case RtfParagraphFormat::Alignment::Left:
        break;
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

} // namespace

bool RtfParagraphFormat::operator==(const RtfParagraphFormat &other) const
{
    return leftIndent == other.leftIndent && rightIndent == other.rightIndent
        && firstLineIndent == other.firstLineIndent && spaceBefore == other.spaceBefore
        && spaceAfter == other.spaceAfter && lineSpacing == other.lineSpacing
        && lineSpacingMultiple == other.lineSpacingMultiple && alignment == other.alignment
        && tabStops == other.tabStops && list == other.list && tableDepth == other.tableDepth;
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
    if (alignment != Alignment::Left)
        format.setAlignment(qtAlignment(alignment));
    if (!tabStops.isEmpty()) {
        QList<QTextOption::Tab> tabs;
        tabs.reserve(tabStops.size());
        for (const TabStop &stop : tabStops) {
            const QTextOption::TabType type = tabType(stop.kind);
            tabs.append(QTextOption::Tab(twipsToUnits(stop.position), type,
                                         type == QTextOption::DelimiterTab ? decimalTabDelimiter : QChar()));
        }
        format.setTabPositions(tabs);
    }
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
    case QTextBlockFormat::FixedHeight:
        paragraph.lineSpacing = -qAbs(unitsToTwips(format.lineHeight()));
        break;
    case QTextBlockFormat::MinimumHeight:
        paragraph.lineSpacing = qAbs(unitsToTwips(format.lineHeight()));
        break;
    default:
        // Single spacing, and Qt's added-leading mode, which RTF cannot express.
        break;
    }
    if (isSingleSpacing(paragraph.lineSpacing, paragraph.lineSpacingMultiple)) {
        paragraph.lineSpacing = 0;
        paragraph.lineSpacingMultiple = false;
    }
    paragraph.alignment = rtfAlignment(format.alignment());
    const QList<QTextOption::Tab> tabs = format.tabPositions();
    for (const QTextOption::Tab &tab : tabs) {
        if (paragraph.tabStops.size() == maximumTabStops)
            break;
        paragraph.tabStops.append({qMax(0, unitsToTwips(tab.position)), tabKind(tab.type)});
    }
    return paragraph;
}
