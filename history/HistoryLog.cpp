#include "history/HistoryLog.h"

#include "files/Diagnostics.h"
#include "history/JournalReplay.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// The same search over the steps, for the history that only looks and for the one that changes
// the step it finds.
template <typename Steps>
auto newestInEffect(Steps &steps) -> decltype(&steps.back())
{
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (step->state == HistoryStep::State::Done || step->state == HistoryStep::State::Open)
            return &*step;
    }
    return nullptr;
}

template <typename Steps>
auto oldestUndone(Steps &steps) -> decltype(&steps.back())
{
    decltype(&steps.back()) oldest = nullptr;
    for (auto step = steps.rbegin(); step != steps.rend() && step->state == HistoryStep::State::Undone; ++step)
        oldest = &*step;
    return oldest;
}

} // namespace

HistoryLog::HistoryLog(const QString &catalogueLocalPath, const QString &journalPath, Limits limits)
    : catalogue_(QFileInfo(catalogueLocalPath).absoluteFilePath())
    , journal_(journalPath)
    , limits_(limits)
    , enabled_(!journalPath.isEmpty())
{
}

void HistoryLog::open()
{
    std::optional<std::vector<HistoryJournal::Record>> records = journal_.readAll();
    if (!records) {
        fail(QStringLiteral("historikken er ingen almindelig fil"));
        return;
    }
    replay(*records);
    if (!damagedAt_.empty())
        keepDamagedJournalAside();
    else if (!journal_.isVersioned() && !rewriteJournal(0))
        fail(QStringLiteral("skrivefejl"));
}

void HistoryLog::fail(const QString &what)
{
    qCInfo(zcdDiagnostics) << "history stopped:" << what << journal_.path();
    enabled_ = false;
    failure_ = QStringLiteral(
                   "Historikken kan ikke gemmes i %1 (%2). De ændringer, du laver herefter, kan ikke fortrydes.")
                   .arg(QDir::toNativeSeparators(QFileInfo(journal_.path()).absolutePath()), what);
}

QString HistoryLog::takeFailure() { return std::exchange(failure_, QString()); }

HistoryStep *HistoryLog::openStep()
{
    if (!steps_.empty() && steps_.back().state == HistoryStep::State::Open)
        return &steps_.back();
    return nullptr;
}

const HistoryStep *HistoryLog::nextUndo() const { return enabled_ ? newestInEffect(steps_) : nullptr; }
HistoryStep *HistoryLog::nextUndo() { return enabled_ ? newestInEffect(steps_) : nullptr; }
const HistoryStep *HistoryLog::nextRedo() const { return enabled_ ? oldestUndone(steps_) : nullptr; }
HistoryStep *HistoryLog::nextRedo() { return enabled_ ? oldestUndone(steps_) : nullptr; }

HistoryStep *HistoryLog::interruptedStep()
{
    for (HistoryStep &step : steps_) {
        if (step.state == HistoryStep::State::Undoing || step.state == HistoryStep::State::Redoing)
            return &step;
    }
    return nullptr;
}

std::optional<qint64> HistoryLog::append(const JournalRecord::Record &record, const QByteArray &data, bool durable)
{
    const qint64 offset = journal_.append(JournalRecord::encode(record), data, durable);
    if (offset < 0) {
        fail(QStringLiteral("skrivefejl"));
        return std::nullopt;
    }
    return data.isEmpty() ? -1 : offset;
}

bool HistoryLog::write(const JournalRecord::Record &record, bool durable)
{
    return append(record, QByteArray(), durable).has_value();
}

HistoryStep *HistoryLog::startStep(JournalRecord::Step record)
{
    record.step = nextNumber_++;
    // Made durable together with the first change, which follows at once.
    if (!write(record))
        return nullptr;
    steps_.push_back(JournalRecord::stepFrom(record));
    ++journalSteps_;
    return &steps_.back();
}

bool HistoryLog::addChange(HistoryChange change, const QByteArray &beforeBytes)
{
    HistoryStep &step = steps_.back();
    // Write-ahead: the change is made only once what it replaces is on the disk.
    const std::optional<qint64> offset = append(JournalRecord::changeRecord(step.number, change), beforeBytes, true);
    if (!offset)
        return false;
    change.beforeOffset = *offset;
    change.beforeSize = beforeBytes.size();
    step.changes.push_back(std::move(change));
    return true;
}

bool HistoryLog::keepAfter(HistoryStep &step, qsizetype index, const QByteArray &bytes)
{
    const std::optional<qint64> offset = append(JournalRecord::After{step.number, index}, bytes, false);
    if (!offset)
        return false;
    step.changes[index].afterOffset = *offset;
    step.changes[index].afterSize = bytes.size();
    return true;
}

void HistoryLog::complete(HistoryStep &step)
{
    if (step.changes.empty()) {
        steps_.pop_back();
        return;
    }
    step.state = HistoryStep::State::Done;
    // A new change after an undo leaves nothing to redo.
    steps_.erase(std::remove_if(steps_.begin(), steps_.end(),
                                [](const HistoryStep &s) { return s.state == HistoryStep::State::Undone; }),
                 steps_.end());
    enforceLimits();
}

std::optional<QByteArray> HistoryLog::bytesBefore(const HistoryChange &change) const
{
    if (change.beforeSize == 0)
        return QByteArray();
    return journal_.data(change.beforeOffset, change.beforeSize);
}

std::optional<QByteArray> HistoryLog::bytesAfter(const HistoryChange &change) const
{
    if (change.afterSize == 0)
        return QByteArray();
    return journal_.data(change.afterOffset, change.afterSize);
}

void HistoryLog::replay(const std::vector<HistoryJournal::Record> &records)
{
    JournalReplay::Result replayed = JournalReplay::replay(records, catalogue_);
    steps_ = std::move(replayed.steps);
    nextNumber_ = std::max(nextNumber_, replayed.nextNumber);
    lostSteps_ = std::move(replayed.lostSteps);
    damagedAt_ = std::move(replayed.damagedAt);
    damagedSteps_ = std::move(replayed.damagedSteps);
    journalSteps_ = qsizetype(steps_.size());
}

// The damaged journal stays beside the history for whoever wants to look into it; the history
// goes on in a whole one holding what could be read, and the user is told once.
void HistoryLog::keepDamagedJournalAside()
{
    const QString aside = journal_.path() + QStringLiteral("-beskadiget-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const qint64 at = *std::min_element(damagedAt_.begin(), damagedAt_.end());
    const int lost = int(damagedSteps_.size());
    lostSteps_ += damagedSteps_;
    qCInfo(zcdDiagnostics) << "history: damaged journal kept as" << aside;
    if (!QFile::copy(journal_.path(), aside) || !rewriteJournal(0)) {
        fail(QStringLiteral("historikken er beskadiget"));
        return;
    }
    failure_ = QStringLiteral("Historikken er beskadiget ved trin %1: %2 trin kunne ikke læses og kan ikke "
                              "fortrydes. Den beskadigede historik er gemt som %3.")
                   .arg(at)
                   .arg(lost)
                   .arg(QDir::toNativeSeparators(aside));
}

// The history holds the newest steps up to the limit, one by one. The journal behind it is
// rewritten only when it holds a tenth more steps than that, or is over its size: rewriting it at
// every step would copy up to the whole history each time.
void HistoryLog::enforceLimits()
{
    if (enabled_ && (journalSteps_ > limits_.steps + limits_.steps / 10 || journal_.size() > limits_.bytes))
        compactJournal();
    if (qsizetype(steps_.size()) > limits_.steps)
        steps_.erase(steps_.begin(), steps_.end() - limits_.steps);
}

// The oldest steps go first, down to nine tenths of either limit, so that the journal is not
// rewritten at every step once it is full.
void HistoryLog::compactJournal()
{
    const auto stepSize = [](const HistoryStep &step) {
        qint64 bytes = 512;
        for (const HistoryChange &change : step.changes)
            bytes += change.beforeSize + change.afterSize + 256;
        return bytes;
    };
    qint64 kept = 0;
    qsizetype first = qsizetype(steps_.size());
    // The newest step is always kept, however large.
    while (first > 0 &&
           (kept == 0 ||
            (qsizetype(steps_.size()) - first < limits_.steps &&
             kept + stepSize(steps_[first - 1]) <= limits_.bytes * 9 / 10))) {
        kept += stepSize(steps_[first - 1]);
        --first;
    }
    if (!rewriteJournal(first))
        fail(QStringLiteral("skrivefejl"));
}

// Writes the journal anew with the steps from index first on, and reads it back. Every record
// goes through the same encoder as when it was first written, so the new journal says all the
// old one did.
bool HistoryLog::rewriteJournal(qsizetype first)
{
    std::vector<HistoryJournal::Record> records;
    const auto add = [&records](const JournalRecord::Record &record, qint64 dataOffset = -1, qint64 dataSize = 0) {
        records.push_back({JournalRecord::encode(record), dataOffset, dataSize});
    };
    const qint64 oldestKept = first < qsizetype(steps_.size()) ? steps_[first].number : 0;
    for (const qint64 lost : lostSteps_) {
        if (lost > oldestKept)
            add(JournalRecord::Lost{lost});
    }
    for (qsizetype index = first; index < qsizetype(steps_.size()); ++index) {
        const HistoryStep &step = steps_[index];
        add(JournalRecord::stepRecord(step));
        JournalRecord::Close close{step.number, step.summary, {}};
        for (qsizetype change = 0; change < qsizetype(step.changes.size()); ++change) {
            const HistoryChange &c = step.changes[change];
            add(JournalRecord::changeRecord(step.number, c), c.beforeOffset, c.beforeSize);
            close.changes.push_back(
                {change, c.kind == HistoryChange::Kind::File ? std::optional(c.after) : std::nullopt});
        }
        // A step a crash left open is written open, for the start to finish from the files.
        if (step.state == HistoryStep::State::Open)
            continue;
        add(close);
        for (qsizetype change = 0; change < qsizetype(step.changes.size()); ++change) {
            const HistoryChange &c = step.changes[change];
            if (c.afterOffset >= 0)
                add(JournalRecord::After{step.number, change}, c.afterOffset, c.afterSize);
        }
        // An undo or redo a crash cut short stays under way, for the start to carry through.
        using Progress = JournalRecord::Progress::Kind;
        const std::vector<Progress> progress = step.state == HistoryStep::State::Undoing ? std::vector{Progress::Undo}
            : step.state == HistoryStep::State::Undone  ? std::vector{Progress::Undo, Progress::Undone}
            : step.state == HistoryStep::State::Redoing ? std::vector{Progress::Undo, Progress::Undone, Progress::Redo}
                                                        : std::vector<Progress>();
        for (const Progress kind : progress)
            add(JournalRecord::Progress{step.number, kind});
    }
    qCInfo(zcdDiagnostics) << "history: keeping the newest" << records.size() << "records of" << journal_.path();
    if (!journal_.rewrite(records))
        return false;
    std::optional<std::vector<HistoryJournal::Record>> reread = journal_.readAll();
    if (!reread)
        return false;
    replay(*reread);
    return true;
}
