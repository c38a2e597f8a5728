#include "catalogue/ItemMove.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueKeys.h"
#include "catalogue/ProfileFile.h"

namespace ItemMove {

bool canMove(const ProfileFile &catalogue, const QString &source, const QString &destination)
{
    return catalogue.SectionExists(source) && !catalogue.SectionExists(destination);
}

bool moveSection(ProfileFile &catalogue, const QString &source, const QString &destination)
{
    if (!canMove(catalogue, source, destination))
        return false;
    bool written = false;
    for (const QString &key : CatalogueKeys::moveOrder()) {
        const QString value = catalogue.ReadString(source, key, QString());
        if (!value.isEmpty()) {
            catalogue.WriteString(destination, key, value);
            written = true;
        }
    }
    if (!written)
        catalogue.WriteString(destination, CatalogueKeys::name(TextKey::Titel), QString());
    catalogue.EraseSection(source);
    return true;
}

void exchange(ProfileFile &catalogue, const QString &current, const QString &target,
              const std::function<void()> &beforeEachMove)
{
    const auto move = [&](const QString &source, const QString &destination) {
        if (!canMove(catalogue, source, destination))
            return;
        beforeEachMove();
        moveSection(catalogue, source, destination);
    };
    const QString parking = Catalogue::parkingSection();
    move(target, parking);
    move(current, target);
    move(parking, current);
}

} // namespace ItemMove
