#pragma once

#include <QByteArray>
#include <QString>

// Files the user works in are replaced whole: the new bytes go to a temporary file in the same
// folder, reach the disk, and are renamed over the old file, so a crash or a full disk leaves the
// old file or the new one, never a mixture.
namespace AtomicFile {

// False when the file is a symbolic link (its target is never written), when the file or its folder is read-only, the
// folder is missing or not every byte could be stored; the file is then as it was. The file keeps its permissions and,
// where the system allows, its owner.
bool replace(const QString &localPath, const QByteArray &bytes);

// Whether replace() would be allowed to write the file now: the file is no link and, when it
// exists, it and its folder are not read-only (no owner write permission, marked immutable, on a read-only medium).
// A full disk shows only when writing.
bool canReplace(const QString &localPath);

} // namespace AtomicFile
