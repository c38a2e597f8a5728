#pragma once

#include <QStringList>

class QApplication;

// What happens between the process starting and the window opening: Qt's Danish texts, the
// command line, the catalogue to work on, and the window.
class ProgramStart {
public:
    explicit ProgramStart(QApplication &application);

    // Runs the program to its end and gives the process's exit code.
    int run();

private:
    // Makes the folder of the catalogue to open the current folder; false when the command line
    // names no catalogue that exists.
    bool openCatalogue(const QStringList &arguments);

    QApplication &application_;
};
