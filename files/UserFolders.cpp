#include "files/UserFolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString xdgFolder(const char *variable, const QString &underHome)
{
    const QString set = qEnvironmentVariable(variable);
    if (!set.isEmpty() && !QDir::isRelativePath(set))
        return QDir::cleanPath(set);
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

QString data()
{
    return xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share"));
}

QString state()
{
    return xdgFolder("XDG_STATE_HOME", QStringLiteral(".local/state"));
}

bool isInside(const QString &path, const QString &tree)
{
    const QString inner = realPath(path);
    const QString outer = realPath(tree);
    return inner == outer || inner.startsWith(outer.endsWith(QLatin1Char('/')) ? outer : outer + QLatin1Char('/'));
}

} // namespace UserFolders
