#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of the editor. It is read before any window system is touched, so
// help, the version and a wrong argument are answered over ssh and on a text console too. Qt's own
// window options (-platform, -style, ...) are let through for the application object to take.
struct ProgramStartArguments {
    enum class Request { OpenWindow, ShowHelp, ShowVersion, Refuse };

    Request request = Request::OpenWindow;
    QString catalogue; // the catalogue file or folder named; empty when none is
    QString complaint; // why the command line is refused, in Danish

    // The arguments without the program's name.
    static ProgramStartArguments read(const QStringList &arguments);
    static QString helpText();
};
