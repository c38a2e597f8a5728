#pragma once

#include <QStringList>

// The folders of the catalogues last opened, newest first. They are the user's, not the
// catalogue's, so they are kept in the user's config folder ($XDG_CONFIG_HOME or ~/.config) and
// never written into a catalogue's tree.
namespace RecentCatalogues {

// The folders remembered that still hold a catalogue.
QStringList folders();

// Puts the folder first; at most eight are kept.
void remember(const QString &folder);

} // namespace RecentCatalogues
