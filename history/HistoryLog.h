#pragma once

#include "history/HistoryJournal.h"
#include "history/HistoryStep.h"
#include "history/JournalRecord.h"

#include <QSet>
#include <QString>

#include <optional>
#include <vector>

// The steps of a catalogue's history and the journal they are kept in: every step is written
// down as it is recorded, read back at the next start (leaving out what a damaged journal cannot
// say), and the journal is written anew without the oldest steps once it is full.
class HistoryLog {
public:
    struct Limits {
        int steps = 2000;
        qint64 bytes = 200 * 1024 * 1024;
    };

    HistoryLog(const QString &catalogueLocalPath, const QString &journalPath, Limits limits);

    // Reads the journal back. A damaged one is kept aside and the history goes on with what it
    // could read; one that is no regular file stops the history.
    void open();

    const QString &catalogue() const { return catalogue_; }
    qint64 sizeOnDisk() const { return journal_.size(); }

    // Off when no history is kept (another editor keeps it, or there is no place for it), or when
    // it could not be written and records nothing more.
    bool enabled() const { return enabled_; }
    void disable() { enabled_ = false; }
    // Stops the history: what could not be done, for the user.
    void fail(const QString &what);
    QString takeFailure();

    const std::vector<HistoryStep> &steps() const { return steps_; }
    // The step being recorded, or one a crash left open.
    HistoryStep *openStep();
    const HistoryStep *nextUndo() const;
    HistoryStep *nextUndo();
    const HistoryStep *nextRedo() const;
    HistoryStep *nextRedo();
    // A step whose undo or redo a crash cut short.
    HistoryStep *interruptedStep();
    // Steps a damaged journal lost.
    const QSet<qint64> &lostSteps() const { return lostSteps_; }

    // Starts a step with what the record says of it; nullptr when it could not be written.
    HistoryStep *startStep(JournalRecord::Step record);
    // Adds the change to the open step once its record, with the bytes it replaces, is on the disk.
    bool addChange(HistoryChange change, const QByteArray &beforeBytes);
    // Keeps what the step's change left on disk, for its redo.
    bool keepAfter(HistoryStep &step, qsizetype index, const QByteArray &bytes);
    bool write(const JournalRecord::Record &record, bool durable = false);
    // The open step, its close record written, is done; one that kept no change is forgotten.
    void complete(HistoryStep &step);

    std::optional<QByteArray> bytesBefore(const HistoryChange &change) const;
    std::optional<QByteArray> bytesAfter(const HistoryChange &change) const;

    // Leaves out the oldest steps beyond the limits, from the journal too once it is full.
    void enforceLimits();

private:
    std::optional<qint64> append(const JournalRecord::Record &record, const QByteArray &data, bool durable);
    void replay(const std::vector<HistoryJournal::Record> &records);
    void keepDamagedJournalAside();
    void compactJournal();
    bool rewriteJournal(qsizetype first);

    QString catalogue_;
    HistoryJournal journal_;
    Limits limits_;
    bool enabled_;
    QString failure_;
    std::vector<HistoryStep> steps_;
    // Steps the journal holds, also those older than the history shows.
    qsizetype journalSteps_ = 0;
    qint64 nextNumber_ = 1;
    QSet<qint64> lostSteps_;
    // Where a damaged journal was damaged, by step, and the steps it left out; empty otherwise.
    std::vector<qint64> damagedAt_;
    QSet<qint64> damagedSteps_;
};
