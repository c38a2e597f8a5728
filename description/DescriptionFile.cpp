#include "description/DescriptionFile.h"

#include "catalogue/AtomicFile.h"
#include "catalogue/LocalPath.h"
#include "description/RtfReader.h"
#include "description/RtfWriter.h"

#include <QFile>
#include <QTextDocument>

namespace DescriptionFile {

Reading load(const QString &storedPath, QTextDocument &document)
{
    const std::optional<QString> localPath = LocalPath::findFile(storedPath);
    if (!localPath)
        return Reading::Missing;
    QFile file(*localPath);
    // A file far beyond any description is refused before it is read into memory.
    if (file.size() > RtfReader::maximumInputSize || !file.open(QIODevice::ReadOnly)
        || !RtfReader::read(file.readAll(), document)) {
        document.clear();
        return Reading::Unreadable;
    }
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
