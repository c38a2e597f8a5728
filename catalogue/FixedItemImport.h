#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

class ProfileFile;
class ProfileReader;

// The fixed items 24 to 42 come from a second catalogue and replace the catalogue's items of the
// same numbers.
namespace FixedItemImport {

inline constexpr int FirstFixedItem = 24;
inline constexpr int LastFixedItem = 42;

// The keys and values the import writes for item number, in writing order: flags with any
// non-empty value become "Ja", texts are copied unchanged, empty values are left out. Nothing
// when the source has no such item, which the import then leaves alone.
std::optional<QList<QPair<QString, QString>>> importedValues(const ProfileReader &source, int number);

// Each fixed item present in the source replaces the target's item wholesale with its imported
// values. A write error stops the import where it happened.
void importFixedItems(const ProfileReader &source, ProfileFile &target);

} // namespace FixedItemImport
