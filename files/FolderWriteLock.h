#pragma once

#include <QString>

// Serialises the read-change-replace of files in one folder between processes, so that two
// editors writing keys of one catalogue at the same moment never write from the same old bytes
// (the second would bring the first one's keys back as they were). It locks the folder itself,
// which leaves nothing behind on the disc. Where the file system has no such locks (some network
// shares) it locks nothing, and the stamp checks of the writers are all that is left.
class FolderWriteLock {
public:
    // Waits for the lock of the folder that holds localPath.
    explicit FolderWriteLock(const QString &localPath);
    ~FolderWriteLock();
    FolderWriteLock(const FolderWriteLock &) = delete;
    FolderWriteLock &operator=(const FolderWriteLock &) = delete;

private:
    int handle_ = -1;
};
