#pragma once

#include <QStringList>

#include <cstdio>

// The mqvcheck command: its arguments, what it writes where, and its exit status.
namespace CheckCommand {

enum ExitStatus { NothingWrong = 0, ProblemsFound = 1, CannotCheck = 2 };

// arguments as the program got them, its name first. Changes the current folder to the
// catalogue's, as the editor works in it.
int run(const QStringList &commandLine, std::FILE *out, std::FILE *err);

} // namespace CheckCommand
