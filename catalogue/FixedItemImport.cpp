#include "catalogue/FixedItemImport.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueKeys.h"
#include "catalogue/ProfileFile.h"

namespace FixedItemImport {

std::optional<QList<QPair<QString, QString>>> importedValues(const ProfileReader &source, int number)
{
    const QString section = Catalogue::SectionName(number);
    if (!source.SectionExists(section))
        return std::nullopt;
    QList<QPair<QString, QString>> values;
    for (FlagKey flag : CatalogueKeys::flagKeys) {
        const QString key = CatalogueKeys::name(flag);
        if (!source.ReadString(section, key, QString()).isEmpty())
            values.append({key, Catalogue::setFlagValue()});
    }
    for (TextKey text : CatalogueKeys::importTextKeys) {
        const QString key = CatalogueKeys::name(text);
        const QString value = source.ReadString(section, key, QString());
        if (!value.isEmpty())
            values.append({key, value});
    }
    return values;
}

void importFixedItems(const ProfileReader &source, ProfileFile &target)
{
    for (int n = FirstFixedItem; n <= LastFixedItem; ++n) {
        const std::optional<QList<QPair<QString, QString>>> values = importedValues(source, n);
        if (!values)
            continue;
        const QString section = Catalogue::SectionName(n);
        target.EraseSection(section);
        for (const QPair<QString, QString> &value : *values)
            target.WriteString(section, value.first, value.second);
    }
}

} // namespace FixedItemImport
