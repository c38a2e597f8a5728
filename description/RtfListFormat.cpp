#include "description/RtfListFormat.h"

#include "description/RtfProperties.h"

namespace {

QString letters(int number, char16_t first)
{
    // 1 a, 26 z, 27 aa: the letters repeat as word processors count them.
    QString text;
    while (number > 0) {
        --number;
        text.prepend(QChar(char16_t(first + number % 26)));
        number /= 26;
    }
    return text;
}

QString roman(int number)
{
    if (number <= 0 || number >= 4000)
        return QString::number(number);
    static const std::pair<int, const char *> numerals[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"},
    };
    QString text;
    for (const auto &[value, numeral] : numerals) {
        for (; number >= value; number -= value)
            text += QLatin1String(numeral);
    }
    return text;
}

struct StyleOfKind {
    RtfListFormat::Kind kind;
    QTextListFormat::Style style;
};

constexpr StyleOfKind styles[] = {
    {RtfListFormat::Kind::Bullet, QTextListFormat::ListDisc},
    {RtfListFormat::Kind::Circle, QTextListFormat::ListCircle},
    {RtfListFormat::Kind::Square, QTextListFormat::ListSquare},
    {RtfListFormat::Kind::Decimal, QTextListFormat::ListDecimal},
    {RtfListFormat::Kind::LowerLetter, QTextListFormat::ListLowerAlpha},
    {RtfListFormat::Kind::UpperLetter, QTextListFormat::ListUpperAlpha},
    {RtfListFormat::Kind::LowerRoman, QTextListFormat::ListLowerRoman},
    {RtfListFormat::Kind::UpperRoman, QTextListFormat::ListUpperRoman},
};

} // namespace

bool RtfListFormat::operator==(const RtfListFormat &other) const
{
    return kind == other.kind && level == other.level && start == other.start && prefix == other.prefix &&
        suffix == other.suffix && outerNumbers == other.outerNumbers && listId == other.listId && name == other.name;
}

void RtfListFormat::cleanAffixes()
{
    // Only levels above this one have numbers to show before its own.
    const auto notShown = [this](QChar c, bool outer) {
        return c.unicode() < 0x20 && c != u'\t' && !(outer && c.unicode() < level - 1);
    };
    // Text before the first outer number is the prefix's.
    outerNumbers.removeIf([&](QChar c) { return notShown(c, true); });
    qsizetype firstNumber = 0;
    while (firstNumber < outerNumbers.size() && outerNumbers[firstNumber].unicode() >= 9)
        ++firstNumber;
    prefix += outerNumbers.first(firstNumber);
    outerNumbers.remove(0, firstNumber);
    for (QString *affix : {&prefix, &suffix, &outerNumbers}) {
        const bool outer = affix == &outerNumbers;
        affix->removeIf([&](QChar c) { return notShown(c, outer); });
        affix->truncate(maximumAffixLength);
        if (!affix->isEmpty() && affix->back().isHighSurrogate())
            affix->chop(1);
    }
}

// A word-processor list numbers on across anything between its items; a rich-edit list's
// numbers go on only where its first number says so.
bool RtfListFormat::continues(const RtfListFormat &earlier, int items) const
{
    if (kind != earlier.kind || level != earlier.level || prefix != earlier.prefix || suffix != earlier.suffix ||
        outerNumbers != earlier.outerNumbers || listId != earlier.listId)
        return false;
    if (listId > 0)
        return start == earlier.start;
    return isNumbered() && start == earlier.start + items;
}

RtfListFormat::Kind RtfListFormat::bulletKind(QStringView bullet)
{
    // Symbol fonts place their glyphs at U+F000 and up, or at the byte itself.
    const char16_t c = bullet.isEmpty() ? 0 : bullet.front().unicode();
    const char16_t glyph = c >= 0xF000 && c <= 0xF0FF ? c & 0xFF : c;
    if (glyph == u'o' || c == 0x25CB || c == 0x25E6)
        return Kind::Circle;
    // In Wingdings \'A7 is a small square; as text it would be a section sign, no bullet.
    if (glyph == 0xA7 || glyph == 0xA8 || c == 0x25AA || c == 0x25A0)
        return Kind::Square;
    return Kind::Bullet;
}

QString RtfListFormat::numberText(int index) const
{
    const int number = start + index;
    switch (kind) {
    case Kind::None:
    case Kind::Bullet:
    case Kind::Circle:
    case Kind::Square: break;
    case Kind::Decimal: return QString::number(number);
    case Kind::LowerLetter: return letters(number, u'a');
    case Kind::UpperLetter: return letters(number, u'A');
    case Kind::LowerRoman: return roman(number);
    case Kind::UpperRoman: return roman(number).toUpper();
    }
    return {};
}

QString RtfListFormat::itemText(int index, const QStringList &outer) const
{
    if (!isNumbered())
        return {};
    QString text = prefix;
    for (const QChar c : outerNumbers) {
        // An outer level no item has numbered yet shows 0: its count starts before the first.
        const QString number = c.unicode() < 9 ? outer.value(c.unicode()) : QString(c);
        text += number.isEmpty() ? QStringLiteral("0") : number;
    }
    return text + numberText(index) + suffix;
}

QTextListFormat RtfListFormat::toListFormat() const
{
    QTextListFormat format;
    for (const StyleOfKind &style : styles) {
        if (style.kind == kind)
            format.setStyle(style.style);
    }
    // The paragraph's own indents place the list, as they do in RTF.
    format.setIndent(0);
    format.setNumberPrefix(prefix);
    format.setNumberSuffix(suffix);
    if (start != 1)
        format.setProperty(RtfProperty::ListStart, start);
    if (level > 1)
        format.setProperty(RtfProperty::ListLevel, level);
    if (listId > 0)
        format.setProperty(RtfProperty::ListId, listId);
    if (!name.isEmpty())
        format.setProperty(RtfProperty::ListName, name);
    if (!outerNumbers.isEmpty())
        format.setProperty(RtfProperty::ListOuterNumbers, outerNumbers);
    return format;
}

RtfListFormat RtfListFormat::fromListFormat(const QTextListFormat &format)
{
    RtfListFormat list;
    for (const StyleOfKind &style : styles) {
        if (style.style == format.style())
            list.kind = style.kind;
    }
    if (!list.isList())
        return list;
    if (list.isNumbered()) {
        list.prefix = format.numberPrefix();
        list.suffix = format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix() : QStringLiteral(".");
        list.start = format.hasProperty(RtfProperty::ListStart) ? format.intProperty(RtfProperty::ListStart) : 1;
        list.outerNumbers = format.stringProperty(RtfProperty::ListOuterNumbers);
    }
    list.level = qBound(1, format.intProperty(RtfProperty::ListLevel), 9);
    list.cleanAffixes();
    list.listId = qMax(0, format.intProperty(RtfProperty::ListId));
    list.name = format.stringProperty(RtfProperty::ListName);
    return list;
}
