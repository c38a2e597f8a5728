#pragma once

#include "description/DescriptionLanguage.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the command line asks of mqvcheck, read by rules of our own so that every word of help
// and every complaint is Danish.
struct CheckArguments {
    enum class Request { Check, ShowHelp, ShowVersion, Refuse };

    Request request = Request::Check;
    QString catalogue; // the catalogue file or folder named; empty for the current folder
    bool json = false;
    QString htmlFile; // empty when no proof sheet is asked for
    QString padFile; // a program description file checked instead of a catalogue
    bool spelling = true; // the descriptions' spelling and balance (not with --no-spelling)
    // The languages whose descriptions are checked; empty for the edition's own (--edition).
    QList<DescriptionLanguage> languages;
    QString complaint; // why the command line is refused

    // The arguments without the program's name.
    static CheckArguments read(const QStringList &arguments);
    static QString helpText();
};
