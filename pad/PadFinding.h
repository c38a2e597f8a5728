#pragma once

#include <QString>

// One thing a program description file does wrong: what could not be read as written, or a value
// that breaks the format's own rules. The text is the Danish sentence the user reads.
struct PadFinding {
    QString code; // stable, for scripts: "encoding", "raw-ampersand", "over-limit", ...
    QString field; // the field's path ("Program_Info/Program_Name"); empty for the whole file
    QString text;
    int line = 0; // where the file shows it, when known
};
