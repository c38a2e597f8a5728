#include "files/EditorPresence.h"

#include "files/Diagnostics.h"
#include "files/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Locks of the open file itself, not of the process: two windows of one program on one catalogue
// see each other as two programs do.
bool placeLock(int handle, short type, int command, struct flock *lock)
{
    *lock = {};
    lock->l_type = type;
    lock->l_whence = SEEK_SET;
    return ::fcntl(handle, command, lock) == 0;
}

} // namespace

EditorPresence::EditorPresence(const QString &catalogueLocalPath)
{
    const QString runtime = UserFolders::runtime();
    const QString name = UserFolders::forCatalogue(runtime.isEmpty() ? UserFolders::state() : runtime,
                                                   QStringLiteral("locks"), catalogueLocalPath);
    if (name.isEmpty() || !QDir().mkpath(QFileInfo(name).path()))
        return;
    path_ = name + QStringLiteral(".lock");
    handle_ = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Every editor holds a shared lock, and an exclusive one could be placed only if no other
    // did. Two editors started at once both see the other, as each holds its own lock first.
    struct flock lock;
    if (handle_ >= 0 && placeLock(handle_, F_RDLCK, F_OFD_SETLK, &lock)) {
        othersHadItOpen_ = placeLock(handle_, F_WRLCK, F_OFD_GETLK, &lock) && lock.l_type != F_UNLCK;
        return;
    }
    qCInfo(zcdDiagnostics) << "could not lock" << path_ << "for the catalogue" << catalogueLocalPath;
    if (handle_ >= 0)
        ::close(handle_);
    handle_ = -1;
}

EditorPresence::~EditorPresence()
{
    if (handle_ >= 0)
        ::close(handle_);
}
