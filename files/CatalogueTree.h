#pragma once

#include <QString>

// What goes onto the disc lies in the catalogue's folder tree (the current folder) or in the Danish
// edition's tree two levels up ("..\..\Dansk"). Catalogues and item folders come from other people,
// so a stored folder such as "..\outside" or "/home/x", or a link in the tree that points out of it,
// must never make the editor or mqvcheck write, create, rename, trash, embed or start anything
// elsewhere. Paths are judged after every link in them is resolved.
namespace CatalogueTree {

enum class Place {
    Inside, // in one of the two trees, reached without a link at its last component
    Link, // the last component is a symbolic link whose target is in a tree: read it, never write it
    Outside, // outside both trees, as named or once its links are resolved
};

// Where the entry at localPath (absolute or relative to the current folder; it need not exist) lies,
// for the catalogue in catalogueFolder (by default the current folder, where the editor and
// mqvcheck work).
Place placeOf(const QString &localPath, const QString &catalogueFolder = QString());

// Whether the entry may be read as the catalogue's own: inside, or a link to something inside.
bool mayRead(const QString &localPath);
// Whether the entry may be written, created, renamed, trashed or started: inside and no link.
bool mayWrite(const QString &localPath);

// The reason the user is shown for a place other than Inside, for the status bar and messages.
QString reason(Place place);

} // namespace CatalogueTree
