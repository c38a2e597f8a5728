#pragma once

#include <QString>

#include <functional>

class ProfileFile;

namespace ItemMove {

// A move needs an existing source and a free destination.
bool canMove(const ProfileFile &catalogue, const QString &source, const QString &destination);

// Copies every non-empty value of the item's keys, unchanged and in the move order, into the free
// destination section and erases the source. An item whose values are all empty still arrives,
// as an empty "Titel", so a move never loses an item. Returns false when the move cannot be made.
bool moveSection(ProfileFile &catalogue, const QString &source, const QString &destination);

// Gives the current item the target's number: an item at the target is parked meanwhile and then
// takes the current number, a free target simply renumbers the current item. beforeEachMove runs
// before every single move that is made, so the caller can keep what belongs to the item's
// number (its shown description) in step.
void exchange(ProfileFile &catalogue, const QString &current, const QString &target,
              const std::function<void()> &beforeEachMove);

} // namespace ItemMove
