#include "files/LocalPath.h"

#include "files/FolderNames.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

bool isKind(const QFileInfo &info, LocalPath::Kind kind)
{
    switch (kind) {
    case LocalPath::Kind::File: return info.isFile();
    case LocalPath::Kind::Folder: return info.isDir();
    case LocalPath::Kind::Any: return info.exists();
    }
    return false;
}

QString childPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The name of the entry in folder that matches name regardless of case, or an empty string.
QString findEntry(const QString &folder, const QString &name, LocalPath::Kind kind)
{
    if (isKind(QFileInfo(childPath(folder, name)), kind))
        return name;
    const QStringList entries = FolderNames::of(folder);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && isKind(QFileInfo(childPath(folder, entry)), kind))
            return entry;
    }
    return QString();
}

struct Resolution {
    QString path;
    bool found = true;
};

struct SplitPath {
    QString root;
    QStringList components;
};

SplitPath split(const QString &storedPath)
{
    QString normalized = storedPath;
    normalized.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return {normalized.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QStringLiteral("."),
            normalized.split(QLatin1Char('/'), Qt::SkipEmptyParts)};
}

Resolution resolvePath(const QString &storedPath, LocalPath::Kind lastKind)
{
    const auto [root, components] = split(storedPath);
    Resolution result;
    result.path = root;
    for (qsizetype i = 0; i < components.size(); ++i) {
        const QString &component = components.at(i);
        const bool last = i == components.size() - 1;
        const LocalPath::Kind kind = last ? lastKind : LocalPath::Kind::Folder;
        if (component == QLatin1String(".") || component == QLatin1String("..")) {
            result.path = childPath(result.path, component);
            if (last && !isKind(QFileInfo(result.path), kind))
                result.found = false;
            continue;
        }
        const QString entry = result.found ? findEntry(result.path, component, kind) : QString();
        if (entry.isEmpty())
            result.found = false;
        result.path = childPath(result.path, entry.isEmpty() ? component : entry);
    }
    if (components.isEmpty() && !isKind(QFileInfo(result.path), lastKind))
        result.found = false;
    return result;
}

} // namespace

namespace LocalPath {

QString resolve(const QString &storedPath, Kind kind) { return resolvePath(storedPath, kind).path; }

bool fileExists(const QString &storedPath) { return resolvePath(storedPath, Kind::File).found; }

bool folderExists(const QString &storedPath) { return resolvePath(storedPath, Kind::Folder).found; }

std::optional<QString> findFile(const QString &storedPath)
{
    const Resolution resolution = resolvePath(storedPath, Kind::File);
    if (!resolution.found)
        return std::nullopt;
    return resolution.path;
}

QString asWritten(const QString &storedPath)
{
    const auto [root, components] = split(storedPath);
    QString path = root;
    for (const QString &component : components)
        path = childPath(path, component);
    return path;
}

QString forWriting(const QString &storedPath) { return resolvePath(storedPath, Kind::File).path; }

QString join(const QString &folder, const QString &name) { return folder + QLatin1Char('\\') + name; }

} // namespace LocalPath
