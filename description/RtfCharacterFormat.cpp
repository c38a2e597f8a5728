#include "description/RtfCharacterFormat.h"

#include "description/DescriptionFont.h"

#include <cmath>

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
QString fontTableName(QString family)
{
    return family.remove(u';').trimmed();
}

int toHalfPoints(qreal points)
{
    const qreal halfPoints = std::round(points * 2);
    if (!(halfPoints > 1))
        return 1;
    if (!(halfPoints < RtfCharacterFormat::maximumHalfPoints))
        return RtfCharacterFormat::maximumHalfPoints;
    return int(halfPoints);
}

} // namespace

bool RtfCharacterFormat::operator==(const RtfCharacterFormat &other) const
{
    return halfPoints == other.halfPoints && foreground == other.foreground
        && background == other.background && bold == other.bold && italic == other.italic
        && underline == other.underline && strikeOut == other.strikeOut && family == other.family;
}

QTextCharFormat RtfCharacterFormat::toCharFormat() const
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList(family));
    format.setFontPointSize(halfPoints / 2.0);
    if (foreground.isValid())
        format.setForeground(foreground);
    if (background.isValid())
        format.setBackground(background);
    if (bold)
        format.setFontWeight(QFont::Bold);
    if (italic)
        format.setFontItalic(true);
    if (underline)
        format.setFontUnderline(true);
    if (strikeOut)
        format.setFontStrikeOut(true);
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
    const qreal points = format.fontPointSize();
    character.halfPoints = toHalfPoints(points > 0 ? points : defaultPointSize(defaultFont));
    character.foreground = brushColor(format, QTextFormat::ForegroundBrush);
    character.background = brushColor(format, QTextFormat::BackgroundBrush);
    character.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() > QFont::Medium
                                                                 : defaultFont.weight() > QFont::Medium;
    character.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
    // Every underline style (dotted, wave...) is an underline to RTF's \ul.
    if (format.hasProperty(QTextFormat::TextUnderlineStyle))
        character.underline = format.underlineStyle() != QTextCharFormat::NoUnderline;
    else if (format.hasProperty(QTextFormat::FontUnderline))
        character.underline = format.boolProperty(QTextFormat::FontUnderline);
    else
        character.underline = defaultFont.underline();
    character.strikeOut = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut()
                                                                         : defaultFont.strikeOut();
    return character;
}
