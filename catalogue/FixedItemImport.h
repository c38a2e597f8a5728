#pragma once

class ProfileFile;

// The fixed items 24 to 42 come from a second catalogue and replace the catalogue's items of the
// same numbers.
namespace FixedItemImport {

inline constexpr int FirstFixedItem = 24;
inline constexpr int LastFixedItem = 42;

// Each fixed item present in the source replaces the target's item wholesale: flags with any
// non-empty value become "Ja", texts are copied unchanged, empty values are left out. A write
// error stops the import where it happened.
void importFixedItems(const ProfileFile &source, ProfileFile &target);

} // namespace FixedItemImport
