#include "files/UserFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString xdgSetting(const char *variable)
{
    const QString set = qEnvironmentVariable(variable);
    return !set.isEmpty() && !QDir::isRelativePath(set) ? QDir::cleanPath(set) : QString();
}

QString xdgFolder(const char *variable, const QString &underHome)
{
    if (const QString set = xdgSetting(variable); !set.isEmpty())
        return set;
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        return {};
    return QDir::cleanPath(home + QLatin1Char('/') + underHome);
}

// A path that may not exist yet, with every folder that does exist resolved through its links.
QString realPath(const QString &path)
{
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(existing)) {
        const qsizetype slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        rest.prepend(existing.mid(slash));
        existing.truncate(slash);
    }
    return QFileInfo(existing).canonicalFilePath() + rest;
}

} // namespace

namespace UserFolders {

QString data() { return xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share")); }

QString state() { return xdgFolder("XDG_STATE_HOME", QStringLiteral(".local/state")); }

QString runtime() { return xdgSetting("XDG_RUNTIME_DIR"); }

QString forCatalogue(const QString &base, const QString &kind, const QString &catalogueLocalPath)
{
    if (base.isEmpty())
        return {};
    const QString catalogue = QFileInfo(catalogueLocalPath).absoluteFilePath();
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(QFile::encodeName(catalogue), QCryptographicHash::Sha256).toHex().left(16));
    const QString folder = base + QStringLiteral("/mqveditor/") + kind + QLatin1Char('/') + key;
    if (isInside(folder, QFileInfo(catalogue).absolutePath()))
        return {};
    return folder;
}

bool isInside(const QString &path, const QString &tree)
{
    const QString inner = realPath(path);
    const QString outer = realPath(tree);
    return inner == outer || inner.startsWith(outer.endsWith(QLatin1Char('/')) ? outer : outer + QLatin1Char('/'));
}

} // namespace UserFolders
