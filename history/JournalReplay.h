#pragma once

#include "history/HistoryJournal.h"
#include "history/HistoryStep.h"
#include "history/JournalRecord.h"

#include <QSet>
#include <QString>

#include <optional>
#include <vector>

// The steps a journal's records tell of. Each record is taken only for what it can say: one that
// is damaged, or holds a value no record of this history could (a path outside the catalogue's
// tree, a change the step does not have), is never read as something else; the step it belongs
// to is left out whole.
class JournalReplay {
public:
    struct Result {
        std::vector<HistoryStep> steps;
        qint64 nextNumber = 1;
        QSet<qint64> lostSteps;
        // The step at each damaged record, and the steps the damage left out.
        std::vector<qint64> damagedAt;
        QSet<qint64> damagedSteps;
    };

    static Result replay(const std::vector<HistoryJournal::Record> &records, const QString &catalogueLocalPath);

private:
    explicit JournalReplay(const QString &catalogueLocalPath);

    void read(const HistoryJournal::Record &entry);
    void markDamaged();
    HistoryStep *find(qint64 number);
    bool inTree(const QString &path) const;
    bool take(const JournalRecord::Step &record, const HistoryJournal::Record &entry);
    bool take(const JournalRecord::File &record, const HistoryJournal::Record &entry);
    bool take(const JournalRecord::MakeFolder &record, const HistoryJournal::Record &entry);
    bool take(const JournalRecord::RenameFolder &record, const HistoryJournal::Record &entry);
    bool take(const JournalRecord::Close &record, const HistoryJournal::Record &entry);
    bool take(const JournalRecord::After &record, const HistoryJournal::Record &entry);
    bool take(const JournalRecord::Progress &record, const HistoryJournal::Record &entry);
    bool take(const JournalRecord::Lost &record, const HistoryJournal::Record &entry);
    bool addChange(qint64 number, HistoryChange change);

    QString catalogueFolder_;
    Result result_;
    std::optional<qint64> recording_; // the step whose changes are being recorded
};
