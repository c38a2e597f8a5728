#include "description/RtfListTable.h"

#include "description/RtfDestinationText.h"
#include "description/RtfGroupReader.h"
#include "description/RtfWordPairs.h"

#include <vector>

namespace {

// Lists are a few levels deep and hold at most hundreds of items; the limits keep a damaged
// table small.
constexpr int maximumLevels = 9;
constexpr int maximumStart = 32767;
constexpr qsizetype maximumLists = 1000;
constexpr qsizetype maximumNameLength = 255;

RtfListFormat::Kind kindOfNumberFormat(int format)
{
    for (const auto &[number, kind] : RtfWordPairs::levelNumberFormats) {
        if (number == format)
            return kind;
    }
    // 255 is a level without a number; ordinals, Asian digits...: numbers all the same.
    return format == 255 ? RtfListFormat::Kind::None : RtfListFormat::Kind::Decimal;
}

bool isPlaceholder(QChar c) { return c.unicode() < maximumLevels; }

} // namespace

// The parts of the two tables, each of which is a group: a list holds levels, each with its
// text; an override holds level overrides, which may hold a level of their own.
class RtfListTable::Reader : public RtfGroupReader::Handler {
public:
    enum class Part { Lists, List, ListName, Level, LevelText, Overrides, Override, OverrideLevel };

    Reader(RtfListTable &table, Part part, CodePageDecoder &decoder, int codePage)
        : table_(table)
        , parts_{part}
        , text_(decoder)
        , codePage_(codePage)
    {
    }

    Answer word(const RtfTokenizer::Token &token) override
    {
        const std::optional<Part> opened = partOpenedBy(token.text);
        if (!opened)
            return setProperty(token) ? Answer::Taken : Answer::NotMine;
        if (!opens(*opened))
            return Answer::SkipGroup;
        parts_.back() = *opened;
        switch (*opened) {
        case Part::List: table_.beginList(); break;
        case Part::Level: table_.beginLevel(); break;
        case Part::Override: table_.beginOverride(); break;
        case Part::OverrideLevel: table_.beginOverrideLevel(); break;
        case Part::Lists:
        case Part::ListName:
        case Part::LevelText:
        case Part::Overrides: break;
        }
        return Answer::Taken;
    }

    void text(QByteArrayView bytes) override
    {
        if (collectsText())
            text_.appendBytes(bytes, codePage_);
    }

    void character(char16_t character) override
    {
        if (collectsText())
            text_.appendCharacter(character);
    }

    void groupStart() override { parts_.push_back(parts_.back()); }

    void groupEnd(bool) override
    {
        const Part part = parts_.back();
        parts_.pop_back();
        if (!parts_.empty() && parts_.back() == part)
            return;
        switch (part) {
        case Part::ListName: table_.appendListName(text_.take()); break;
        case Part::LevelText: table_.appendLevelText(text_.take()); break;
        case Part::Level: table_.endLevel(); break;
        case Part::List: table_.endList(); break;
        case Part::Override: table_.endOverride(); break;
        case Part::Lists:
        case Part::Overrides:
        case Part::OverrideLevel: break;
        }
    }

private:
    static std::optional<Part> partOpenedBy(QByteArrayView word)
    {
        static constexpr std::pair<const char *, Part> words[] = {
            {RtfWord::list, Part::List},
            {RtfWord::listname, Part::ListName},
            {RtfWord::listlevel, Part::Level},
            {RtfWord::leveltext, Part::LevelText},
            {RtfWord::listoverride, Part::Override},
            {"lfolevel", Part::OverrideLevel},
        };
        for (const auto &[name, part] : words) {
            if (word == name)
                return part;
        }
        return std::nullopt;
    }

    // Each part opens only where its table has it; anywhere else it is a group to pass over.
    bool opens(Part part) const
    {
        const Part in = parts_.back();
        switch (part) {
        case Part::List: return in == Part::Lists;
        case Part::ListName: return in == Part::List;
        case Part::Level: return in == Part::List || in == Part::OverrideLevel;
        case Part::LevelText: return in == Part::Level;
        case Part::Override: return in == Part::Overrides;
        case Part::OverrideLevel: return in == Part::Override;
        case Part::Lists:
        case Part::Overrides: break;
        }
        return false;
    }

    bool setProperty(const RtfTokenizer::Token &token)
    {
        const Part in = parts_.back();
        const int value = token.parameter;
        if (token.text == RtfWord::levelnfc) {
            if (in == Part::Level)
                table_.setLevelNumberFormat(value);
        } else if (token.text == RtfWord::levelstartat) {
            if (in == Part::Level)
                table_.setLevelStart(value);
            else if (in == Part::OverrideLevel)
                table_.setOverrideLevelStart(value);
        } else if (token.text == RtfWord::listid) {
            if (in == Part::List)
                table_.setListId(value);
            else if (in == Part::Override)
                table_.setOverrideListId(value);
        } else if (token.text == "listoverridestartat") {
            if (in == Part::OverrideLevel)
                table_.restartOverrideLevel();
        } else if (token.text == RtfWord::ls) {
            if (in == Part::Override)
                table_.setOverrideNumber(value);
        } else {
            return false;
        }
        return true;
    }

    bool collectsText() const { return parts_.back() == Part::ListName || parts_.back() == Part::LevelText; }

    RtfListTable &table_;
    std::vector<Part> parts_; // of each open group, the table's own first
    RtfDestinationText text_;
    const int codePage_;
};

void RtfListTable::readLists(RtfTokenizer &tokenizer, CodePageDecoder &decoder, int codePage, int unicodeFallbackLength,
                             QStringList &notKept)
{
    Reader reader(*this, Reader::Part::Lists, decoder, codePage);
    RtfGroupReader::read(tokenizer, reader, unicodeFallbackLength, &notKept);
}

void RtfListTable::readOverrides(RtfTokenizer &tokenizer, CodePageDecoder &decoder, int codePage,
                                 int unicodeFallbackLength, QStringList &notKept)
{
    Reader reader(*this, Reader::Part::Overrides, decoder, codePage);
    RtfGroupReader::read(tokenizer, reader, unicodeFallbackLength, &notKept);
}

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
