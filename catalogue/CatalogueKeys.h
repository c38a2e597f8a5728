#pragma once

#include <QString>

#include <array>

// The keys of an item section. Every operation and test iterates these tables, so a key name is
// spelled in exactly one place.

enum class Category { ZProgram, Spil, Galleri, Barn, Vaerksted, Skole, Internet, Tilbehoer, Software };

enum class FlagKey {
    ZProgram,
    Spil,
    Galleri,
    Barn,
    Vaerksted,
    Skole,
    Internet,
    Tilbehoer,
    Software,
    Fuldversion,
    Registrer
};

enum class TextKey { Titel, Global, Folder, Setup, Run, Ekstra, Webside };

namespace CatalogueKeys {

inline constexpr std::array<Category, 9> categories = {
    Category::ZProgram, Category::Spil,     Category::Galleri,   Category::Barn,     Category::Vaerksted,
    Category::Skole,    Category::Internet, Category::Tilbehoer, Category::Software,
};

// The order in which an item's flags are shown and imported.
inline constexpr std::array<FlagKey, 11> flagKeys = {
    FlagKey::ZProgram, FlagKey::Spil,      FlagKey::Galleri,  FlagKey::Barn,        FlagKey::Vaerksted, FlagKey::Skole,
    FlagKey::Internet, FlagKey::Tilbehoer, FlagKey::Software, FlagKey::Fuldversion, FlagKey::Registrer,
};

// The order in which the fixed-item import copies the text keys.
inline constexpr std::array<TextKey, 7> importTextKeys = {
    TextKey::Titel, TextKey::Folder, TextKey::Setup, TextKey::Run, TextKey::Ekstra, TextKey::Global, TextKey::Webside,
};

QString name(FlagKey key);
QString name(TextKey key);
QString name(Category category);
FlagKey flagKey(Category category);

// Every key the editor reads and writes for an item, in the order an item is moved.
const std::array<QString, 18> &moveOrder();

} // namespace CatalogueKeys
