#include "catalogue/CatalogueKeys.h"

namespace CatalogueKeys {

QString name(FlagKey key)
{
    switch (key) {
    case FlagKey::ZProgram: return QStringLiteral("ZProgram");
    case FlagKey::Spil: return QStringLiteral("Spil");
    case FlagKey::Galleri: return QStringLiteral("Galleri");
    case FlagKey::Barn: return QStringLiteral("Barn");
    case FlagKey::Vaerksted: return QStringLiteral("Værksted");
    case FlagKey::Skole: return QStringLiteral("Skole");
    case FlagKey::Internet: return QStringLiteral("Internet");
    case FlagKey::Tilbehoer: return QStringLiteral("Tilbehør");
    case FlagKey::Software: return QStringLiteral("Software");
    case FlagKey::Fuldversion: return QStringLiteral("Fuldversion");
    case FlagKey::Registrer: return QStringLiteral("Registrer");
    }
    return QString();
}

QString name(TextKey key)
{
    switch (key) {
    case TextKey::Titel: return QStringLiteral("Titel");
    case TextKey::Global: return QStringLiteral("Global");
    case TextKey::Folder: return QStringLiteral("Folder");
    case TextKey::Setup: return QStringLiteral("Setup");
    case TextKey::Run: return QStringLiteral("Run");
    case TextKey::Ekstra: return QStringLiteral("Ekstra");
    case TextKey::Webside: return QStringLiteral("Webside");
    }
    return QString();
}

FlagKey flagKey(Category category) { return FlagKey(int(category)); }

QString name(Category category) { return name(flagKey(category)); }

const std::array<QString, 18> &moveOrder()
{
    static const std::array<QString, 18> order = {
        name(FlagKey::ZProgram),  name(FlagKey::Spil),      name(FlagKey::Galleri),  name(FlagKey::Barn),
        name(FlagKey::Vaerksted), name(FlagKey::Skole),     name(FlagKey::Internet), name(FlagKey::Tilbehoer),
        name(FlagKey::Software),  name(TextKey::Titel),     name(TextKey::Global),   name(TextKey::Folder),
        name(TextKey::Setup),     name(TextKey::Run),       name(TextKey::Ekstra),   name(FlagKey::Fuldversion),
        name(TextKey::Webside),   name(FlagKey::Registrer),
    };
    return order;
}

} // namespace CatalogueKeys
