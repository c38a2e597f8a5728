#include "files/FileChangeRecorder.h"

namespace {

// The user interface is the only thread that changes the user's files.
FileChangeRecorder *listening = nullptr;

} // namespace

namespace FileChanges {

FileChangeRecorder *recorder() { return listening; }

void aboutToChangeFile(const QString &localPath)
{
    if (listening)
        listening->aboutToChangeFile(localPath);
}

void aboutToCreateFolder(const QString &localPath)
{
    if (listening)
        listening->aboutToCreateFolder(localPath);
}

void aboutToRenameFolder(const QString &fromLocalPath, const QString &toLocalPath)
{
    if (listening)
        listening->aboutToRenameFolder(fromLocalPath, toLocalPath);
}

Listening::Listening(FileChangeRecorder *recorder)
    : previous_(listening)
{
    listening = recorder;
}

Listening::~Listening() { listening = previous_; }

} // namespace FileChanges
