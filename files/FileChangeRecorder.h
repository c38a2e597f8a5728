#pragma once

#include <QString>

// Every change the editor makes on disk is announced here just before it is made, so that a
// history can first keep what was there. Only one recorder listens at a time: the one of the
// action being carried out; outside an action, and while a history puts files back itself, none.
class FileChangeRecorder {
public:
    virtual ~FileChangeRecorder() = default;

    // The file at localPath is about to be replaced, created or removed.
    virtual void aboutToChangeFile(const QString &localPath) = 0;
    // A folder is about to be made at localPath.
    virtual void aboutToCreateFolder(const QString &localPath) = 0;
    // The folder at fromLocalPath is about to get the name toLocalPath.
    virtual void aboutToRenameFolder(const QString &fromLocalPath, const QString &toLocalPath) = 0;
};

namespace FileChanges {

// Announcements to make, each passed on to the listening recorder, if any. Only the interface
// thread changes the user's files; an announcement from any other is refused and reported.
void aboutToChangeFile(const QString &localPath);
void aboutToCreateFolder(const QString &localPath);
void aboutToRenameFolder(const QString &fromLocalPath, const QString &toLocalPath);

// The recorder listens for the lifetime of the recording, on the interface thread, and the one
// before it listens again afterwards. Recordings nest as scopes do: one is held by the code that
// carries out a user action (or by one that writes what is no change of the user's, with
// nullptr), and ends with it.
class [[nodiscard]] Recording {
public:
    explicit Recording(FileChangeRecorder *recorder);
    ~Recording();
    Recording(Recording &&other) noexcept;
    Recording(const Recording &) = delete;
    Recording &operator=(const Recording &) = delete;
    Recording &operator=(Recording &&) = delete;

private:
    FileChangeRecorder *recorder_;
    FileChangeRecorder *previous_;
    bool active_ = true;
};

} // namespace FileChanges
