#pragma once

#include <QString>

#include <optional>

// Paths are stored the Windows way: backslashes, relative to the current folder, any letter case.
// These functions find what such a path names on this file system: separators are mapped and
// every component is matched without regard to case (an exact match first), because folders
// copied from a Windows disc arrive as SETUP.EXE as often as setup.exe. What is stored never changes.
namespace LocalPath {

enum class Kind { Any, File, Folder };

// The local path of the entry the stored path names, with each component spelled as on disk.
// Components that do not exist are kept as written. The last component must be of the given kind
// to count as found; earlier components must be folders.
QString resolve(const QString &storedPath, Kind kind = Kind::Any);

// True only for an existing entry of that kind: a folder of a file's name is not the file.
bool fileExists(const QString &storedPath);
bool folderExists(const QString &storedPath);

// The local path of the existing file the stored path names, found in one pass; nothing when
// there is no such file.
std::optional<QString> findFile(const QString &storedPath);

// The local path the stored path names when every component is spelled on disk exactly as
// stored: what resolve() gives in that case, found without looking at the disk.
QString asWritten(const QString &storedPath);

// Where to write the file the stored path names: an existing file whose name differs only in
// case is the one to replace; otherwise the last component keeps the letters it was given.
QString forWriting(const QString &storedPath);

// Stored paths join with a backslash.
QString join(const QString &folder, const QString &name);

} // namespace LocalPath
