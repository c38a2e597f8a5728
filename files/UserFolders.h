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

// Whether path lies inside tree (or is tree), both followed through their links; path need not
// exist yet. Nothing of ours may lie in the catalogue's tree, which goes onto the disc.
bool isInside(const QString &path, const QString &tree);

} // namespace UserFolders
