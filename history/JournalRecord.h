#pragma once

#include "history/HistoryStep.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

// The records a history's journal holds, one type for each kind. Every record is written by
// encode and read by decode, also when the journal is written anew, so that a field written by
// one path is never lost by another. Each record names the step it belongs to.
namespace JournalRecord {

// A user action begins: what the history shows of it. Its changes follow.
struct Step {
    qint64 step = 0;
    QDateTime time;
    int item = 0;
    QString title;
    QString action;
};

// A file is about to be replaced, created or removed; the record carries its bytes before.
struct File {
    qint64 step = 0;
    QString path;
    FileState before;
};

struct MakeFolder {
    qint64 step = 0;
    QString path;
};

struct RenameFolder {
    qint64 step = 0;
    QString from;
    QString to;
};

// The step is complete: which of its changes happened, by their place among the step's change
// records, and what each file holds after it.
struct Close {
    struct Kept {
        qint64 index = 0;
        std::optional<FileState> after; // for a file; nothing for a folder or a state not whole
    };
    qint64 step = 0;
    QString summary;
    std::vector<Kept> changes;
};

// The record carries what a file held after the step, kept for its redo.
struct After {
    qint64 step = 0;
    qint64 index = 0;
};

// An undo or redo of the step begins (Undo, Redo), is complete (Undone, Redone), or was given
// up with the files put back as they were (Kept).
struct Progress {
    enum class Kind { Undo, Undone, Redo, Redone, Kept };
    qint64 step = 0;
    Kind kind = Kind::Undo;
};

// A step that a damaged journal lost, remembered so that a refusal can say why.
struct Lost {
    qint64 step = 0;
};

using Record = std::variant<Step, File, MakeFolder, RenameFolder, Close, After, Progress, Lost>;

// Step numbers a journal may hold; beyond them it is damaged.
constexpr qint64 highestStepNumber = qint64(1) << 52;

QJsonObject encode(const Record &record);

// The record the JSON holds; nothing when it holds no record of a known kind, or one with a
// value no record can have (a number out of range, a file state not whole).
std::optional<Record> decode(const QJsonObject &json);

// The record that begins the step, and the step it begins.
Step stepRecord(const HistoryStep &step);
HistoryStep stepFrom(const Step &record);
// The record that announces the change, before it is made.
Record changeRecord(qint64 step, const HistoryChange &change);

// The step a record's JSON names, also when the rest of it cannot be read.
std::optional<qint64> stepOf(const QJsonObject &json);

} // namespace JournalRecord
