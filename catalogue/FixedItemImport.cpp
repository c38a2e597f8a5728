#include "catalogue/FixedItemImport.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueKeys.h"
#include "catalogue/ProfileFile.h"

namespace FixedItemImport {

void importFixedItems(const ProfileFile &source, ProfileFile &target)
{
    for (int n = FirstFixedItem; n <= LastFixedItem; ++n) {
        const QString section = Catalogue::SectionName(n);
        if (!source.SectionExists(section))
            continue;
        target.EraseSection(section);
        for (FlagKey flag : CatalogueKeys::flagKeys) {
            const QString key = CatalogueKeys::name(flag);
            if (!source.ReadString(section, key, QString()).isEmpty())
                target.WriteString(section, key, Catalogue::setFlagValue());
        }
        for (TextKey text : CatalogueKeys::importTextKeys) {
            const QString key = CatalogueKeys::name(text);
            const QString value = source.ReadString(section, key, QString());
            if (!value.isEmpty())
                target.WriteString(section, key, value);
        }
    }
}

} // namespace FixedItemImport
