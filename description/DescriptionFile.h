#pragma once

#include <QString>

class QTextDocument;

// A description file in an item folder, named by a stored path and matched without regard to
// letter case.
namespace DescriptionFile {

// Replaces the document's content with the file's; false when the file is missing or unreadable.
bool load(const QString &storedPath, QTextDocument &document);

// Writes the document as RTF, atomically: a crash while saving leaves the previous file whole.
// An existing file whose name differs only in case is replaced in place; a new one gets the name
// exactly as given.
bool save(const QString &storedPath, const QTextDocument &document);

// Moves the file (never a folder) to the desktop's trash, so the deletion can be undone.
bool moveToTrash(const QString &storedPath);

} // namespace DescriptionFile
