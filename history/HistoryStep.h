#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

// What a file held at one moment: whether it was there and, if so, the SHA-256 of its bytes.
struct FileState {
    bool exists = false;
    QByteArray sha;

    // The state of the regular file at localPath now; its bytes too, when asked for.
    static FileState of(const QString &localPath, QByteArray *bytes = nullptr);
    static FileState ofBytes(const QByteArray &bytes);

    friend bool operator==(const FileState &a, const FileState &b) { return a.exists == b.exists && a.sha == b.sha; }
    friend bool operator!=(const FileState &a, const FileState &b) { return !(a == b); }
};

// One thing a step did on disk, with what is needed to do it the other way.
struct HistoryChange {
    enum class Kind { File, CreateFolder, RenameFolder };
    Kind kind = Kind::File;
    QString path; // the file, the folder made, or the folder's name before the rename
    QString newPath; // the folder's name after the rename
    FileState before;
    FileState after;
    // Where the journal keeps the file's bytes before the step, and after it (those are kept once
    // the step has been undone, for the redo).
    qint64 beforeOffset = -1;
    qint64 beforeSize = 0;
    qint64 afterOffset = -1;
    qint64 afterSize = 0;
};

// Everything one user action changed on disk.
struct HistoryStep {
    enum class State { Open, Done, Undoing, Undone, Redoing };

    qint64 number = 0;
    QDateTime time;
    int item = 0;
    QString title; // the item's title when the step began
    QString action; // the action's name; empty where what it changed says it best
    QString summary; // what the step changed, as the user reads it
    State state = State::Open;
    std::vector<HistoryChange> changes;
    QString mergeKey; // consecutive actions with the same key make one step

    // "Slet indhold, punkt 7"
    QString caption() const;
};
