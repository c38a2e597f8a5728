#include "description/ListItemNumbers.h"

#include "description/RtfListFormat.h"

#include <QTextBlock>
#include <QTextList>

namespace {

// A list of the level of a hostile file without any outer item would make every item look
// through the whole document; outer items stand close before their inner ones.
constexpr int maximumParagraphsLookedAt = 10000;

// The numbers the outer levels of list show, from level 1. All items of one list have the same:
// an outer item ends the inner levels' lists, so those after it are lists of their own.
QStringList outerNumbers(const QTextList &list, const RtfListFormat &format)
{
    QStringList numbers(format.level - 1);
    int highest = format.level; // the outermost level met; levels within it started again
    QTextBlock block = list.item(0).previous();
    for (int looked = 0; block.isValid() && highest > 1 && looked < maximumParagraphsLookedAt;
         block = block.previous(), ++looked) {
        const QTextList *other = block.textList();
        if (!other)
            continue;
        const RtfListFormat outer = RtfListFormat::fromListFormat(other->format());
        if (outer.listId != format.listId || outer.level >= highest)
            continue;
        highest = outer.level;
        numbers[highest - 1] = outer.numberText(other->itemNumber(block));
    }
    return numbers;
}

} // namespace

namespace ListItemNumbers {

QString text(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return {};
    const RtfListFormat format = RtfListFormat::fromListFormat(list->format());
    const int index = list->itemNumber(block);
    if (format.outerNumbers.isEmpty() || format.listId == 0)
        return format.itemText(index);
    return format.itemText(index, outerNumbers(*list, format));
}

} // namespace ListItemNumbers
