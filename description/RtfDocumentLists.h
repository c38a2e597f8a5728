#pragma once

#include "description/RtfListFormat.h"

#include <QHash>
#include <QList>

#include <vector>

class QTextBlock;
class QTextList;

// A document's lists as a word processor's list table names them: the lists that number on
// together (the levels of one list read from a file) are one entry, numbered from 1 in the order
// they first appear, which is the \lsN their paragraphs carry. An entry holds one list a level
// at a time: an item ends the lists of the deeper levels, which start again after it, as they do
// in a word processor; a second list at a level that is still going started again by itself,
// which its own entry says.
class RtfDocumentLists {
public:
    struct Entry {
        QList<RtfListFormat> levels; // from level 1; levels no paragraph uses are of kind None
        QList<const QTextList *> lists; // the list going on at each level, if any
    };

    // Blocks are added in the document's order.
    void add(const QTextBlock &block);
    // 0 for a list never added.
    int number(const QTextList *list) const;
    const std::vector<Entry> &entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
    QHash<const QTextList *, int> numbers_;
    QHash<int, int> numbersOfListIds_;
};
