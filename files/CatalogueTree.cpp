#include "files/CatalogueTree.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// The path with every link resolved: the longest part that exists is resolved by the system, the
// rest (which cannot hold a link, as it does not exist) is joined to it by its letters.
QString resolved(const QString &localPath)
{
    QString existing = QFileInfo(localPath).absoluteFilePath();
    QStringList missing;
    while (!QFileInfo::exists(existing)) {
        const qsizetype slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return QDir::cleanPath(localPath);
        missing.prepend(existing.mid(slash + 1));
        existing.truncate(slash);
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    return QDir::cleanPath(missing.isEmpty() ? canonical
                                             : canonical + QLatin1Char('/') + missing.join(QLatin1Char('/')));
}

bool within(const QString &path, const QString &root)
{
    return path == root || path.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
}

bool inEitherTree(const QString &localPath, const QString &catalogueFolder)
{
    const QString path = resolved(localPath);
    const QString folder = catalogueFolder.isEmpty() ? QDir::currentPath() : catalogueFolder;
    return within(path, resolved(folder)) || within(path, resolved(folder + QStringLiteral("/../../Dansk")));
}

} // namespace

namespace CatalogueTree {

Place placeOf(const QString &localPath, const QString &catalogueFolder)
{
    if (!inEitherTree(localPath, catalogueFolder))
        return Place::Outside;
    return QFileInfo(localPath).isSymLink() ? Place::Link : Place::Inside;
}

bool mayRead(const QString &localPath) { return placeOf(localPath) != Place::Outside; }

bool mayWrite(const QString &localPath) { return placeOf(localPath) == Place::Inside; }

QString reason(Place place)
{
    switch (place) {
    case Place::Inside: return QString();
    case Place::Link: return QStringLiteral("Symbolsk link");
    case Place::Outside: return QStringLiteral("Uden for kataloget");
    }
    return QString();
}

} // namespace CatalogueTree
