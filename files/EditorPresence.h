#pragma once

#include <QString>

// Marks a catalogue as open in this editor for as long as the object lives, so that a second
// editor opened on it can tell the user. The mark is a shared lock on a file in the user's runtime
// folder (the state folder where no runtime folder is set), never in the catalogue's tree. The
// system drops the lock with the process that held it, so an editor that crashed or was killed
// leaves nothing that counts.
class EditorPresence {
public:
    explicit EditorPresence(const QString &catalogueLocalPath);
    ~EditorPresence();
    EditorPresence(const EditorPresence &) = delete;
    EditorPresence &operator=(const EditorPresence &) = delete;

    // Where the lock is kept; empty when there is nowhere to keep it.
    QString path() const { return path_; }
    // Whether another editor had the catalogue open when this one opened it. False when no lock
    // could be taken.
    bool othersHadItOpen() const { return othersHadItOpen_; }

private:
    QString path_;
    int handle_ = -1;
    bool othersHadItOpen_ = false;
};
