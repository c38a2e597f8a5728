#include "files/FolderNames.h"

#include "files/FileStamp.h"

#include <QDir>
#include <QHash>
#include <QMutex>

namespace FolderNames {

namespace {

struct Listing {
    FileStamp stamp;
    QStringList names;
};

// An editor looks into a few hundred folders at most; beyond that the oldest are not worth
// keeping track of and the lot is dropped.
constexpr qsizetype keptListings = 512;

QMutex mutex;
QHash<QString, Listing> listings;

QStringList readNames(const QString &localFolder)
{
    return QDir(localFolder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

QStringList of(const QString &localFolder)
{
    const FileStamp stamp = FileStamp::ofFolder(localFolder);
    if (!stamp.isValid())
        return readNames(localFolder);
    {
        const QMutexLocker lock(&mutex);
        const auto kept = listings.constFind(localFolder);
        if (kept != listings.constEnd() && kept->stamp == stamp)
            return kept->names;
    }
    const std::int64_t readStart = FileStamp::nowNs();
    QStringList names = readNames(localFolder);
    // Kept only when nothing changed the folder while it was read and any later change will show
    // in its stamp.
    if (stamp.isSettled(readStart) && FileStamp::ofFolder(localFolder) == stamp) {
        const QMutexLocker lock(&mutex);
        if (listings.size() >= keptListings)
            listings.clear();
        listings.insert(localFolder, {stamp, names});
    }
    return names;
}

} // namespace FolderNames
