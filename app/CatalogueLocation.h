#pragma once

#include <QString>

#include <optional>

class QWidget;

// Where the catalogue to open lies. The editor works on the catalogue in the current folder, so
// opening a catalogue means making its folder the current one before the window is created.
namespace CatalogueLocation {

// The folder a command-line argument names: the folder of a catalogue file, or the folder itself.
// Nothing when the argument names neither an existing file nor an existing folder.
std::optional<QString> folderOf(const QString &argument);

// True when the current folder holds a catalogue, in any letter case.
bool inCurrentFolder();

// Asks for a catalogue with the desktop's file dialog and gives its folder; nothing when the
// user cancels.
std::optional<QString> ask(QWidget *parent = nullptr);

} // namespace CatalogueLocation
