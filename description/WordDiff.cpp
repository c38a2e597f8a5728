#include "description/WordDiff.h"

#include <vector>

namespace {

// Beyond this many pairs of words the table of common runs would cost the interface a pause.
constexpr qsizetype largestComparison = 4'000'000;

} // namespace

namespace WordDiff {

QList<Change> between(const QString &earlier, const QString &now)
{
    const QStringList before = earlier.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QStringList after = now.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (before == after)
        return {};
    const qsizetype rows = before.size();
    const qsizetype columns = after.size();
    if (rows * columns > largestComparison)
        return {{before, after}};
    // common[i][j]: the longest run of words the ends from i and j share, in order.
    std::vector<int> common(std::size_t((rows + 1) * (columns + 1)), 0);
    const auto at = [columns](qsizetype i, qsizetype j) { return std::size_t(i * (columns + 1) + j); };
    for (qsizetype i = rows - 1; i >= 0; --i) {
        for (qsizetype j = columns - 1; j >= 0; --j)
            common[at(i, j)] = before[i] == after[j] ? common[at(i + 1, j + 1)] + 1
                                                     : std::max(common[at(i + 1, j)], common[at(i, j + 1)]);
    }
    QList<Change> changes;
    Change open;
    const auto close = [&changes, &open] {
        if (!open.removed.isEmpty() || !open.added.isEmpty())
            changes.append(open);
        open = {};
    };
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < rows || j < columns) {
        if (i < rows && j < columns && before[i] == after[j]) {
            close();
            ++i;
            ++j;
        } else if (j < columns && (i == rows || common[at(i, j + 1)] >= common[at(i + 1, j)])) {
            open.added.append(after[j++]);
        } else {
            open.removed.append(before[i++]);
        }
    }
    close();
    return changes;
}

} // namespace WordDiff
