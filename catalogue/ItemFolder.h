#pragma once

#include <QString>

// The files of an item live in the folder its "Folder" value names; setup, run and extra files
// may instead be found in the Danish edition's copy of that folder, two levels up under "Dansk".
namespace ItemFolder {

QString screenshotName(); // Shot.jpg
QString iconName(); // Ikon.bmp

} // namespace ItemFolder

namespace DanishEditionFolder {

// "..\..\Dansk\" + folder + "\" + name.
QString filePath(const QString &folder, const QString &name);

} // namespace DanishEditionFolder

// Where an item's named file is available, shown as the field's colour.
enum class FileAvailability { InItemFolder, InDanishEditionOnly, Missing };

// Only files count: a folder of the name, an empty name, or a file outside the catalogue's trees
// (or a link out of them) is missing.
FileAvailability fileAvailability(const QString &folder, const QString &name);
