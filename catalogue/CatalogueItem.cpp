#include "catalogue/CatalogueItem.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProfileFile.h"

CatalogueItem::CatalogueItem(ProfileFile &catalogue, int number)
    : catalogue_(catalogue)
    , number_(number)
{
}

QString CatalogueItem::section() const { return Catalogue::SectionName(number_); }

bool CatalogueItem::exists() const { return catalogue_.SectionExists(section()); }

bool CatalogueItem::flag(FlagKey key) const
{
    return Catalogue::isFlagSet(
        catalogue_.ReadString(section(), CatalogueKeys::name(key), Catalogue::missingFlagValue()));
}

// A value that already reads as the one given is not written again: showing an item writes the
// shown values back, and a catalogue that was only looked at must stay as it is ("ja" stays "ja",
// a missing key stays missing rather than becoming empty). Creating and clearing write on purpose.
void CatalogueItem::setFlag(FlagKey key, bool set)
{
    if (flag(key) == set)
        return;
    if (set)
        catalogue_.WriteString(section(), CatalogueKeys::name(key), Catalogue::setFlagValue());
    else
        catalogue_.DeleteKey(section(), CatalogueKeys::name(key));
}

QString CatalogueItem::text(TextKey key) const
{
    return catalogue_.ReadString(section(), CatalogueKeys::name(key), QString());
}

void CatalogueItem::setText(TextKey key, const QString &value) { setValue(CatalogueKeys::name(key), value); }

void CatalogueItem::setValue(const QString &keyName, const QString &value)
{
    if (catalogue_.ReadString(section(), keyName, QString()) != value)
        catalogue_.WriteString(section(), keyName, value);
}

void CatalogueItem::create() { catalogue_.WriteString(section(), CatalogueKeys::name(TextKey::Titel), QString()); }

void CatalogueItem::clear()
{
    catalogue_.EraseSection(section());
    catalogue_.WriteString(section(), CatalogueKeys::name(TextKey::Global), QString());
}
