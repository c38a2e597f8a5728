#pragma once

#include <QString>

#include <cstdint>

// Which version of a file was read: the file's identity (device and inode), its size and its
// modification and change times, to the nanosecond. Any write changes at least one of them (a
// replacing rename gives a new inode, and even a tool that puts the old modification time back
// moves the change time), so an unchanged stamp means the bytes read before are still the file's.
// The one gap is a change within the file system's clock tick of the last one; isSettled() says
// when that can no longer happen.
struct FileStamp {
    QString localPath;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    // The stamp of the regular file at localPath; invalid for anything else or nothing there.
    static FileStamp of(const QString &localPath);
    // The same for a folder, whose times change whenever an entry is added, removed or renamed.
    static FileStamp ofFolder(const QString &localPath);

    bool isValid() const { return size >= 0; }
    // True when the file's last change lies well before readStartNs (CLOCK_REALTIME, in
    // nanoseconds), by more than the coarsest file-system clock tick (FAT's two seconds): any later
    // change then gets other times, so the stamp alone tells whether bytes read then are current.
    bool isSettled(std::int64_t readStartNs) const;

    static std::int64_t nowNs();

    friend bool operator==(const FileStamp &a, const FileStamp &b)
    {
        return a.localPath == b.localPath && a.device == b.device && a.inode == b.inode && a.size == b.size &&
            a.modifiedNs == b.modifiedNs && a.changedNs == b.changedNs;
    }
    friend bool operator!=(const FileStamp &a, const FileStamp &b) { return !(a == b); }
};
