#pragma once

#include "catalogue/ProfileChanges.h"
#include "files/FileChangeRecorder.h"
#include "history/HistoryJournal.h"
#include "history/HistoryStep.h"

#include <QJsonValue>
#include <QSet>
#include <QString>

#include <optional>
#include <vector>

// The history of one catalogue: every change the editor made to the catalogue, its description
// files and its folders, one step per user action, kept in the user's state folder so that it
// outlives the program. Each step is written down before the first of its files is replaced, so
// after a crash at any moment the files and the history still agree: the next start finishes what
// the crash interrupted. Undo and redo put back exactly the bytes that were there, and only over
// files that still hold what the history expects, so a change made outside the editor is never
// overwritten.
class CatalogueHistory : public FileChangeRecorder {
public:
    struct Limits {
        int steps = 2000;
        qint64 bytes = 200 * 1024 * 1024;
    };
    // The user action that the changes to come belong to.
    struct Action {
        QString name; // empty where what it changed describes it
        int item = 0;
        QString title;
        // Consecutive actions with the same key are one step: the keystrokes typed into one field of
        // one item. Empty for an action that is a step of its own.
        QString mergeKey;
    };
    struct Outcome {
        bool done = false;
        QString refusal; // why nothing was done, for the user
        int item = 0; // the item the step touched
    };

    // The history of the catalogue at catalogueLocalPath, kept in historyFolder.
    CatalogueHistory(const QString &catalogueLocalPath, const QString &historyFolder, Limits limits);
    ~CatalogueHistory() override;

    // Where the history of that catalogue is kept: in the user's state folder, one folder per
    // catalogue by its absolute path. Empty when no state folder is known or it lies inside the
    // catalogue's own folder tree, which goes onto the disc.
    static QString folderFor(const QString &catalogueLocalPath);

    // Changes announced between these two calls belong to the action.
    void begin(const Action &action);
    void end();
    // The step being typed into is complete: the next action starts a step of its own.
    void endMerging();

    const std::vector<HistoryStep> &steps() const { return steps_; }
    const HistoryStep *nextUndo() const;
    const HistoryStep *nextRedo() const;

    Outcome undo();
    Outcome redo();

    // Puts the item's section of the catalogue and the files its steps changed back as they were
    // before the step, where the item lives now when it was moved since. The writes are the
    // current action's changes.
    Outcome restoreItemBefore(qint64 stepNumber);

    // Why the step could not be taken back over the files as they are now; empty when it could
    // (or when it is not in effect).
    QString refusalOfUndo(const HistoryStep &step) const;

    qint64 sizeOnDisk() const { return journal_.size(); }
    // Another editor on the same catalogue keeps its history; this one records nothing.
    bool keptByAnotherEditor() const { return keptByAnotherEditor_; }
    // Set when the history could not be written and records nothing more in this run, or when its
    // journal was damaged and steps were left out; the window tells the user once.
    QString takeFailure();

    void aboutToChangeFile(const QString &localPath) override;
    void aboutToCreateFolder(const QString &localPath) override;
    void aboutToRenameFolder(const QString &fromLocalPath, const QString &toLocalPath) override;

private:
    HistoryStep *openStep();
    bool startStep();
    void record(HistoryChange change, const QByteArray &beforeBytes);
    void close();
    void replay(const std::vector<HistoryJournal::Record> &records);
    bool readRecord(const QString &type, qint64 number, const HistoryJournal::Record &entry);
    void markDamaged(const std::optional<qint64> &recording);
    bool inTree(const QJsonValue &path) const;
    void keepDamagedJournalAside();
    bool rewriteJournal(qsizetype first);
    QString explainedRefusal(const HistoryStep &step, bool undoing, const QString &why) const;
    void recover();
    void finish(HistoryStep &step);
    std::optional<QByteArray> bytesBefore(const HistoryChange &change) const;
    std::optional<QByteArray> bytesAfter(const HistoryChange &change) const;
    QString mismatch(const HistoryStep &step, bool undoing) const;
    bool apply(const HistoryStep &step, bool undoing);
    Outcome carryOut(HistoryStep &step, bool undoing);
    static int whereItemLivesNow(const ProfileText &then, const ProfileText &now, int item);
    void keepCatalogueAfter(HistoryStep &step, const QByteArray &catalogueAfter);
    std::optional<std::vector<KeyChange>> keyChanges(const HistoryChange &change) const;
    QString keyConflict(const HistoryChange &change, bool undoing) const;
    bool putKeys(const HistoryChange &change, bool undoing);
    bool mayChange(const QString &localPath) const;
    bool putFile(const QString &localPath, const std::optional<QByteArray> &bytes);
    std::optional<std::optional<QByteArray>> stateBefore(qint64 stepNumber, const QString &localPath) const;
    void fail(const QString &what);
    void enforceLimits();
    void compactJournal();
    bool writeState(const HistoryStep &step, const char *type, bool durable);
    HistoryStep *find(qint64 number);

    QString catalogue_;
    HistoryJournal journal_;
    int lock_ = -1;
    Limits limits_;
    std::vector<HistoryStep> steps_;
    // Steps the journal holds, also those older than the history shows.
    qsizetype journalSteps_ = 0;
    qint64 nextNumber_ = 1;
    bool enabled_ = true;
    bool keptByAnotherEditor_ = false;
    QString failure_;
    // What a damaged journal cost: the steps left out, and the step at each damaged record.
    struct Damage {
        QSet<qint64> steps;
        std::vector<qint64> records;
    } damage_;
    // Steps a damaged journal lost, kept in the journal from then on.
    QSet<qint64> lostSteps_;

    std::optional<Action> action_;
    std::optional<FileChanges::Listening> listening_;
    bool stepStarted_ = false;
    // The catalogue's bytes before the open step, for its summary.
    QByteArray catalogueBefore_;
};
