#include "history/JournalReplay.h"

#include "files/CatalogueTree.h"

#include <QFileInfo>

#include <algorithm>

JournalReplay::JournalReplay(const QString &catalogueLocalPath)
    : catalogueFolder_(QFileInfo(catalogueLocalPath).absolutePath())
{
}

JournalReplay::Result JournalReplay::replay(const std::vector<HistoryJournal::Record> &records,
                                            const QString &catalogueLocalPath)
{
    JournalReplay replay(catalogueLocalPath);
    for (const HistoryJournal::Record &entry : records)
        replay.read(entry);
    Result &result = replay.result_;
    result.steps.erase(std::remove_if(result.steps.begin(), result.steps.end(),
                                      [&](const HistoryStep &s) { return result.damagedSteps.contains(s.number); }),
                       result.steps.end());
    return std::move(result);
}

void JournalReplay::read(const HistoryJournal::Record &entry)
{
    const std::optional<qint64> number = entry.damaged && entry.header.isEmpty() ? std::nullopt
                                                                                 : JournalRecord::stepOf(entry.header);
    if (!number) {
        markDamaged();
        return;
    }
    result_.nextNumber = std::max(result_.nextNumber, *number + 1);
    const std::optional<JournalRecord::Record> record = entry.damaged ? std::nullopt
                                                                      : JournalRecord::decode(entry.header);
    if (!record || !std::visit([&](const auto &kind) { return take(kind, entry); }, *record)) {
        result_.damagedSteps.insert(*number);
        result_.damagedAt.push_back(*number);
        return;
    }
    if (std::holds_alternative<JournalRecord::Step>(*record))
        recording_ = *number;
    else if (std::holds_alternative<JournalRecord::Close>(*record))
        recording_.reset();
}

// A damaged record whose step cannot be read belongs to the step being recorded, or else to the
// undo or redo of the step next to be undone or redone, the only steps that records are added for.
void JournalReplay::markDamaged()
{
    result_.damagedAt.push_back(recording_.value_or(result_.nextNumber));
    if (recording_) {
        result_.damagedSteps.insert(*recording_);
        return;
    }
    const HistoryStep *newestDone = nullptr;
    const HistoryStep *oldestUndone = nullptr;
    for (const HistoryStep &step : result_.steps) {
        if (step.state == HistoryStep::State::Undone) {
            if (!oldestUndone)
                oldestUndone = &step;
        } else {
            newestDone = &step;
        }
    }
    for (const HistoryStep *step : {newestDone, oldestUndone}) {
        if (step)
            result_.damagedSteps.insert(step->number);
    }
}

HistoryStep *JournalReplay::find(qint64 number)
{
    for (auto step = result_.steps.rbegin(); step != result_.steps.rend(); ++step) {
        if (step->number == number)
            return &*step;
    }
    // After damage, a record of a step not met is one of a step whose first record was damaged.
    if (!result_.damagedAt.empty())
        result_.damagedSteps.insert(number);
    return nullptr;
}

bool JournalReplay::inTree(const QString &path) const
{
    return QFileInfo(path).isAbsolute() &&
        CatalogueTree::placeOf(path, catalogueFolder_) != CatalogueTree::Place::Outside;
}

bool JournalReplay::take(const JournalRecord::Step &record, const HistoryJournal::Record &)
{
    result_.steps.push_back(JournalRecord::stepFrom(record));
    return true;
}

bool JournalReplay::addChange(qint64 number, HistoryChange change)
{
    if (!inTree(change.path) || (change.kind == HistoryChange::Kind::RenameFolder && !inTree(change.newPath)))
        return false;
    if (HistoryStep *step = find(number))
        step->changes.push_back(std::move(change));
    return true;
}

// The bytes kept must be the file's as it was: none for a file that was not there.
bool JournalReplay::take(const JournalRecord::File &record, const HistoryJournal::Record &entry)
{
    if ((!record.before.exists && entry.dataSize > 0) ||
        (record.before.exists && entry.dataSize == 0 && record.before != FileState::ofBytes(QByteArray())))
        return false;
    HistoryChange change;
    change.path = record.path;
    change.before = record.before;
    change.beforeOffset = entry.dataOffset;
    change.beforeSize = entry.dataSize;
    return addChange(record.step, std::move(change));
}

// A folder's change carries no bytes.
bool JournalReplay::take(const JournalRecord::MakeFolder &record, const HistoryJournal::Record &)
{
    HistoryChange change;
    change.kind = HistoryChange::Kind::CreateFolder;
    change.path = record.path;
    return addChange(record.step, std::move(change));
}

bool JournalReplay::take(const JournalRecord::RenameFolder &record, const HistoryJournal::Record &)
{
    HistoryChange change;
    change.kind = HistoryChange::Kind::RenameFolder;
    change.path = record.from;
    change.newPath = record.to;
    return addChange(record.step, std::move(change));
}

bool JournalReplay::take(const JournalRecord::Close &record, const HistoryJournal::Record &)
{
    HistoryStep *step = find(record.step);
    if (!step)
        return true;
    std::vector<HistoryChange> kept;
    for (const JournalRecord::Close::Kept &entry : record.changes) {
        if (entry.index >= qint64(step->changes.size()))
            return false;
        HistoryChange change = step->changes[entry.index];
        if (change.kind == HistoryChange::Kind::File) {
            if (!entry.after)
                return false;
            change.after = *entry.after;
        }
        kept.push_back(std::move(change));
    }
    step->changes = std::move(kept);
    step->summary = record.summary;
    step->state = HistoryStep::State::Done;
    std::vector<HistoryStep> &steps = result_.steps;
    if (step->changes.empty()) {
        steps.erase(steps.begin() + (step - steps.data()));
        return true;
    }
    // A new change after an undo leaves nothing to redo.
    steps.erase(std::remove_if(steps.begin(), steps.end(),
                               [&](const HistoryStep &s) {
                                   return s.number != record.step && s.state == HistoryStep::State::Undone;
                               }),
                steps.end());
    return true;
}

bool JournalReplay::take(const JournalRecord::After &record, const HistoryJournal::Record &entry)
{
    HistoryStep *step = find(record.step);
    if (!step)
        return true;
    if (record.index >= qint64(step->changes.size()))
        return false;
    step->changes[record.index].afterOffset = entry.dataOffset;
    step->changes[record.index].afterSize = entry.dataSize;
    return true;
}

bool JournalReplay::take(const JournalRecord::Progress &record, const HistoryJournal::Record &)
{
    HistoryStep *step = find(record.step);
    if (!step)
        return true;
    switch (record.kind) {
    case JournalRecord::Progress::Kind::Undo: step->state = HistoryStep::State::Undoing; break;
    case JournalRecord::Progress::Kind::Undone: step->state = HistoryStep::State::Undone; break;
    case JournalRecord::Progress::Kind::Redo: step->state = HistoryStep::State::Redoing; break;
    case JournalRecord::Progress::Kind::Redone:
    case JournalRecord::Progress::Kind::Kept: step->state = HistoryStep::State::Done; break;
    }
    return true;
}

// Steps a damaged journal lost stay known, so that a refusal can say why.
bool JournalReplay::take(const JournalRecord::Lost &record, const HistoryJournal::Record &)
{
    result_.lostSteps.insert(record.step);
    return true;
}
