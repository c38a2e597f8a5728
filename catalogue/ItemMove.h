#pragma once

#include <QString>

class ProfileFile;

namespace ItemMove {

// A move needs an existing source and a free destination.
bool canMove(const ProfileFile &catalogue, const QString &source, const QString &destination);

// Copies every non-empty value of the item's keys, unchanged and in the move order, into the free
// destination section and erases the source. An item whose values are all empty still arrives,
// as an empty "Titel", so a move never loses an item. Returns false when the move cannot be made.
bool moveSection(ProfileFile &catalogue, const QString &source, const QString &destination);

} // namespace ItemMove
