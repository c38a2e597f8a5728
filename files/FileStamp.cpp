#include "files/FileStamp.h"

#include <QFile>

#include <algorithm>
#include <ctime>

#include <sys/stat.h>

namespace {

constexpr std::int64_t nsPerSecond = 1000000000;
// FAT keeps modification times to two seconds; every other file system is finer.
constexpr std::int64_t coarsestTickNs = 2 * nsPerSecond + nsPerSecond / 10;

std::int64_t nanoseconds(const timespec &time) { return std::int64_t(time.tv_sec) * nsPerSecond + time.tv_nsec; }

FileStamp stampOf(const QString &localPath, mode_t kind)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(localPath).constData(), &status) != 0 || (status.st_mode & S_IFMT) != kind)
        return FileStamp();
    FileStamp stamp;
    stamp.localPath = localPath;
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
    stamp.size = status.st_size;
    stamp.modifiedNs = nanoseconds(status.st_mtim);
    stamp.changedNs = nanoseconds(status.st_ctim);
    return stamp;
}

} // namespace

FileStamp FileStamp::of(const QString &localPath) { return stampOf(localPath, S_IFREG); }

FileStamp FileStamp::ofFolder(const QString &localPath) { return stampOf(localPath, S_IFDIR); }

bool FileStamp::isSettled(std::int64_t readStartNs) const
{
    return isValid() && std::max(modifiedNs, changedNs) + coarsestTickNs < readStartNs;
}

std::int64_t FileStamp::nowNs()
{
    timespec now = {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}
