#include "files/AtomicFile.h"

#include "files/FileChangeRecorder.h"

#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A user marks a file or folder read-only by taking away its owner's write permission. Root could
// write it anyway; the mark still counts, as the read-only attribute does on Windows.
bool isReadOnly(const QFileInfo &entry) { return !entry.isWritable() || !entry.permission(QFileDevice::WriteOwner); }

// Root rewriting a user's file must not leave it owned by root. Other users cannot give a file
// away, but their new file already has their own owner, so a refusal loses nothing and is no error.
bool keepOwner(const QSaveFile &file, const QFileInfo &original)
{
    if (original.ownerId() == ::geteuid() && original.groupId() == ::getegid())
        return true;
    return ::fchown(file.handle(), original.ownerId(), original.groupId()) == 0;
}

// The rename is only lasting once the folder itself has reached the disk.
void syncFolder(const QString &folder)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
}

} // namespace

namespace AtomicFile {

bool canReplace(const QString &localPath)
{
    const QFileInfo target(localPath);
    const QFileInfo folder(target.absolutePath());
    // Replacing a link would write its target, which may lie anywhere; a link is left as it is.
    return !target.isSymLink() && !(target.exists() && isReadOnly(target)) && folder.isDir() && !isReadOnly(folder);
}

bool replace(const QString &localPath, const QByteArray &bytes)
{
    if (!canReplace(localPath))
        return false;
    const QFileInfo target(localPath);
    const QFileInfo folder(target.absolutePath());
    FileChanges::aboutToChangeFile(target.absoluteFilePath());
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (target.exists())
        keepOwner(file, target);
    // commit() alone is not enough: Qt 6.4 renames the temporary file into place even when its last
    // buffered bytes could not be written, which on a full disk would replace the file with a
    // truncated one. So every byte is pushed to the disk and checked before the rename.
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0 || !file.commit())
        return false;
    syncFolder(folder.absoluteFilePath());
    return true;
}

} // namespace AtomicFile
