#include "description/RtfDocumentLists.h"

#include <QTextList>

void RtfDocumentLists::add(const QTextList &list)
{
    if (numbers_.contains(&list))
        return;
    const RtfListFormat format = RtfListFormat::fromListFormat(list.format());
    if (!format.isList())
        return;
    // Lists made here are lists of their own; those of one list read from a file stay one,
    // unless a level would have two formats.
    int number = format.listId > 0 ? numbersOfListIds_.value(format.listId) : 0;
    if (number > 0) {
        const QList<RtfListFormat> &levels = entries_[std::size_t(number - 1)].levels;
        const RtfListFormat held = levels.value(format.level - 1);
        if (held.isList() && held != format)
            number = 0;
    }
    if (number == 0) {
        entries_.emplace_back();
        number = int(entries_.size());
        if (format.listId > 0 && !numbersOfListIds_.contains(format.listId))
            numbersOfListIds_.insert(format.listId, number);
    }
    numbers_.insert(&list, number);
    QList<RtfListFormat> &levels = entries_[std::size_t(number - 1)].levels;
    while (levels.size() < format.level)
        levels.append(RtfListFormat());
    if (!levels[format.level - 1].isList())
        levels[format.level - 1] = format;
}

int RtfDocumentLists::number(const QTextList *list) const
{
    return numbers_.value(list);
}
