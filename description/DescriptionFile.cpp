#include "description/DescriptionFile.h"

#include "catalogue/AtomicFile.h"
#include "catalogue/LocalPath.h"
#include "description/RtfReader.h"
#include "description/RtfWriter.h"

#include <QFile>
#include <QTextDocument>

namespace DescriptionFile {

bool load(const QString &storedPath, QTextDocument &document)
{
    const std::optional<QString> localPath = LocalPath::findFile(storedPath);
    if (!localPath)
        return false;
    QFile file(*localPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return RtfReader::read(file.readAll(), document);
}

bool save(const QString &storedPath, const QTextDocument &document)
{
    const QString localPath = LocalPath::forWriting(storedPath);
    const QByteArray bytes = RtfWriter::write(document);
    // Leaving an item saves its description more than once; an unchanged file is left alone.
    QFile existing(localPath);
    if (existing.size() == bytes.size() && existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    return AtomicFile::replace(localPath, bytes);
}

bool moveToTrash(const QString &storedPath)
{
    const std::optional<QString> localPath = LocalPath::findFile(storedPath);
    if (!localPath)
        return false;
    QFile file(*localPath);
    return file.moveToTrash();
}

} // namespace DescriptionFile
