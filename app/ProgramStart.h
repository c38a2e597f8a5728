#pragma once

#include <QString>

#include <optional>

struct ProgramStartArguments;

// What happens between the process starting and the window opening: the command line, Qt's
// Danish texts, the catalogue to work on, and the window. The command line is answered before the
// window system is touched; the application object is made only when there is a window to open.
class ProgramStart {
public:
    ProgramStart(int &argc, char **argv);

    // Runs the program to its end and gives the process's exit code.
    int run();

private:
    // Answers what needs no window: help, the version, a wrong or missing catalogue. Nothing when
    // the window is to open.
    std::optional<int> answerWithoutWindow(const ProgramStartArguments &arguments) const;
    int openWindow(const QString &catalogue);
    // The folder to work in; nothing when the catalogue named cannot be opened or, without one,
    // when the user cancels.
    std::optional<QString> folderToOpen(const QString &catalogue) const;

    int &argc_;
    char **argv_;
};
