#pragma once

#include <QString>

// The user's own trash folder, kept the way the desktop's file managers keep it, so a file deleted
// here can be put back from there. Only the home trash is used: a trash folder at the top of
// another disk may lie inside the catalogue's folder tree, and everything in that tree goes onto
// the disc.
namespace HomeTrash {

// $XDG_DATA_HOME/Trash, or ~/.local/share/Trash; empty when no home folder is known.
QString folder();

// Moves the file into the trash, creating the trash folders when they are missing. False, with
// the file where it was and nothing left behind, when the trash cannot take it: no home folder,
// a trash that cannot be made or written, or a trash that would lie inside keepOutOf.
bool moveFile(const QString &localPath, const QString &keepOutOf);

} // namespace HomeTrash
