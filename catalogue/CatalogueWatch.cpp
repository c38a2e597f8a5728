#include "catalogue/CatalogueWatch.h"

#include "catalogue/ProfileFile.h"
#include "files/LocalPath.h"

#include <QFile>
#include <QFileInfo>

CatalogueWatch::CatalogueWatch(const ProfileFile &catalogue, QObject *parent)
    : QObject(parent)
    , catalogue_(catalogue)
    // Named as the profile names it, so that its stamps and the profile's compare.
    , localPath_(LocalPath::forWriting(catalogue.FileName()))
{
    adopt();
    // The folder too: a replacement by rename, as every careful writer does, ends the watch of
    // the file itself.
    watcher_.addPath(QFileInfo(localPath_).absolutePath());
    watch();
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &CatalogueWatch::notice);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &CatalogueWatch::notice);
}

void CatalogueWatch::watch()
{
    const QString path = QFileInfo(localPath_).absoluteFilePath();
    if (!watcher_.files().contains(path) && QFileInfo::exists(path))
        watcher_.addPath(path);
}

bool CatalogueWatch::changedOutside()
{
    const FileStamp now = FileStamp::of(localPath_);
    if (now == knownStamp_)
        return false;
    // The editor's own write, made under the folder's lock: its stamp is the file's.
    const ProfileFile::Write &written = catalogue_.LastWrite();
    if (written.stamp.isValid() && now == written.stamp) {
        knownStamp_ = now;
        knownBytes_ = written.bytes;
        return false;
    }
    return true;
}

void CatalogueWatch::adopt()
{
    knownStamp_ = FileStamp::of(localPath_);
    QFile file(localPath_);
    knownBytes_ = knownStamp_.isValid() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // Read after the stamp: a change in between shows as a stamp that differs next time.
}

void CatalogueWatch::notice()
{
    watch();
    if (!changedOutside())
        return;
    const FileStamp now = FileStamp::of(localPath_);
    if (now == told_)
        return;
    told_ = now;
    emit changed();
}
