#include "history/CatalogueHistory.h"

#include "files/Diagnostics.h"
#include "files/UserFolders.h"
#include "history/ItemRestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CatalogueHistory::Recording::Recording(HistoryRecorder &recorder)
    : recorder_(&recorder)
{
    if (recorder.recording())
        listening_.emplace(&recorder);
}

CatalogueHistory::Recording::Recording(Recording &&other) noexcept
    : listening_(std::move(other.listening_))
    , recorder_(std::exchange(other.recorder_, nullptr))
{
}

CatalogueHistory::Recording::~Recording()
{
    listening_.reset();
    if (recorder_)
        recorder_->end();
}

CatalogueHistory::CatalogueHistory(const QString &catalogueLocalPath, const QString &historyFolder, Limits limits)
    : log_(catalogueLocalPath, historyFolder.isEmpty() ? QString() : historyFolder + QStringLiteral("/journal"), limits)
    , recorder_(log_)
    , player_(log_)
{
    if (!log_.enabled() || !lock(historyFolder))
        return;
    // Which catalogue a history folder belongs to, for whoever looks into the state folder.
    const QString nameFile = historyFolder + QStringLiteral("/catalogue");
    if (!QFileInfo::exists(nameFile)) {
        QFile name(nameFile);
        if (name.open(QIODevice::WriteOnly))
            name.write(QFile::encodeName(log_.catalogue()) + '\n');
    }
    log_.open();
    if (!log_.enabled())
        return;
    // A crash left at most one thing unfinished: the step being recorded, whose files hold what
    // it managed to do, or an undo or redo, which is carried through to its end.
    if (const HistoryStep *open = log_.openStep()) {
        qCInfo(zcdDiagnostics) << "history: finishing step" << open->number << "that a stop interrupted";
        recorder_.closeOpenStep();
    }
    player_.finishInterrupted();
    log_.enforceLimits();
}

// One editor at a time keeps a catalogue's history: a second one on the same catalogue would
// number its steps over the first one's. The lock goes with the process, however it ends.
bool CatalogueHistory::lock(const QString &historyFolder)
{
    QDir().mkpath(historyFolder);
    lock_ = ::open(QFile::encodeName(historyFolder + QStringLiteral("/lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC,
                   0600);
    if (lock_ < 0) {
        log_.fail(QStringLiteral("skrivefejl"));
        return false;
    }
    if (::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        log_.disable();
        keptByAnotherEditor_ = true;
        return false;
    }
    return true;
}

CatalogueHistory::~CatalogueHistory()
{
    Q_ASSERT_X(!recorder_.recording(), "CatalogueHistory", "a recording outlives its history");
    if (log_.enabled())
        recorder_.closeOpenStep();
    if (lock_ >= 0)
        ::close(lock_);
}

QString CatalogueHistory::folderFor(const QString &catalogueLocalPath)
{
    return UserFolders::forCatalogue(UserFolders::state(), QStringLiteral("history"), catalogueLocalPath);
}

CatalogueHistory::Recording CatalogueHistory::begin(const Action &action)
{
    recorder_.begin(action);
    return Recording(recorder_);
}

void CatalogueHistory::endMerging()
{
    if (!recorder_.recording())
        recorder_.closeOpenStep();
}

CatalogueHistory::Outcome CatalogueHistory::undo()
{
    // A step still being typed is complete once it is taken back.
    recorder_.closeOpenStep();
    return player_.undo();
}

CatalogueHistory::Outcome CatalogueHistory::redo() { return player_.redo(); }

CatalogueHistory::Outcome CatalogueHistory::restoreItemBefore(qint64 stepNumber)
{
    return ItemRestore(log_).before(stepNumber);
}
