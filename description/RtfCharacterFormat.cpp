#include "description/RtfCharacterFormat.h"

#include "description/DescriptionFont.h"
#include "description/RtfProperties.h"

#include <cmath>
#include <iterator>

namespace {

constexpr qreal pointsPerInch = 72;
constexpr qreal pixelsPerInch = 96;

QColor brushColor(const QTextCharFormat &format, QTextFormat::Property property)
{
    if (!format.hasProperty(property))
        return {};
    const QBrush brush = format.brushProperty(property);
    if (brush.style() == Qt::NoBrush)
        return {};
    // Colour tables hold opaque RGB; comparing in that form keeps one table entry per colour.
    return QColor(brush.color().rgb());
}

qreal defaultPointSize(const QFont &font)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    if (font.pixelSize() > 0)
        return font.pixelSize() * pointsPerInch / pixelsPerInch;
    return RtfCharacterFormat::defaultHalfPoints / 2.0;
}

// A font table entry ends at ';' and readers trim its name; two families that differ only
// there are one font in RTF.
QString fontTableName(QString family) { return family.remove(u';').trimmed(); }

int toHalfPoints(qreal points)
{
    const qreal halfPoints = std::round(points * 2);
    if (!(halfPoints > 1))
        return 1;
    if (!(halfPoints < RtfCharacterFormat::maximumHalfPoints))
        return RtfCharacterFormat::maximumHalfPoints;
    return int(halfPoints);
}

struct UnderlineKind {
    const char *word;
    QTextCharFormat::UnderlineStyle style;
};

// Qt draws fewer kinds than RTF names; the kind itself travels in a property.
constexpr UnderlineKind underlineTable[] = {
    {"ulnone", QTextCharFormat::NoUnderline},
    {"ul", QTextCharFormat::SingleUnderline},
    {"ulw", QTextCharFormat::SingleUnderline},
    {"uldb", QTextCharFormat::SingleUnderline},
    {"ulth", QTextCharFormat::SingleUnderline},
    {"uld", QTextCharFormat::DotLine},
    {"ulthd", QTextCharFormat::DotLine},
    {"uldash", QTextCharFormat::DashUnderline},
    {"ulthdash", QTextCharFormat::DashUnderline},
    {"ulldash", QTextCharFormat::DashUnderline},
    {"ulthldash", QTextCharFormat::DashUnderline},
    {"uldashd", QTextCharFormat::DashDotLine},
    {"ulthdashd", QTextCharFormat::DashDotLine},
    {"uldashdd", QTextCharFormat::DashDotDotLine},
    {"ulthdashdd", QTextCharFormat::DashDotDotLine},
    {"ulwave", QTextCharFormat::WaveUnderline},
    {"ulhwave", QTextCharFormat::WaveUnderline},
    {"ululdbwave", QTextCharFormat::WaveUnderline},
};
constexpr int underlineKindCount = RtfCharacterFormat::underlineKinds;
static_assert(std::size(underlineTable) == underlineKindCount);

// The kind a Qt underline style is written as when nothing says otherwise.
int defaultUnderlineKind(QTextCharFormat::UnderlineStyle style)
{
    if (style == QTextCharFormat::SpellCheckUnderline)
        style = QTextCharFormat::WaveUnderline;
    for (int kind = 1; kind < underlineKindCount; ++kind) {
        if (underlineTable[kind].style == style)
            return kind;
    }
    return 1;
}

int underlineKindOf(const QTextCharFormat &format, const QFont &defaultFont)
{
    QTextCharFormat::UnderlineStyle style = QTextCharFormat::NoUnderline;
    if (format.hasProperty(QTextFormat::TextUnderlineStyle))
        style = format.underlineStyle();
    else if (format.hasProperty(QTextFormat::FontUnderline))
        style = format.boolProperty(QTextFormat::FontUnderline) ? QTextCharFormat::SingleUnderline
                                                                : QTextCharFormat::NoUnderline;
    else if (defaultFont.underline())
        style = QTextCharFormat::SingleUnderline;
    if (style == QTextCharFormat::NoUnderline)
        return 0;
    const int kept = format.intProperty(RtfProperty::UnderlineKind);
    if (kept > 0 && kept < underlineKindCount && underlineTable[kept].style == style)
        return kept;
    return defaultUnderlineKind(style);
}

} // namespace

const char *RtfCharacterFormat::underlineWord(int kind)
{
    return underlineTable[qBound(0, kind, underlineKindCount - 1)].word;
}

bool RtfCharacterFormat::operator==(const RtfCharacterFormat &other) const
{
    return halfPoints == other.halfPoints && foreground == other.foreground && background == other.background &&
        bold == other.bold && italic == other.italic && underline == other.underline && strikeOut == other.strikeOut &&
        position == other.position && raise == other.raise && capitals == other.capitals && hidden == other.hidden &&
        family == other.family && charset == other.charset && rightToLeft == other.rightToLeft &&
        language == other.language && link == other.link;
}

QTextCharFormat RtfCharacterFormat::toCharFormat() const
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList(family));
    if (charset != 0)
        format.setProperty(RtfProperty::FontCharset, charset);
    format.setFontPointSize(halfPoints / 2.0);
    if (foreground.isValid())
        format.setForeground(foreground);
    if (background.isValid())
        format.setBackground(background);
    if (bold)
        format.setFontWeight(QFont::Bold);
    if (italic)
        format.setFontItalic(true);
    if (underline > 0) {
        const int kind = qMin(underline, underlineKindCount - 1);
        format.setUnderlineStyle(underlineTable[kind].style);
        if (kind != defaultUnderlineKind(underlineTable[kind].style))
            format.setProperty(RtfProperty::UnderlineKind, kind);
    }
    if (strikeOut)
        format.setFontStrikeOut(true);
    if (position == Position::Superscript)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (position == Position::Subscript)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (raise != 0)
        format.setBaselineOffset(raise * 100.0 / halfPoints);
    if (capitals != Capitals::None)
        format.setFontCapitalization(capitals == Capitals::All ? QFont::AllUppercase : QFont::SmallCaps);
    if (hidden)
        format.setObjectType(RtfProperty::HiddenTextObject);
    if (rightToLeft)
        format.setProperty(RtfProperty::RightToLeftRun, true);
    if (language != 0)
        format.setProperty(RtfProperty::Language, language);
    if (!link.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(link);
    }
    return format;
}

RtfCharacterFormat RtfCharacterFormat::fromCharFormat(const QTextCharFormat &format, const QFont &defaultFont)
{
    RtfCharacterFormat character;
    const QStringList families = format.fontFamilies().toStringList();
    character.family = fontTableName(families.isEmpty() ? QString() : families.first());
    if (character.family.isEmpty())
        character.family = fontTableName(defaultFont.family());
    if (character.family.isEmpty())
        character.family = DescriptionFont::family;
    character.charset = qBound(0, format.intProperty(RtfProperty::FontCharset), 255);
    qreal points = format.fontPointSize();
    if (!(points > 0) && format.hasProperty(QTextFormat::FontPixelSize))
        points = format.intProperty(QTextFormat::FontPixelSize) * pointsPerInch / pixelsPerInch;
    if (!(points > 0)) {
        // HTML headings and <big>/<small> scale the default size, as Qt shows them.
        static constexpr qreal scales[] = {0.7, 0.8, 1.0, 1.2, 1.5, 2.0, 2.4};
        const int adjustment = qBound(-2, format.intProperty(QTextFormat::FontSizeAdjustment), 4);
        points = defaultPointSize(defaultFont) * scales[adjustment + 2];
    }
    character.halfPoints = toHalfPoints(points);
    character.foreground = brushColor(format, QTextFormat::ForegroundBrush);
    character.background = brushColor(format, QTextFormat::BackgroundBrush);
    character.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() > QFont::Medium
                                                                 : defaultFont.weight() > QFont::Medium;
    character.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
    character.underline = underlineKindOf(format, defaultFont);
    character.strikeOut = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut()
                                                                         : defaultFont.strikeOut();
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript: character.position = Position::Superscript; break;
    case QTextCharFormat::AlignSubScript: character.position = Position::Subscript; break;
    default: break;
    }
    character.raise = int(std::round(qBound(-1000.0, format.baselineOffset(), 1000.0) * character.halfPoints / 100));
    const QFont::Capitalization capitalization = format.hasProperty(QTextFormat::FontCapitalization)
        ? format.fontCapitalization()
        : defaultFont.capitalization();
    if (capitalization == QFont::AllUppercase)
        character.capitals = Capitals::All;
    else if (capitalization == QFont::SmallCaps)
        character.capitals = Capitals::Small;
    character.hidden = format.objectType() == RtfProperty::HiddenTextObject;
    character.rightToLeft = format.boolProperty(RtfProperty::RightToLeftRun);
    character.language = format.intProperty(RtfProperty::Language);
    if (format.isAnchor())
        character.link = format.anchorHref();
    return character;
}
