#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

class QFileInfo;

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

    // The question to ask before execute() runs a program or script of this system itself (which
    // the desktop would not have been asked about), naming what it is; empty for a file handed to
    // the desktop, or one that execute() will refuse.
    QString question() const;

    // Runs a program or script; any other file is handed to the desktop, and counts as started
    // only once the desktop took it. Nothing outside the catalogue's tree is started.
    Outcome execute();

    // The process the last execute() started (for a file handed on, the desktop's opener);
    // 0 before the first start and after a failed one.
    qint64 processId() const;

private:
    enum class NativeKind { Program, Script };
    struct Located {
        QString shownFile;
        std::optional<QString> localFile;
        bool isFolder = false;
    };

    static std::optional<NativeKind> nativeKind(const QFileInfo &file);
    Located locate() const;
    Outcome handToDesktop(const QString &opener, const QString &file, const QString &folder, const QString &shownFile);

    qint64 processId_ = 0;
};
