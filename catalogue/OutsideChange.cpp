#include "catalogue/OutsideChange.h"

#include "catalogue/Catalogue.h"
#include "files/Windows1252.h"

#include <QStringList>

#include <algorithm>

OutsideChange OutsideChange::between(const ProfileText &known, const ProfileText &stored, int item)
{
    OutsideChange change;
    const std::vector<KeyChange> changes = ProfileChanges::between(known, stored);
    change.anything = !changes.empty();
    const QByteArray section = Windows1252::encode(Catalogue::SectionName(item));
    change.ofItem = ProfileChanges::inSection(changes, section);
    change.itemDeleted = known.hasKeys(section) && !stored.hasKeys(section);
    return change;
}

bool OutsideChange::changed(TextKey key) const
{
    const QByteArray name = Windows1252::encode(CatalogueKeys::name(key));
    return std::any_of(ofItem.begin(), ofItem.end(),
                       [&](const KeyChange &change) { return ProfileText::sameName(change.key, name); });
}

QString OutsideChange::notice() const
{
    QStringList keys;
    for (const KeyChange &change : ofItem)
        keys << Windows1252::decode(change.key);
    keys.removeDuplicates();
    if (keys.isEmpty())
        keys << QStringLiteral("andre punkter");
    return QStringLiteral("Ændret i en anden editor: ") + keys.join(QStringLiteral(", "));
}
