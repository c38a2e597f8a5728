#include "app/RecentCatalogues.h"

#include "app/UserSettings.h"
#include "catalogue/Catalogue.h"
#include "files/LocalPath.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

constexpr qsizetype kept = 8;
const QString key = QStringLiteral("Kataloger/Seneste");

bool holdsCatalogue(const QString &folder)
{
    return LocalPath::findFile(QDir(folder).filePath(QFileInfo(LocalPath::asWritten(Catalogue::fileName())).fileName()))
        .has_value();
}

} // namespace

namespace RecentCatalogues {

QStringList folders()
{
    QStringList result;
    for (const QString &folder : QSettings(UserSettings::file(), QSettings::IniFormat).value(key).toStringList()) {
        if (holdsCatalogue(folder))
            result.append(folder);
    }
    return result;
}

void remember(const QString &folder)
{
    const QString absolute = QDir(folder).absolutePath();
    QSettings stored(UserSettings::file(), QSettings::IniFormat);
    QStringList list = stored.value(key).toStringList();
    list.removeAll(absolute);
    list.prepend(absolute);
    stored.setValue(key, list.mid(0, kept));
}

} // namespace RecentCatalogues
