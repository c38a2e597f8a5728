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

FileChangeRecorder *recorder();

// Announcements to make, each passed on to the listening recorder, if any.
void aboutToChangeFile(const QString &localPath);
void aboutToCreateFolder(const QString &localPath);
void aboutToRenameFolder(const QString &fromLocalPath, const QString &toLocalPath);

// Makes the recorder the listening one for its lifetime (none for nullptr), and restores the one
// before it afterwards.
class Listening {
public:
    explicit Listening(FileChangeRecorder *recorder);
    ~Listening();
    Listening(const Listening &) = delete;
    Listening &operator=(const Listening &) = delete;

private:
    FileChangeRecorder *previous_;
};

} // namespace FileChanges
