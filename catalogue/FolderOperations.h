#pragma once

#include <QString>

#include <optional>

class ProfileReader;

// Creating and renaming item folders. Names are stored paths (backslashes, any letter case) and
// must be names a Windows disc can hold, since the folders end up on one.
namespace FolderOperations {

// True for a name every component of which Windows accepts: no < > : " | ? * or control
// characters, and no trailing space or dot.
bool isAllowedName(const QString &storedName);

// Creates the last level of the path only; fails when the name is empty or not allowed, when
// a file or folder of that name exists in any letter case, when the parent is missing, or when
// the folder would lie outside the catalogue's tree.
bool createFolder(const QString &storedName);

// Moves the existing folder oldName to newName. Fails when the old folder is missing, when an
// entry of the new name exists (unless it is the same folder in other letters), when a name
// is not allowed, or when either folder lies outside the catalogue's tree or the old one is a link.
bool renameFolder(const QString &oldName, const QString &newName);

// The first item other than `item` whose stored folder is the existing folder storedName or lies
// inside it, in any spelling: renaming or moving storedName would take that item's pictures,
// files and descriptions along. Nothing when storedName names no folder.
std::optional<int> otherItemInFolder(const ProfileReader &catalogue, int item, const QString &storedName);

} // namespace FolderOperations
