#include "description/RtfDocumentLists.h"

#include <QTextList>

void RtfDocumentLists::add(const QTextList &list)
{
    if (numbers_.contains(&list))
        return;
    const RtfListFormat format = RtfListFormat::fromListFormat(list.format());
    if (!format.isList())
        return;
    // Lists made here are lists of their own; those of one list read from a file stay one.
    int number = format.listId > 0 ? numbersOfListIds_.value(format.listId) : 0;
    if (number > 0 && entries_[std::size_t(number - 1)].lists.value(format.level - 1))
        number = 0;
    if (number == 0) {
        entries_.emplace_back();
        number = int(entries_.size());
        if (format.listId > 0 && !numbersOfListIds_.contains(format.listId))
            numbersOfListIds_.insert(format.listId, number);
    }
    numbers_.insert(&list, number);
    Entry &entry = entries_[std::size_t(number - 1)];
    while (entry.levels.size() < format.level) {
        entry.levels.append(RtfListFormat());
        entry.lists.append(nullptr);
    }
    entry.levels[format.level - 1] = format;
    entry.lists[format.level - 1] = &list;
}

int RtfDocumentLists::number(const QTextList *list) const { return numbers_.value(list); }
