#include "description/RtfDocumentLists.h"

#include <QTextBlock>
#include <QTextList>

void RtfDocumentLists::add(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return;
    const RtfListFormat format = RtfListFormat::fromListFormat(list->format());
    if (!format.isList())
        return;
    int number = numbers_.value(list);
    if (number == 0) {
        // Lists made here are lists of their own; those of one list read from a file stay one.
        number = format.listId > 0 ? numbersOfListIds_.value(format.listId) : 0;
        if (number > 0) {
            const Entry &entry = entries_[std::size_t(number - 1)];
            const RtfListFormat level = entry.levels.value(format.level - 1);
            if (entry.lists.value(format.level - 1) || (level.isList() && level != format))
                number = 0;
        }
        if (number == 0) {
            entries_.emplace_back();
            number = int(entries_.size());
            if (format.listId > 0 && !numbersOfListIds_.contains(format.listId))
                numbersOfListIds_.insert(format.listId, number);
        }
        numbers_.insert(list, number);
        Entry &entry = entries_[std::size_t(number - 1)];
        while (entry.levels.size() < format.level) {
            entry.levels.append(RtfListFormat());
            entry.lists.append(nullptr);
        }
        entry.levels[format.level - 1] = format;
        entry.lists[format.level - 1] = list;
    }
    Entry &entry = entries_[std::size_t(number - 1)];
    for (qsizetype deeper = format.level; deeper < entry.lists.size(); ++deeper)
        entry.lists[deeper] = nullptr;
}

int RtfDocumentLists::number(const QTextList *list) const { return numbers_.value(list); }
