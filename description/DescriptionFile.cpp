#include "description/DescriptionFile.h"

#include "files/AtomicFile.h"
#include "files/Diagnostics.h"
#include "files/LocalPath.h"
#include "description/RtfReader.h"
#include "description/RtfWriter.h"

#include <QFile>
#include <QTextDocument>

namespace DescriptionFile {

Contents contents(const QString &storedPath)
{
    const std::optional<QString> localPath = LocalPath::findFile(storedPath);
    if (!localPath)
        return {Reading::Missing, QByteArray()};
    QFile file(*localPath);
    // A file far beyond any description is refused before it is read into memory.
    if (file.size() > RtfReader::maximumInputSize || !file.open(QIODevice::ReadOnly))
        return {Reading::Unreadable, QByteArray()};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {Reading::Unreadable, QByteArray()};
    return {Reading::Read, std::move(bytes)};
}

Reading load(const QString &storedPath, QTextDocument &document)
{
    const Contents file = contents(storedPath);
    if (file.reading == Reading::Missing)
        return Reading::Missing;
    QStringList notKept;
    if (file.reading == Reading::Unreadable || !RtfReader::read(file.bytes, document, &notKept)) {
        document.clear();
        return Reading::Unreadable;
    }
    // Saving the description will drop these; the user is not troubled with RTF's words.
    if (!notKept.isEmpty())
        qCInfo(zcdDiagnostics, "%s holds what a saved description does not keep: %s", qUtf8Printable(storedPath),
               qUtf8Printable(notKept.join(QStringLiteral(", "))));
    return Reading::Read;
}

bool save(const QString &storedPath, const QTextDocument &document)
{
    const QString localPath = LocalPath::forWriting(storedPath);
    const QByteArray bytes = RtfWriter::write(document);
    // A change the user took back again leaves the file as it was, time stamp included.
    QFile existing(localPath);
    if (existing.size() == bytes.size() && existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    return AtomicFile::replace(localPath, bytes);
}

} // namespace DescriptionFile
