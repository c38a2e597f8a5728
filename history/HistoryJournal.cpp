#include "history/HistoryJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char dataKey[] = "data";

QByteArray headerLine(const QJsonObject &header, qint64 dataSize)
{
    QJsonObject line = header;
    if (dataSize > 0)
        line.insert(QLatin1String(dataKey), double(dataSize));
    return QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
}

bool writeAll(QFileDevice &file, const QByteArray &bytes) { return file.write(bytes) == bytes.size(); }

} // namespace

HistoryJournal::HistoryJournal(QString path)
    : path_(std::move(path))
{
}

std::vector<HistoryJournal::Record> HistoryJournal::readAll()
{
    std::vector<Record> records;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return records;
    const qint64 fileSize = file.size();
    qint64 wholeUpTo = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (!line.endsWith('\n'))
            break;
        const QJsonDocument parsed = QJsonDocument::fromJson(line);
        if (!parsed.isObject())
            break;
        Record record;
        record.header = parsed.object();
        record.dataSize = qint64(record.header.value(QLatin1String(dataKey)).toDouble());
        if (record.dataSize > 0) {
            record.dataOffset = file.pos();
            const qint64 end = record.dataOffset + record.dataSize;
            if (end + 1 > fileSize || !file.seek(end))
                break;
            char lineBreak = 0;
            if (!file.getChar(&lineBreak) || lineBreak != '\n')
                break;
        }
        records.push_back(std::move(record));
        wholeUpTo = file.pos();
    }
    file.close();
    if (wholeUpTo < fileSize)
        QFile::resize(path_, wholeUpTo);
    return records;
}

qint64 HistoryJournal::append(const QJsonObject &header, const QByteArray &data, bool durable)
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QFile file(path_);
    if (!file.open(QIODevice::Append))
        return -1;
    const QByteArray line = headerLine(header, data.size());
    const qint64 dataOffset = file.size() + line.size();
    bool written = writeAll(file, line);
    if (written && !data.isEmpty())
        written = writeAll(file, data) && file.putChar('\n');
    written = written && file.flush() && (!durable || ::fdatasync(file.handle()) == 0);
    if (!written) {
        // Nothing half-written may stay in front of the next record.
        file.resize(dataOffset - line.size());
        return -1;
    }
    return data.isEmpty() ? 0 : dataOffset;
}

bool HistoryJournal::sync()
{
    QFile file(path_);
    return file.open(QIODevice::Append) && ::fdatasync(file.handle()) == 0;
}

std::optional<QByteArray> HistoryJournal::data(qint64 offset, qint64 size) const
{
    QFile file(path_);
    if (offset < 0 || !file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return std::nullopt;
    QByteArray bytes = file.read(size);
    if (bytes.size() != size)
        return std::nullopt;
    return bytes;
}

qint64 HistoryJournal::size() const { return QFileInfo(path_).size(); }

bool HistoryJournal::rewrite(const std::vector<Record> &records)
{
    QFile old(path_);
    if (!old.open(QIODevice::ReadOnly))
        return false;
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const Record &record : records) {
        QByteArray bytes;
        if (record.dataSize > 0) {
            if (!old.seek(record.dataOffset))
                return false;
            bytes = old.read(record.dataSize);
            if (bytes.size() != record.dataSize)
                return false;
        }
        if (!writeAll(file, headerLine(record.header, bytes.size())) ||
            (!bytes.isEmpty() && !(writeAll(file, bytes) && file.putChar('\n'))))
            return false;
    }
    return file.flush() && ::fsync(file.handle()) == 0 && file.commit();
}
