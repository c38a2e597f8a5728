#pragma once

#include "description/RtfListFormat.h"

#include <QHash>
#include <QList>

#include <vector>

class QTextList;

// A document's lists as a word processor's list table names them: the lists that number on
// together (the levels of one list read from a file) are one entry, numbered from 1 in the order
// they first appear, which is the \lsN their paragraphs carry. An entry holds one list a level:
// a second list at a level started again, which its own entry says.
class RtfDocumentLists {
public:
    struct Entry {
        QList<RtfListFormat> levels; // from level 1; levels no paragraph uses are of kind None
        QList<const QTextList *> lists; // the list at each level, if any
    };

    void add(const QTextList &list);
    // 0 for a list never added.
    int number(const QTextList *list) const;
    const std::vector<Entry> &entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
    QHash<const QTextList *, int> numbers_;
    QHash<int, int> numbersOfListIds_;
};
