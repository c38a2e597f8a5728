#pragma once

#include <functional>
#include <optional>

// The searches over item numbers behind navigation, creation and reordering. They ask only
// whether a number's section exists, so they are tested without a file.
namespace ItemSearch {

using Exists = std::function<bool(int)>;

// Previous: downward from the number before the current one (from 70 when at 1), stopping at
// the first existing item or at 1 whether or not item 1 exists.
int previousStop(int current, const Exists &exists);

// Next: upward from the number after the current one; past 70 it wraps to 1 untested.
int nextStop(int current, const Exists &exists);

// The existing item the editor settles on when the user chooses a number: at or above a chosen
// number greater than the current one, else at or below it, and failing that the other way round.
std::optional<int> settleOn(int chosen, int current, const Exists &exists);

// Where a new item goes: the first free number at or above the current one, else the nearest
// free number below it; nothing when all 70 are taken.
std::optional<int> freeNumberForNewItem(int current, const Exists &exists);

// The nearest free number above (below) the current one, skipping occupied neighbours.
std::optional<int> freeNumberAbove(int current, const Exists &exists);
std::optional<int> freeNumberBelow(int current, const Exists &exists);

} // namespace ItemSearch
