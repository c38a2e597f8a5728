#include "description/RtfListTable.h"

namespace {

// Lists are a few levels deep and hold at most hundreds of items; the limits keep a damaged
// table small.
constexpr int maximumLevels = 9;
constexpr int maximumStart = 32767;
constexpr qsizetype maximumLists = 1000;
constexpr qsizetype maximumNameLength = 255;

RtfListFormat::Kind kindOfNumberFormat(int format)
{
    switch (format) {
    case 0: return RtfListFormat::Kind::Decimal;
    case 1: return RtfListFormat::Kind::UpperRoman;
    case 2: return RtfListFormat::Kind::LowerRoman;
    case 3: return RtfListFormat::Kind::UpperLetter;
    case 4: return RtfListFormat::Kind::LowerLetter;
    case 23: return RtfListFormat::Kind::Bullet;
    case 255: return RtfListFormat::Kind::None;
    default: return RtfListFormat::Kind::Decimal; // ordinals, Asian digits...: numbers all the same
    }
}

bool isPlaceholder(QChar c) { return c.unicode() < maximumLevels; }

} // namespace

void RtfListTable::beginList()
{
    listLevels_.clear();
    listId_ = 0;
    listName_.clear();
}

void RtfListTable::beginLevel()
{
    level_ = Level();
    level_.format.kind = RtfListFormat::Kind::Decimal;
}

void RtfListTable::setLevelNumberFormat(int format) { level_.format.kind = kindOfNumberFormat(format); }

void RtfListTable::setLevelStart(int start) { level_.format.start = qBound(0, start, maximumStart); }

void RtfListTable::appendLevelText(QStringView text)
{
    if (level_.text.size() < 256)
        level_.text.append(text);
}

void RtfListTable::endLevel()
{
    if (inOverride_) {
        if (!override_.levels.isEmpty()) {
            level_.format.level = int(override_.levels.size());
            settle(level_);
            override_.levels.back().format = level_.format;
        }
        return;
    }
    if (listLevels_.size() >= maximumLevels)
        return;
    level_.format.level = int(listLevels_.size()) + 1;
    settle(level_);
    listLevels_.append(level_.format);
}

// The level text starts with its length; a bullet level's text is the bullet, a numbered
// level's has its own number's placeholder, the last, between what comes before and after, and
// before it the placeholders of outer levels whose numbers it shows too ("1.2.").
void RtfListTable::settle(Level &level)
{
    QString text = level.text;
    if (!text.isEmpty() && text.front().unicode() < text.size()) {
        text = text.mid(1, text.front().unicode());
    } else {
        // Without a length that fits, the text ends where the level text does.
        if (const qsizetype end = text.indexOf(u';'); end >= 0)
            text.truncate(end);
        text.remove(0, 1);
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
    level.format.prefix = text.first(first);
    level.format.outerNumbers = text.sliced(first, last - first);
    level.format.suffix = text.sliced(last + 1);
    level.format.cleanAffixes();
}

void RtfListTable::setListId(int id) { listId_ = id; }

void RtfListTable::appendListName(QStringView text)
{
    listName_.append(text.first(qMin(text.size(), maximumNameLength - listName_.size())));
}

void RtfListTable::endList()
{
    // The name ends at its ';', which a name cannot hold.
    const QString name = listName_.section(u';', 0, 0);
    for (RtfListFormat &level : listLevels_)
        level.name = name;
    if (qsizetype(lists_.size()) < maximumLists)
        lists_[listId_] = listLevels_;
}

void RtfListTable::beginOverride()
{
    inOverride_ = true;
    override_ = Override();
}

void RtfListTable::setOverrideListId(int id) { override_.listId = id; }

void RtfListTable::beginOverrideLevel()
{
    if (override_.levels.size() < maximumLevels)
        override_.levels.append(LevelOverride());
}

void RtfListTable::restartOverrideLevel()
{
    if (!override_.levels.isEmpty())
        override_.levels.back().restart = true;
}

void RtfListTable::setOverrideLevelStart(int start)
{
    if (!override_.levels.isEmpty())
        override_.levels.back().start = qBound(0, start, maximumStart);
}

void RtfListTable::setOverrideNumber(int number) { override_.number = number; }

void RtfListTable::endOverride()
{
    inOverride_ = false;
    if (override_.number >= 0 && qsizetype(overrides_.size()) < maximumLists)
        overrides_[override_.number] = override_;
}

// Overrides of one list number on together unless one of them restarts or reformats a level.
int RtfListTable::sequenceOf(Override &override)
{
    if (override.sequence == 0) {
        bool own = false;
        for (const LevelOverride &level : override.levels)
            own = own || level.restart || level.format;
        if (own) {
            override.sequence = ++sequences_;
        } else {
            int &shared = listSequences_[override.listId];
            if (shared == 0)
                shared = ++sequences_;
            override.sequence = shared;
        }
    }
    return override.sequence;
}

RtfListFormat RtfListTable::paragraphFormat(int number, int level)
{
    const auto found = overrides_.find(number);
    if (found == overrides_.end())
        return {};
    Override &override = found->second;
    const auto list = lists_.find(override.listId);
    if (list == lists_.end() || list->second.isEmpty())
        return {};
    const int index = qBound(0, level, int(list->second.size()) - 1);
    RtfListFormat format = list->second.at(index);
    if (index < override.levels.size()) {
        const LevelOverride &levelOverride = override.levels.at(index);
        if (levelOverride.format)
            format = *levelOverride.format;
        if (levelOverride.restart && levelOverride.start)
            format.start = *levelOverride.start;
        format.level = index + 1;
    }
    if (format.isList())
        format.listId = sequenceOf(override);
    return format;
}
