#pragma once

#include "description/DescriptionLanguage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class QTextDocument;

// A description file in an item folder, named by a stored path and matched without regard to
// letter case.
namespace DescriptionFile {

enum class Reading {
    Read,
    Missing,
    // The file is there but is no description: it cannot be opened, is far too large, or holds
    // binary data. The user's file must then be left exactly as it is.
    Unreadable,
};

struct Contents {
    Reading reading;
    QByteArray bytes; // empty unless read
};

// The file's bytes as load() reads them; a file far too large to be a description, or one outside
// the catalogue's tree, is not read.
Contents contents(const QString &storedPath);

// Replaces the document's content with the file's. A missing file leaves the document as it
// was; an unreadable one leaves it empty.
Reading load(const QString &storedPath, QTextDocument &document);
// Tells developers what of the file a saved description will not keep (RtfReader::notKept).
void noteNotKept(const QString &storedPath, const QStringList &notKept);

// Writes the document as RTF, atomically: a crash while saving leaves the previous file whole.
// An existing file whose name differs only in case is replaced in place; a new one gets the name
// exactly as given. The file keeps the language tags it was read with; a description that had
// none is tagged with its language. A translation records the Danish words it was written
// against, where they are given. False when the file could not be written (folder gone, disk
// full, read-only).
bool save(const QString &storedPath, const QTextDocument &document, DescriptionLanguage language,
          const std::optional<QString> &writtenAgainst = std::nullopt);
// The same for a description already written as RTF.
bool write(const QString &storedPath, const QByteArray &rtf);

// A stored path beside the file that no file has yet, for keeping a second version of it there,
// named as Windows names a copy: "A\DK - Kopi.rtf", then "A\DK - Kopi (2).rtf" and so on.
QString copyPath(const QString &storedPath);

} // namespace DescriptionFile
