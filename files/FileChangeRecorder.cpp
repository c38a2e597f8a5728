#include "files/FileChangeRecorder.h"

#include "files/Diagnostics.h"

#include <QCoreApplication>
#include <QThread>

namespace {

FileChangeRecorder *listening = nullptr;

// A recorder is no thread-safe object: it writes its journal as each change is announced.
bool onInterfaceThread()
{
    const QCoreApplication *application = QCoreApplication::instance();
    const bool interface = !application || QThread::currentThread() == application->thread();
    Q_ASSERT_X(interface, "FileChanges", "the user's files are changed on the interface thread only");
    if (!interface)
        qCWarning(zcdDiagnostics) << "a file change was announced outside the interface thread";
    return interface;
}

FileChangeRecorder *recorder() { return listening && onInterfaceThread() ? listening : nullptr; }

} // namespace

namespace FileChanges {

void aboutToChangeFile(const QString &localPath)
{
    if (FileChangeRecorder *listener = recorder())
        listener->aboutToChangeFile(localPath);
}

void aboutToCreateFolder(const QString &localPath)
{
    if (FileChangeRecorder *listener = recorder())
        listener->aboutToCreateFolder(localPath);
}

void aboutToRenameFolder(const QString &fromLocalPath, const QString &toLocalPath)
{
    if (FileChangeRecorder *listener = recorder())
        listener->aboutToRenameFolder(fromLocalPath, toLocalPath);
}

Recording::Recording(FileChangeRecorder *recorder)
    : recorder_(recorder)
    , previous_(listening)
{
    onInterfaceThread();
    listening = recorder;
}

Recording::Recording(Recording &&other) noexcept
    : recorder_(other.recorder_)
    , previous_(other.previous_)
    , active_(std::exchange(other.active_, false))
{
}

Recording::~Recording()
{
    if (!active_)
        return;
    // A recording that ends before one begun inside it would leave that one listening.
    Q_ASSERT_X(listening == recorder_, "FileChanges::Recording", "recordings end in the order opposite to their start");
    listening = previous_;
}

} // namespace FileChanges
