#include "catalogue/CatalogueItem.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProfileFile.h"

CatalogueItem::CatalogueItem(ProfileFile &catalogue, int number)
    : catalogue_(catalogue)
    , number_(number)
{
}

QString CatalogueItem::section() const
{
    return Catalogue::SectionName(number_);
}

bool CatalogueItem::exists() const
{
    return catalogue_.SectionExists(section());
}

bool CatalogueItem::flag(FlagKey key) const
{
    return Catalogue::isFlagSet(catalogue_.ReadString(section(), CatalogueKeys::name(key), Catalogue::missingFlagValue()));
}

void CatalogueItem::setFlag(FlagKey key, bool set)
{
    if (set)
        catalogue_.WriteString(section(), CatalogueKeys::name(key), Catalogue::setFlagValue());
    else
        catalogue_.DeleteKey(section(), CatalogueKeys::name(key));
}

QString CatalogueItem::text(TextKey key) const
{
    return catalogue_.ReadString(section(), CatalogueKeys::name(key), QString());
}

void CatalogueItem::setText(TextKey key, const QString &value)
{
    catalogue_.WriteString(section(), CatalogueKeys::name(key), value);
}

void CatalogueItem::create()
{
    setText(TextKey::Titel, QString());
}

void CatalogueItem::clear()
{
    catalogue_.EraseSection(section());
    setText(TextKey::Global, QString());
}
