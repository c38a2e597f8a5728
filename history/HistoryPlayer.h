#pragma once

#include "catalogue/ProfileChanges.h"
#include "history/HistoryLog.h"

#include <QString>

#include <optional>
#include <vector>

// What an undo, a redo or a restore came to.
struct HistoryOutcome {
    bool done = false;
    QString refusal; // why nothing was done, for the user
    int item = 0; // the item the step touched
};

// Takes steps back and does them again. Undo and redo put back exactly the bytes that were there,
// and only over files that still hold what the history expects, so that a change made outside
// the editor is never overwritten; in the catalogue, another's change to other keys is kept.
class HistoryPlayer {
public:
    explicit HistoryPlayer(HistoryLog &log);

    HistoryOutcome undo();
    HistoryOutcome redo();

    // Why the step could not be taken back over the files as they are now; empty when it could
    // (or when it is not in effect).
    QString refusalOfUndo(const HistoryStep &step) const;

    // Carries an undo or redo that a crash cut short through to its end.
    void finishInterrupted();

private:
    bool keepWhatTheStepLeft(HistoryStep &step);
    HistoryOutcome carryOut(HistoryStep &step, bool undoing);
    bool apply(const HistoryStep &step, bool undoing);
    bool applyFile(const HistoryChange &change, bool undoing);
    QString mismatch(const HistoryStep &step, bool undoing) const;
    QString explainedRefusal(const HistoryStep &step, bool undoing, const QString &why) const;
    std::optional<std::vector<KeyChange>> keyChanges(const HistoryChange &change) const;
    QString keyConflict(const HistoryChange &change, bool undoing) const;
    bool putKeys(const HistoryChange &change, bool undoing);
    bool mayChange(const QString &localPath) const;
    bool putFile(const QString &localPath, const std::optional<QByteArray> &bytes);

    HistoryLog &log_;
};
