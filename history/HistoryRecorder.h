#pragma once

#include "files/FileChangeRecorder.h"
#include "history/HistoryLog.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The user action that the changes to come belong to.
struct HistoryAction {
    QString name; // empty where what it changed describes it
    int item = 0;
    QString title;
    // Consecutive actions with the same key are one step: the keystrokes typed into one field of
    // one item. Empty for an action that is a step of its own.
    QString mergeKey;
};

// Writes down what each user action changes, one step per action, before each change is made.
class HistoryRecorder : public FileChangeRecorder {
public:
    explicit HistoryRecorder(HistoryLog &log);

    // Changes announced between these two calls belong to the action.
    void begin(const HistoryAction &action);
    void end();
    bool recording() const { return action_.has_value(); }
    // Completes the open step, if any: what it left on disk is what it did.
    void closeOpenStep();

    void aboutToChangeFile(const QString &localPath) override;
    void aboutToCreateFolder(const QString &localPath) override;
    void aboutToRenameFolder(const QString &fromLocalPath, const QString &toLocalPath) override;

private:
    bool startStep();
    void close(HistoryStep &step);
    void keepCatalogueAfter(HistoryStep &step, const QByteArray &catalogueAfter);

    HistoryLog &log_;
    std::optional<HistoryAction> action_;
    // The catalogue's bytes before the open step, for its summary.
    QByteArray catalogueBefore_;
};
