#include "files/FolderWriteLock.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderWriteLock::FolderWriteLock(const QString &localPath)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(localPath).absolutePath());
    handle_ = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle_ < 0)
        return;
    int result;
    do
        result = ::flock(handle_, LOCK_EX);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(handle_);
        handle_ = -1;
    }
}

// Closing the handle gives the lock up.
FolderWriteLock::~FolderWriteLock()
{
    if (handle_ >= 0)
        ::close(handle_);
}
