#pragma once

#include "catalogue/CatalogueKeys.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class ProfileFile;

// The category menus of the menu bar and the category listings, made from the catalogue once at
// start-up. The mapping of a category to its listing is historical (items of "Internet" are
// listed under "Galleriet"), and the people who paste the listings rely on it.
namespace CategoryMenus {

enum class Listing { ZProgrammer, SpilListe, JuniorListe, SkoleListe, GalleriListe, TilbehoerListe,
                     Softwareliste, InternetListe, VaerkstedListe };

struct Menu {
    QString objectName;
    QString caption;
};

struct CategoryRow {
    Category category;
    int menuIndex;
    QChar entryPrefix;
    Listing listing;
};

struct Entry {
    QString caption;
    QString objectName;
};

struct Contents {
    std::array<QList<Entry>, 9> menuEntries;   // by menu index
    std::array<QStringList, 9> listingLines;   // by Listing
};

// The nine menus of the menu bar, left to right.
const std::array<Menu, 9> &menus();
// The categories in the order each item is examined.
const std::array<CategoryRow, 9> &categoryRows();
// The menus that end with "Slet liste", and the category each erases.
const std::array<std::pair<int, Category>, 4> &clearableMenus();

QString listingObjectName(Listing listing);
QString listingHeading(Listing listing);
// The order the listings stand in the master listing.
const std::array<Listing, 9> &masterOrder();

// Every titled item gets an entry in the menu of each of its categories and one listing line,
// under the first of its categories.
Contents collect(ProfileFile &catalogue);

// Erases every item whose flag for the category is set. Stops at the first write error.
void eraseCategory(ProfileFile &catalogue, const QString &categoryKey);

// The item number an entry is named after: the digits after its one-letter prefix.
int itemNumberOfEntry(const QString &entryName);

} // namespace CategoryMenus
