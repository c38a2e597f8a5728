#include "catalogue/ItemSearch.h"

#include "catalogue/Catalogue.h"

#include <algorithm>

namespace {

using Catalogue::FirstItemNumber;
using Catalogue::LastItemNumber;

bool existingItem(int number, const ItemSearch::Exists &exists)
{
    return Catalogue::isItemNumber(number) && exists(number);
}

std::optional<int> firstExistingUpward(int from, const ItemSearch::Exists &exists)
{
    for (int n = std::max(from, FirstItemNumber); n <= LastItemNumber; ++n) {
        if (exists(n))
            return n;
    }
    return std::nullopt;
}

std::optional<int> firstExistingDownward(int from, const ItemSearch::Exists &exists)
{
    for (int n = std::min(from, LastItemNumber); n >= FirstItemNumber; --n) {
        if (exists(n))
            return n;
    }
    return std::nullopt;
}

} // namespace

namespace ItemSearch {

int previousStop(int current, const Exists &exists)
{
    int n = current <= FirstItemNumber ? LastItemNumber : std::min(current - 1, LastItemNumber);
    while (n > FirstItemNumber && !exists(n))
        --n;
    return n;
}

int nextStop(int current, const Exists &exists)
{
    int n = std::max(current + 1, FirstItemNumber);
    while (n <= LastItemNumber && !exists(n))
        ++n;
    return n > LastItemNumber ? FirstItemNumber : n;
}

std::optional<int> settleOn(int chosen, int current, const Exists &exists)
{
    if (chosen > current) {
        if (auto found = firstExistingUpward(chosen, exists))
            return found;
        return firstExistingUpward(FirstItemNumber, exists);
    }
    if (auto found = firstExistingDownward(chosen, exists))
        return found;
    return firstExistingDownward(LastItemNumber, exists);
}

std::optional<int> freeNumberForNewItem(int current, const Exists &exists)
{
    for (int n = std::max(current, FirstItemNumber); n <= LastItemNumber; ++n) {
        if (!exists(n))
            return n;
    }
    for (int n = std::min(current, LastItemNumber + 1) - 1; n >= FirstItemNumber; --n) {
        if (!exists(n))
            return n;
    }
    return std::nullopt;
}

std::optional<int> freeNumberAbove(int current, const Exists &exists)
{
    int n = current;
    while (existingItem(n, exists) && n < LastItemNumber)
        ++n;
    if (existingItem(n, exists))
        return std::nullopt;
    return n;
}

std::optional<int> freeNumberBelow(int current, const Exists &exists)
{
    int n = current;
    while (existingItem(n, exists) && n > FirstItemNumber)
        --n;
    if (existingItem(n, exists))
        return std::nullopt;
    return n;
}

} // namespace ItemSearch
