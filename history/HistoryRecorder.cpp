#include "history/HistoryRecorder.h"

#include "history/StepSummary.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool isFolder(const QString &path) { return QFileInfo(path).isDir(); }

} // namespace

HistoryRecorder::HistoryRecorder(HistoryLog &log)
    : log_(log)
{
}

void HistoryRecorder::begin(const HistoryAction &action)
{
    if (!log_.enabled())
        return;
    const HistoryStep *open = log_.openStep();
    if (open && (action.mergeKey.isEmpty() || action.mergeKey != open->mergeKey))
        closeOpenStep();
    action_ = action;
}

void HistoryRecorder::end()
{
    action_.reset();
    HistoryStep *open = log_.openStep();
    if (!open)
        return;
    if (open->mergeKey.isEmpty()) {
        close(*open);
        return;
    }
    // The step stays open for the next keystroke; the summary tells what it has changed so far.
    // Only its bytes are needed here: no hash at every keystroke.
    QFile catalogue(log_.catalogue());
    const QByteArray catalogueNow = catalogue.open(QIODevice::ReadOnly) ? catalogue.readAll() : QByteArray();
    open->summary = StepSummary::describe(*open, log_.catalogue(), catalogueBefore_, catalogueNow);
}

void HistoryRecorder::closeOpenStep()
{
    if (HistoryStep *open = log_.openStep())
        close(*open);
}

bool HistoryRecorder::startStep()
{
    if (log_.openStep())
        return true;
    JournalRecord::Step record{0, QDateTime::currentDateTimeUtc(), action_->item, action_->title, action_->name};
    HistoryStep *step = log_.startStep(record);
    if (!step)
        return false;
    step->mergeKey = action_->mergeKey;
    catalogueBefore_.clear();
    return true;
}

void HistoryRecorder::aboutToChangeFile(const QString &localPath)
{
    if (!log_.enabled() || !action_)
        return;
    const QString path = QFileInfo(localPath).absoluteFilePath();
    if (const HistoryStep *open = log_.openStep()) {
        for (const HistoryChange &change : open->changes) {
            if (change.kind == HistoryChange::Kind::File && change.path == path)
                return;
        }
    }
    if (!startStep())
        return;
    QByteArray bytes;
    HistoryChange change;
    change.path = path;
    change.before = FileState::of(path, &bytes);
    if (path == log_.catalogue())
        catalogueBefore_ = bytes;
    log_.addChange(std::move(change), bytes);
}

void HistoryRecorder::aboutToCreateFolder(const QString &localPath)
{
    if (!log_.enabled() || !action_ || !startStep())
        return;
    HistoryChange change;
    change.kind = HistoryChange::Kind::CreateFolder;
    change.path = QFileInfo(localPath).absoluteFilePath();
    log_.addChange(std::move(change), QByteArray());
}

void HistoryRecorder::aboutToRenameFolder(const QString &fromLocalPath, const QString &toLocalPath)
{
    if (!log_.enabled() || !action_ || !startStep())
        return;
    HistoryChange change;
    change.kind = HistoryChange::Kind::RenameFolder;
    change.path = QFileInfo(fromLocalPath).absoluteFilePath();
    change.newPath = QFileInfo(toLocalPath).absoluteFilePath();
    log_.addChange(std::move(change), QByteArray());
}

// What the step left on disk is what it did: a change that did not happen (a failed write, a
// folder that could not be made) is no part of it, and a step that changed nothing is dropped.
void HistoryRecorder::close(HistoryStep &step)
{
    const QString &catalogue = log_.catalogue();
    std::vector<HistoryChange> kept;
    JournalRecord::Close record{step.number, QString(), {}};
    QByteArray catalogueAfter;
    for (qsizetype index = 0; index < qsizetype(step.changes.size()); ++index) {
        HistoryChange &change = step.changes[index];
        bool happened = false;
        switch (change.kind) {
        case HistoryChange::Kind::File:
            change.after = FileState::of(change.path, change.path == catalogue ? &catalogueAfter : nullptr);
            happened = change.after != change.before;
            break;
        case HistoryChange::Kind::CreateFolder: happened = isFolder(change.path); break;
        case HistoryChange::Kind::RenameFolder:
            happened = isFolder(change.newPath) && !QFileInfo::exists(change.path);
            break;
        }
        if (!happened)
            continue;
        record.changes.push_back(
            {index, change.kind == HistoryChange::Kind::File ? std::optional(change.after) : std::nullopt});
        kept.push_back(change);
        if (change.path == catalogue && catalogueBefore_.isEmpty())
            catalogueBefore_ = log_.bytesBefore(change).value_or(QByteArray());
    }
    step.changes = std::move(kept);
    step.summary = StepSummary::describe(step, catalogue, catalogueBefore_, catalogueAfter);
    record.summary = step.summary;
    step.mergeKey.clear();
    catalogueBefore_.clear();
    // Not made durable: after a crash the next start finds the step open and reads what it left
    // from the files themselves, which gives the same.
    log_.write(record);
    keepCatalogueAfter(step, catalogueAfter);
    log_.complete(step);
}

// The catalogue's bytes after a step are kept with it, so that the step can be taken back key by
// key once someone else has changed other keys of the file.
void HistoryRecorder::keepCatalogueAfter(HistoryStep &step, const QByteArray &catalogueAfter)
{
    for (qsizetype index = 0; index < qsizetype(step.changes.size()); ++index) {
        const HistoryChange &change = step.changes[index];
        if (change.kind == HistoryChange::Kind::File && change.path == log_.catalogue() && change.after.exists &&
            FileState::ofBytes(catalogueAfter) == change.after && !log_.keepAfter(step, index, catalogueAfter))
            return;
    }
}
