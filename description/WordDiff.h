#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What changed between two texts, word by word: the runs of words taken out of the earlier text
// and the runs put in their place, in the order they come. A translator reads it to see what of
// the Danish text to carry over.
namespace WordDiff {

struct Change {
    QStringList removed;
    QStringList added;
    bool operator==(const Change &other) const { return removed == other.removed && added == other.added; }
};

// Texts too long to compare word by word within a moment are given as one change of the whole.
QList<Change> between(const QString &earlier, const QString &now);

} // namespace WordDiff
