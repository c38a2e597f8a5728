#pragma once

#include <QList>

#include <optional>

// Whether an item's descriptions keep step with each other: a translation left out, or cut
// short, shows as a language with no text while another has some, or with fewer than half the
// words of the item's longest description.
namespace LanguageBalance {

enum class Lag { NoText, Short };

struct OutOfStep {
    int language; // index into the counts given
    Lag lag;
};

// The words of each language's description, none for a language not looked at; a missing or
// empty description counts 0.
QList<OutOfStep> find(const QList<std::optional<int>> &wordCounts);

} // namespace LanguageBalance
