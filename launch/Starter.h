#pragma once

#include <QString>
#include <QtGlobal>

// Opens a file the way a double-click in a file manager does: a program is run, any other file
// is handed to the desktop's application for its type. It never waits for what it started.
class Starter {
public:
    // Stored paths, as the catalogue holds them: backslashes, any letter case. A relative
    // Command is looked up in DefaultDir, which is relative to the current folder; the program
    // runs with DefaultDir as its working directory. Parameters is split like a command line and
    // given to a program only: the desktop's opener takes nothing but the file.
    QString Command;
    QString Parameters;
    QString DefaultDir;

    struct Outcome {
        bool started = false;
        // The file on this disk, named as a file manager shows it, whether started or not.
        QString file;
        // Why nothing was started, in Danish, naming the file; fit for a message box.
        QString failure;
    };

    Outcome execute();

    // The process the last execute() started (for a file handed on, the desktop's opener);
    // 0 before the first start and after a failed one.
    qint64 processId() const;

private:
    qint64 processId_ = 0;
};
