#include "catalogue/CategoryMenus.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProfileFile.h"
#include "catalogue/ProfileReader.h"

namespace CategoryMenus {

const std::array<MenuDefinition, menuCount> &menus()
{
    static const std::array<MenuDefinition, menuCount> table = {{
        {Menu::ZProgrammer, QStringLiteral("ZProgrammer1"), QStringLiteral("ZProgrammer")},
        {Menu::Boern, QStringLiteral("Brn1"), QStringLiteral("Børn")},
        {Menu::Spil, QStringLiteral("Spil1"), QStringLiteral("Spil")},
        {Menu::Internet, QStringLiteral("Internet1"), QStringLiteral("Internet")},
        {Menu::Galleri, QStringLiteral("Galleri1"), QStringLiteral("Galleri")},
        {Menu::Tilbehoer, QStringLiteral("ilbehr1"), QStringLiteral("Tilbehør")},
        {Menu::Vaerksted, QStringLiteral("Vrksted1"), QStringLiteral("Værksted")},
        {Menu::Software, QStringLiteral("Software1"), QStringLiteral("Software")},
        {Menu::Skole, QStringLiteral("Skole1"), QStringLiteral("Skole")},
    }};
    return table;
}

const std::array<CategoryRow, 9> &categoryRows()
{
    static const std::array<CategoryRow, 9> table = {{
        {Category::ZProgram, Menu::ZProgrammer, QLatin1Char('Z'), Listing::ZProgrammer},
        {Category::Barn, Menu::Boern, QLatin1Char('B'), Listing::JuniorListe},
        {Category::Spil, Menu::Spil, QLatin1Char('S'), Listing::SpilListe},
        {Category::Internet, Menu::Internet, QLatin1Char('G'), Listing::GalleriListe},
        {Category::Galleri, Menu::Galleri, QLatin1Char('V'), Listing::VaerkstedListe},
        {Category::Tilbehoer, Menu::Tilbehoer, QLatin1Char('O'), Listing::SkoleListe},
        {Category::Vaerksted, Menu::Vaerksted, QLatin1Char('T'), Listing::TilbehoerListe},
        {Category::Software, Menu::Software, QLatin1Char('W'), Listing::Softwareliste},
        {Category::Skole, Menu::Skole, QLatin1Char('I'), Listing::InternetListe},
    }};
    return table;
}

const std::array<std::pair<Menu, Category>, clearableMenuCount> &clearableMenus()
{
    static const std::array<std::pair<Menu, Category>, 4> table = {{
        {Menu::ZProgrammer, Category::ZProgram},
        {Menu::Boern, Category::Barn},
        {Menu::Spil, Category::Spil},
        {Menu::Software, Category::Software},
    }};
    return table;
}

QString listingObjectName(Listing listing)
{
    switch (listing) {
    case Listing::ZProgrammer: return QStringLiteral("ZProgrammer");
    case Listing::SpilListe: return QStringLiteral("SpilListe");
    case Listing::JuniorListe: return QStringLiteral("JuniorListe");
    case Listing::SkoleListe: return QStringLiteral("SkoleListe");
    case Listing::GalleriListe: return QStringLiteral("GalleriListe");
    case Listing::TilbehoerListe: return QStringLiteral("TilbehoerListe");
    case Listing::Softwareliste: return QStringLiteral("Softwareliste");
    case Listing::InternetListe: return QStringLiteral("InternetListe");
    case Listing::VaerkstedListe: return QStringLiteral("VaerkstedListe");
    }
    return QString();
}

QString listingHeading(Listing listing)
{
    switch (listing) {
    case Listing::ZProgrammer: return QStringLiteral("Z-Programmer");
    case Listing::SpilListe: return QStringLiteral("Spil");
    case Listing::JuniorListe: return QStringLiteral("For børn");
    case Listing::SkoleListe: return QStringLiteral("Videzarerazu");
    case Listing::GalleriListe: return QStringLiteral("Galleriet");
    case Listing::TilbehoerListe: return QStringLiteral("Tilbehør");
    case Listing::Softwareliste: return QStringLiteral("Software");
    case Listing::InternetListe: return QStringLiteral("Internet");
    case Listing::VaerkstedListe: return QStringLiteral("Nyt i værkstedet:");
    }
    return QString();
}

QStringList listingStart(Listing listing) { return {QString(), listingHeading(listing)}; }

const std::array<Listing, listingCount> &masterOrder()
{
    static const std::array<Listing, listingCount> order = {
        Listing::ZProgrammer,   Listing::SpilListe,      Listing::JuniorListe,
        Listing::GalleriListe,  Listing::TilbehoerListe, Listing::SkoleListe,
        Listing::Softwareliste, Listing::InternetListe,  Listing::VaerkstedListe,
    };
    return order;
}

Contents collect(const ProfileReader &catalogue)
{
    Contents contents;
    for (int n = Catalogue::FirstItemNumber; n <= Catalogue::LastItemNumber; ++n) {
        const QString section = Catalogue::SectionName(n);
        const QString title = catalogue.ReadString(section, CatalogueKeys::name(TextKey::Titel), QString());
        if (title.isEmpty())
            continue;
        bool listed = false;
        for (const CategoryRow &row : categoryRows()) {
            if (!Catalogue::isFlagSet(
                    catalogue.ReadString(section, CatalogueKeys::name(row.category), Catalogue::missingFlagValue())))
                continue;
            contents.entries(row.menu).append({title, row.entryPrefix + QString::number(n)});
            if (!listed) {
                contents.lines(row.listing).append(title);
                listed = true;
            }
        }
    }
    return contents;
}

void eraseCategory(ProfileFile &catalogue, const QString &categoryKey)
{
    for (int n = Catalogue::FirstItemNumber; n <= Catalogue::LastItemNumber; ++n) {
        const QString section = Catalogue::SectionName(n);
        if (catalogue.SectionExists(section) &&
            Catalogue::isFlagSet(catalogue.ReadString(section, categoryKey, QString())))
            catalogue.EraseSection(section);
    }
}

int itemNumberOfEntry(const QString &entryName) { return entryName.mid(1, 2).toInt(); }

} // namespace CategoryMenus
