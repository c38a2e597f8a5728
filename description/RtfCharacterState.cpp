#include "description/RtfCharacterState.h"

#include "description/DescriptionFont.h"
#include "description/RtfColorTable.h"
#include "description/RtfFontTable.h"

namespace {

void setColor(int &slot, int parameter, bool hasParameter, const RtfColorTable &colors)
{
    // Entry 0 is the automatic colour in rich-edit tables but may be a real colour in old files;
    // an index the table does not hold leaves the colour as it was.
    const int index = hasParameter ? parameter : 0;
    if (index == 0 || colors.contains(index))
        slot = index;
}

} // namespace

void RtfCharacterState::apply(const RtfKeyword &keyword, const RtfTokenizer::Token &token, const RtfFontTable &fonts,
                              const RtfColorTable &colors)
{
    using C = RtfKeyword::Character;
    const int parameter = token.parameter;
    const bool toggle = !token.hasParameter || parameter != 0;
    switch (keyword.character()) {
    case C::Font:
        if (token.hasParameter && fonts.contains(parameter))
            font = parameter;
        break;
    case C::Plain: *this = RtfCharacterState(); break;
    case C::FontSize:
        halfPoints = parameter > 0 ? qMin(parameter, RtfCharacterFormat::maximumHalfPoints)
                                   : RtfCharacterFormat::defaultHalfPoints;
        break;
    case C::Foreground: setColor(foreground, token.parameter, token.hasParameter, colors); break;
    case C::Background: setColor(background, token.parameter, token.hasParameter, colors); break;
    case C::Bold: bold = toggle; break;
    case C::Italic: italic = toggle; break;
    case C::Underline: underline = toggle ? keyword.value : 0; break;
    case C::StrikeOut: strikeOut = toggle; break;
    case C::Position:
        // \super and \sub are apart from \up and \dn: a run may have both, which add.
        position = RtfCharacterFormat::Position(keyword.value);
        break;
    case C::Raise:
        // Six half-points is what \up and \dn mean without a number.
        raise = keyword.value * qBound(0, token.hasParameter ? parameter : 6, RtfCharacterFormat::maximumHalfPoints);
        break;
    case C::Capitals:
        if (toggle)
            capitals = RtfCharacterFormat::Capitals(keyword.value);
        else if (capitals == RtfCharacterFormat::Capitals(keyword.value))
            capitals = RtfCharacterFormat::Capitals::None;
        break;
    case C::Hidden: hidden = toggle; break;
    case C::RunDirection: rightToLeft = keyword.value != 0; break;
    case C::Language: language = qMax(parameter, 0); break;
    }
}

bool RtfCharacterState::operator==(const RtfCharacterState &other) const
{
    return font == other.font && halfPoints == other.halfPoints && foreground == other.foreground &&
        background == other.background && bold == other.bold && italic == other.italic &&
        underline == other.underline && strikeOut == other.strikeOut && position == other.position &&
        raise == other.raise && capitals == other.capitals && hidden == other.hidden &&
        rightToLeft == other.rightToLeft && language == other.language && link == other.link;
}

RtfCharacterFormat RtfCharacterState::resolve(const Document &document) const
{
    RtfCharacterFormat format;
    const int number = font < 0 ? document.defaultFont : font;
    format.family = document.fonts.family(number);
    if (format.family.isEmpty())
        format.family = DescriptionFont::family;
    if (!document.utf8)
        format.charset = document.fonts.charset(number, document.codePage);
    format.halfPoints = halfPoints;
    format.foreground = foreground < 0 ? QColor() : document.colors.color(foreground);
    format.background = background < 0 ? QColor() : document.colors.color(background);
    format.bold = bold;
    format.italic = italic;
    format.underline = underline;
    format.strikeOut = strikeOut;
    format.position = position;
    format.raise = raise;
    format.capitals = capitals;
    format.hidden = hidden;
    format.rightToLeft = rightToLeft;
    // A run in the document's own language is written back without a tag of its own.
    format.language = language == document.defaultLanguage ? 0 : language;
    if (link >= 0)
        format.link = document.links.at(link);
    return format;
}
