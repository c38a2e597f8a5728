#pragma once

#include "files/FileChangeRecorder.h"
#include "history/HistoryLog.h"
#include "history/HistoryPlayer.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryStep.h"

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
class CatalogueHistory {
public:
    using Limits = HistoryLog::Limits;
    using Action = HistoryAction;
    using Outcome = HistoryOutcome;

    // The changes the editor makes while it is held belong to its action: it is held by the code
    // that carries the action out, and ends with it.
    class [[nodiscard]] Recording {
    public:
        Recording(Recording &&other) noexcept;
        Recording(const Recording &) = delete;
        Recording &operator=(const Recording &) = delete;
        Recording &operator=(Recording &&) = delete;
        ~Recording();

    private:
        friend class CatalogueHistory;
        explicit Recording(HistoryRecorder &recorder);

        std::optional<FileChanges::Recording> listening_;
        HistoryRecorder *recorder_; // nullptr once moved from
    };

    // The history of the catalogue at catalogueLocalPath, kept in historyFolder.
    CatalogueHistory(const QString &catalogueLocalPath, const QString &historyFolder, Limits limits);
    ~CatalogueHistory();
    CatalogueHistory(const CatalogueHistory &) = delete;
    CatalogueHistory &operator=(const CatalogueHistory &) = delete;

    // Where the history of that catalogue is kept: in the user's state folder, one folder per
    // catalogue by its absolute path. Empty when no state folder is known or it lies inside the
    // catalogue's own folder tree, which goes onto the disc.
    static QString folderFor(const QString &catalogueLocalPath);

    // The action whose changes are recorded until the recording ends.
    Recording begin(const Action &action);
    // The step being typed into is complete: the next action starts a step of its own.
    void endMerging();

    const std::vector<HistoryStep> &steps() const { return log_.steps(); }
    const HistoryStep *nextUndo() const { return log_.nextUndo(); }
    const HistoryStep *nextRedo() const { return log_.nextRedo(); }

    Outcome undo();
    Outcome redo();

    // Puts the item's section of the catalogue and the files its steps changed back as they were
    // before the step, where the item lives now when it was moved since. The writes are the
    // current action's changes.
    Outcome restoreItemBefore(qint64 stepNumber);

    // Why the step could not be taken back over the files as they are now; empty when it could
    // (or when it is not in effect).
    QString refusalOfUndo(const HistoryStep &step) const { return player_.refusalOfUndo(step); }

    qint64 sizeOnDisk() const { return log_.sizeOnDisk(); }
    // Another editor on the same catalogue keeps its history; this one records nothing.
    bool keptByAnotherEditor() const { return keptByAnotherEditor_; }
    // Set when the history could not be written and records nothing more in this run, or when its
    // journal was damaged and steps were left out; the window tells the user once.
    QString takeFailure() { return log_.takeFailure(); }

private:
    bool lock(const QString &historyFolder);

    HistoryLog log_;
    HistoryRecorder recorder_;
    HistoryPlayer player_;
    int lock_ = -1;
    bool keptByAnotherEditor_ = false;
};
