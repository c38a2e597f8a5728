#pragma once

#include "catalogue/CatalogueKeys.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class ProfileFile;
class ProfileReader;

// The category menus of the menu bar and the category listings, made from the catalogue at
// start-up and again after every change of titles, numbers or categories. The mapping of a category to its listing is
// historical (items of "Internet" are listed under "Galleriet"), and the people who paste the listings rely on it.
namespace CategoryMenus {

enum class Listing {
    ZProgrammer,
    SpilListe,
    JuniorListe,
    SkoleListe,
    GalleriListe,
    TilbehoerListe,
    Softwareliste,
    InternetListe,
    VaerkstedListe
};

// The menus of the menu bar, left to right.
enum class Menu { ZProgrammer, Boern, Spil, Internet, Galleri, Tilbehoer, Vaerksted, Software, Skole };
inline constexpr std::size_t menuCount = 9;
inline constexpr std::size_t listingCount = 9;

struct MenuDefinition {
    Menu menu;
    QString objectName;
    QString caption;
};

struct CategoryRow {
    Category category;
    Menu menu;
    QChar entryPrefix;
    Listing listing;
};

struct Entry {
    QString caption;
    QString objectName;
};

struct Contents {
    std::array<QList<Entry>, menuCount> menuEntries; // by Menu
    std::array<QStringList, listingCount> listingLines; // by Listing

    QList<Entry> &entries(Menu menu) { return menuEntries[std::size_t(menu)]; }
    const QList<Entry> &entries(Menu menu) const { return menuEntries[std::size_t(menu)]; }
    QStringList &lines(Listing listing) { return listingLines[std::size_t(listing)]; }
    const QStringList &lines(Listing listing) const { return listingLines[std::size_t(listing)]; }
};

// The menus in the order of the menu bar.
const std::array<MenuDefinition, menuCount> &menus();
// The categories in the order each item is examined.
const std::array<CategoryRow, 9> &categoryRows();
// The menus that end with "Slet liste", and the category each erases.
inline constexpr std::size_t clearableMenuCount = 4;
const std::array<std::pair<Menu, Category>, clearableMenuCount> &clearableMenus();

QString listingObjectName(Listing listing);
QString listingHeading(Listing listing);
// The lines a listing starts with, before its titles: an empty line and the heading.
QStringList listingStart(Listing listing);
// The order the listings stand in the master listing.
const std::array<Listing, listingCount> &masterOrder();

// Every titled item gets an entry in the menu of each of its categories and one listing line,
// under the first of its categories.
Contents collect(const ProfileReader &catalogue);

// Erases every item whose flag for the category is set. Stops at the first write error.
void eraseCategory(ProfileFile &catalogue, const QString &categoryKey);

// The item number an entry is named after: the digits after its one-letter prefix.
int itemNumberOfEntry(const QString &entryName);

} // namespace CategoryMenus
