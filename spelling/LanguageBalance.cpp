#include "spelling/LanguageBalance.h"

#include <algorithm>

namespace LanguageBalance {

QList<OutOfStep> find(const QList<std::optional<int>> &wordCounts)
{
    int longest = 0;
    for (const std::optional<int> &count : wordCounts)
        longest = std::max(longest, count.value_or(0));
    QList<OutOfStep> found;
    if (longest == 0)
        return found;
    for (int language = 0; language < wordCounts.size(); ++language) {
        const std::optional<int> count = wordCounts.at(language);
        if (!count)
            continue;
        if (*count == 0)
            found.append({language, Lag::NoText});
        else if (2 * *count < longest)
            found.append({language, Lag::Short});
    }
    return found;
}

} // namespace LanguageBalance
