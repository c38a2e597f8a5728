#pragma once

#include <QString>

// The folders the desktop gives each user for what programs keep of their own, found as every
// desktop finds them; a relative setting is not valid and is passed over. Empty when no home
// folder is known.
namespace UserFolders {

// $XDG_DATA_HOME, or ~/.local/share.
QString data();
// $XDG_STATE_HOME, or ~/.local/state: what should outlive a restart but is no document.
QString state();
// $XDG_RUNTIME_DIR: what lasts only while the user is logged in. Empty when it is not set, as
// there is no folder every desktop would agree on instead.
QString runtime();

// The folder of one kind of ours ("history", "recovery", ...) kept for one catalogue below base:
// base/mqveditor/kind/ and a key of the catalogue's absolute path. Empty when base is empty or
// the folder would lie inside the catalogue's own folder tree.
QString forCatalogue(const QString &base, const QString &kind, const QString &catalogueLocalPath);

// Whether path lies inside tree (or is tree), both followed through their links; path need not
// exist yet. Nothing of ours may lie in the catalogue's tree, which goes onto the disc.
bool isInside(const QString &path, const QString &tree);

} // namespace UserFolders
