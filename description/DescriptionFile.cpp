#include "description/DescriptionFile.h"

#include "description/RtfReader.h"
#include "description/RtfWriter.h"
#include "description/TranslationSource.h"
#include "files/AtomicFile.h"
#include "files/CatalogueTree.h"
#include "files/Diagnostics.h"
#include "files/LocalPath.h"

#include <QFile>
#include <QTextDocument>

namespace DescriptionFile {

Contents contents(const QString &storedPath)
{
    const std::optional<QString> localPath = LocalPath::findFile(storedPath);
    if (!localPath)
        return {Reading::Missing, QByteArray()};
    // A link out of the catalogue's tree names somebody's file, not a description: it is not read,
    // so nothing of it is shown, searched or put into a proof sheet.
    if (!CatalogueTree::mayRead(*localPath))
        return {Reading::Unreadable, QByteArray()};
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
    noteNotKept(storedPath, notKept);
    return Reading::Read;
}

// Saving the description will drop these; the user is not troubled with RTF's words.
void noteNotKept(const QString &storedPath, const QStringList &notKept)
{
    if (!notKept.isEmpty())
        qCInfo(zcdDiagnostics, "%s holds what a saved description does not keep: %s", qUtf8Printable(storedPath),
               qUtf8Printable(notKept.join(QStringLiteral(", "))));
}

bool save(const QString &storedPath, const QTextDocument &document, DescriptionLanguage language,
          const std::optional<QString> &writtenAgainst)
{
    const QByteArray rtf = RtfWriter::write(document, DescriptionLanguages::info(language).windowsLanguage);
    return write(storedPath, writtenAgainst ? TranslationSource::recorded(rtf, *writtenAgainst) : rtf);
}

bool write(const QString &storedPath, const QByteArray &bytes)
{
    const QString localPath = LocalPath::forWriting(storedPath);
    // A change the user took back again leaves the file as it was, time stamp included.
    QFile existing(localPath);
    if (existing.size() == bytes.size() && existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    return AtomicFile::replace(localPath, bytes);
}

QString copyPath(const QString &storedPath)
{
    const qsizetype nameStart = storedPath.lastIndexOf(QLatin1Char('\\')) + 1;
    qsizetype dot = storedPath.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        dot = storedPath.size();
    const QString stem = storedPath.left(dot) + QStringLiteral(" - Kopi");
    const QString extension = storedPath.mid(dot);
    QString copy = stem + extension;
    for (int number = 2; LocalPath::fileExists(copy); ++number)
        copy = stem + QStringLiteral(" (%1)").arg(number) + extension;
    return copy;
}

} // namespace DescriptionFile
