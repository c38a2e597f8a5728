#pragma once

#include <QString>

#include <optional>

class QWidget;

// Where the catalogue to open lies. The editor works on the catalogue Z.MQV in the current folder
// (every path of the catalogue counts from there), so opening a catalogue means making its folder
// the current one before the window is created.
namespace CatalogueLocation {

// The folder a command-line argument names: the folder of a file, or the folder itself. Nothing
// when the argument names neither an existing file nor an existing folder.
std::optional<QString> folderOf(const QString &argument);

// True when the current folder holds a catalogue, in any letter case.
bool inCurrentFolder();

// The folder to open for a file the user gave. A file named Z.MQV, in any letter case, is opened in
// its folder. Any other file (a copy of a catalogue, Fast.MQV) is not the catalogue the editor
// would work on, so a message box says so and offers the Z.MQV beside it when there is one; nothing
// when there is none or the user declines.
std::optional<QString> folderToOpen(const QString &file, QWidget *parent = nullptr);

// Asks for a catalogue with a file dialog and gives the file chosen; nothing when the user cancels.
// The dialog is Qt's own, whatever the desktop offers, so that its texts are Danish and it fits
// the screen.
std::optional<QString> ask(QWidget *parent = nullptr);

// Offers the catalogue last opened, in a message box: true to open it, false to choose another,
// nothing when the user cancels.
std::optional<bool> offerLast(const QString &folder, QWidget *parent = nullptr);

} // namespace CatalogueLocation
