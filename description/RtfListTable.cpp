#include "description/RtfListTable.h"

namespace {

// Lists are a few levels deep and hold at most hundreds of items; the limits keep a damaged
// table small.
constexpr int maximumLevels = 9;
constexpr int maximumStart = 32767;
constexpr qsizetype maximumLists = 1000;

RtfListFormat::Kind kindOfNumberFormat(int format)
{
    switch (format) {
    case 0:
        return RtfListFormat::Kind::Decimal;
    case 1:
        return RtfListFormat::Kind::UpperRoman;
    case 2:
        return RtfListFormat::Kind::LowerRoman;
    case 3:
        return RtfListFormat::Kind::UpperLetter;
    case 4:
        return RtfListFormat::Kind::LowerLetter;
    case 23:
        return RtfListFormat::Kind::Bullet;
    case 255:
        return RtfListFormat::Kind::None;
    default:
        return RtfListFormat::Kind::Decimal; // ordinals, Asian digits...: numbers all the same
    }
}

bool isPlaceholder(QChar c)
{
    return c.unicode() < maximumLevels;
}

} // namespace

void RtfListTable::beginList()
{
    listLevels_.clear();
    listId_ = 0;
}

void RtfListTable::beginLevel()
{
    level_ = Level();
    level_.format.kind = RtfListFormat::Kind::Decimal;
}

void RtfListTable::setLevelNumberFormat(int format)
{
    level_.format.kind = kindOfNumberFormat(format);
}

void RtfListTable::setLevelStart(int start)
{
    level_.format.start = qBound(0, start, maximumStart);
}

void RtfListTable::appendLevelText(QStringView text)
{
    if (level_.text.size() < 256)
        level_.text.append(text);
}

void RtfListTable::endLevel()
{
    if (listLevels_.size() >= maximumLevels)
        return;
    settle(level_);
    level_.format.level = int(listLevels_.size()) + 1;
    listLevels_.append(level_.format);
}

// The level text starts with its length; a bullet level's text is the bullet, a numbered
// level's has its own number's placeholder between what comes before and after.
void RtfListTable::settle(Level &level)
{
    QString text = level.text;
    if (const qsizetype end = text.indexOf(u';'); end >= 0)
        text.truncate(end);
    if (!text.isEmpty()) {
        const int length = text.front().unicode();
        text = text.mid(1, length);
    }
    if (level.format.kind == RtfListFormat::Kind::Bullet) {
        level.format.kind = RtfListFormat::bulletKind(text);
        return;
    }
    if (!level.format.isNumbered())
        return;
    qsizetype first = 0;
    while (first < text.size() && !isPlaceholder(text[first]))
        ++first;
    qsizetype last = text.size() - 1;
    while (last >= 0 && !isPlaceholder(text[last]))
        --last;
    if (last < first) {
        level.format.suffix = QStringLiteral(".");
        return;
    }
    // Outer levels' numbers before this one's ("1.2.") are not shown by a rich-edit list.
    level.format.prefix = text.first(first);
    level.format.suffix = text.sliced(last + 1);
}

void RtfListTable::setListId(int id)
{
    listId_ = id;
}

void RtfListTable::endList()
{
    if (qsizetype(lists_.size()) < maximumLists)
        lists_[listId_] = listLevels_;
}

void RtfListTable::beginOverride()
{
    overrideListId_ = 0;
}

void RtfListTable::setOverrideListId(int id)
{
    overrideListId_ = id;
}

void RtfListTable::setOverrideNumber(int number)
{
    if (qsizetype(overrides_.size()) < maximumLists)
        overrides_[number] = overrideListId_;
}

RtfListFormat RtfListTable::paragraphFormat(int number, int level, bool continuing)
{
    const auto override = overrides_.find(number);
    if (override == overrides_.end())
        return {};
    const auto list = lists_.find(override->second);
    if (list == lists_.end() || list->second.isEmpty())
        return {};
    RtfListFormat format = list->second.value(qBound(0, level, int(list->second.size()) - 1));
    int &items = itemsSoFar_[{number, format.level}];
    if (!continuing && format.isNumbered())
        format.start = qMin(format.start + items, maximumStart);
    ++items;
    return format;
}
