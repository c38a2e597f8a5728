#pragma once

#include <QString>
#include <QStringList>

// The names of the entries in a folder, for finding a file whatever the case of its name. A
// listing is kept while the folder's stamp stays the same, so looking up names that are not there
// (a file field naming nothing yet, a file only in another edition) does not read the folder
// again every time. Safe to use from several threads.
namespace FolderNames {

// Every entry of the folder, hidden ones included, sorted by name so that of two names differing
// only in case the same one always comes first; empty for a folder that cannot be read.
QStringList of(const QString &localFolder);

} // namespace FolderNames
