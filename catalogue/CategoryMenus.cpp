#include "catalogue/CategoryMenus.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueItem.h"
#include "catalogue/ProfileFile.h"

namespace CategoryMenus {

const std::array<Menu, 9> &menus()
{
    static const std::array<Menu, 9> table = {{
        {QStringLiteral("ZProgrammer1"), QStringLiteral("ZProgrammer")},
        {QStringLiteral("Brn1"), QStringLiteral("B\u00F8rn")},
        {QStringLiteral("Spil1"), QStringLiteral("Spil")},
        {QStringLiteral("Internet1"), QStringLiteral("Internet")},
        {QStringLiteral("Galleri1"), QStringLiteral("Galleri")},
        {QStringLiteral("ilbehr1"), QStringLiteral("Tilbeh\u00F8r")},
        {QStringLiteral("Vrksted1"), QStringLiteral("V\u00E6rksted")},
        {QStringLiteral("Software1"), QStringLiteral("Software")},
        {QStringLiteral("Skole1"), QStringLiteral("Skole")},
    }};
    return table;
}

const std::array<CategoryRow, 9> &categoryRows()
{
    static const std::array<CategoryRow, 9> table = {{
        {Category::ZProgram, 0, QLatin1Char('Z'), Listing::ZProgrammer},
        {Category::Barn, 1, QLatin1Char('B'), Listing::JuniorListe},
        {Category::Spil, 2, QLatin1Char('S'), Listing::SpilListe},
        {Category::Internet, 3, QLatin1Char('G'), Listing::GalleriListe},
        {Category::Galleri, 4, QLatin1Char('V'), Listing::VaerkstedListe},
        {Category::Tilbehoer, 5, QLatin1Char('O'), Listing::SkoleListe},
        {Category::Vaerksted, 6, QLatin1Char('T'), Listing::TilbehoerListe},
        {Category::Software, 7, QLatin1Char('W'), Listing::Softwareliste},
        {Category::Skole, 8, QLatin1Char('I'), Listing::InternetListe},
    }};
    return table;
}

const std::array<std::pair<int, Category>, 4> &clearableMenus()
{
    static const std::array<std::pair<int, Category>, 4> table = {{
        {0, Category::ZProgram}, {1, Category::Barn}, {2, Category::Spil}, {7, Category::Software},
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
    case Listing::JuniorListe: return QStringLiteral("For b\u00F8rn");
    case Listing::SkoleListe: return QStringLiteral("Videzarerazu");
    case Listing::GalleriListe: return QStringLiteral("Galleriet");
    case Listing::TilbehoerListe: return QStringLiteral("Tilbeh\u00F8r");
    case Listing::Softwareliste: return QStringLiteral("Software");
    case Listing::InternetListe: return QStringLiteral("Internet");
    case Listing::VaerkstedListe: return QStringLiteral("Nyt i v\u00E6rkstedet:");
    }
    return QString();
}

const std::array<Listing, 9> &masterOrder()
{
    static const std::array<Listing, 9> order = {
        Listing::ZProgrammer, Listing::SpilListe,     Listing::JuniorListe,   Listing::GalleriListe,   Listing::TilbehoerListe,
        Listing::SkoleListe,  Listing::Softwareliste, Listing::InternetListe, Listing::VaerkstedListe,
    };
    return order;
}

Contents collect(ProfileFile &catalogue)
{
    Contents contents;
    for (int n = Catalogue::FirstItemNumber; n <= Catalogue::LastItemNumber; ++n) {
        const CatalogueItem item(catalogue, n);
        const QString title = item.text(TextKey::Titel);
        if (title.isEmpty())
            continue;
        bool listed = false;
        for (const CategoryRow &row : categoryRows()) {
            if (!item.flag(CatalogueKeys::flagKey(row.category)))
                continue;
            contents.menuEntries[row.menuIndex].append({title, row.entryPrefix + QString::number(n)});
            if (!listed) {
                contents.listingLines[int(row.listing)].append(title);
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
        if (catalogue.SectionExists(section) && Catalogue::isFlagSet(catalogue.ReadString(section, categoryKey, QString())))
            catalogue.EraseSection(section);
    }
}

int itemNumberOfEntry(const QString &entryName)
{
    return entryName.mid(1, 2).toInt();
}

} // namespace CategoryMenus
