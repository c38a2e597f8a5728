#pragma once

#include <QString>

#include <cstdio>

// mqvcheck --pad FILE: a program description file read and checked as the editor's import reads
// it, without a catalogue, for a team that checks submissions before taking them in.
namespace PadCheck {

// The table, or one JSON object; the exit status as the catalogue check's: 0 nothing found, 1
// findings, 2 not readable as a program description.
int run(const QString &file, bool json, std::FILE *out);

} // namespace PadCheck
