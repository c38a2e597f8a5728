#include "history/HistoryJournal.h"

#include "history/JournalNumbers.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QList>
#include <QSaveFile>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char dataKey[] = "data";
constexpr char dataCheckKey[] = "dsum";
constexpr char typeKey[] = "t";
constexpr char versionKey[] = "v";
constexpr char versionType[] = "journal";
constexpr qsizetype checkLength = 32;

QByteArray check(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).left(checkLength / 2).toHex();
}

QByteArray headerLine(const QJsonObject &header, const QByteArray &data)
{
    QJsonObject line = header;
    if (!data.isEmpty()) {
        line.insert(QLatin1String(dataKey), double(data.size()));
        line.insert(QLatin1String(dataCheckKey), QString::fromLatin1(check(data)));
    }
    const QByteArray json = QJsonDocument(line).toJson(QJsonDocument::Compact);
    return json + '\t' + check(json) + '\n';
}

QByteArray versionLine()
{
    return headerLine({{QLatin1String(typeKey), QLatin1String(versionType)},
                       {QLatin1String(versionKey), HistoryJournal::formatVersion}},
                      QByteArray());
}

// The JSON of a line whose check holds; nothing for a damaged line.
std::optional<QJsonObject> checkedHeader(const QByteArray &line)
{
    const qsizetype tab = line.lastIndexOf('\t');
    if (tab < 0 || line.size() - tab - 2 != checkLength)
        return std::nullopt;
    const QByteArray json = line.left(tab);
    if (line.mid(tab + 1, checkLength) != check(json))
        return std::nullopt;
    const QJsonDocument parsed = QJsonDocument::fromJson(json);
    if (!parsed.isObject())
        return std::nullopt;
    return parsed.object();
}

std::optional<QJsonObject> plainHeader(const QByteArray &line)
{
    const QJsonDocument parsed = QJsonDocument::fromJson(line);
    if (!parsed.isObject())
        return std::nullopt;
    return parsed.object();
}

// The size of the bytes a record carries, 0 for none; nothing when the value is no size a
// journal of this length could hold.
std::optional<qint64> carriedSize(const QJsonObject &header, qint64 fileSize)
{
    if (!header.contains(QLatin1String(dataKey)))
        return 0;
    return JournalNumbers::integer(header.value(QLatin1String(dataKey)), 1, std::max<qint64>(fileSize, 1));
}

bool writeAll(QFileDevice &file, const QByteArray &bytes) { return file.write(bytes) == bytes.size(); }

void addDamage(std::vector<HistoryJournal::Record> &records, bool &inDamage)
{
    if (!inDamage)
        records.push_back({QJsonObject(), -1, 0, true});
    inDamage = true;
}

// Damage that runs into a torn end is the torn record's own, the crash's, and is cut off with it;
// damage at a whole end stays in the file for the history to keep aside.
void endDamage(std::vector<HistoryJournal::Record> &records, bool inDamage, bool torn, qint64 &wholeUpTo,
               qint64 fileSize)
{
    if (inDamage && torn)
        records.pop_back();
    else if (!torn)
        wholeUpTo = fileSize;
}

} // namespace

HistoryJournal::HistoryJournal(QString path)
    : path_(std::move(path))
{
}

std::optional<std::vector<HistoryJournal::Record>> HistoryJournal::readAll()
{
    // A pipe would hang the start, a device or a link could be anything: only a regular file is
    // a journal.
    const QFileInfo info(path_);
    if (info.isSymLink() || (info.exists() && !info.isFile()))
        return std::nullopt;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return std::vector<Record>();
    const qint64 fileSize = file.size();
    // Lines of the named format end in a tab and a check; JSON alone never holds a raw tab, and
    // the former format's first two lines carry no file contents. Two lines, so that one damaged
    // tab does not make the whole journal unreadable.
    const QList<QByteArray> firstLines = file.peek(64 * 1024).split('\n').mid(0, 2);
    const bool versioned = std::any_of(firstLines.begin(), firstLines.end(),
                                       [](const QByteArray &line) { return line.contains('\t'); });
    versioned_ = versioned || fileSize == 0;
    qint64 wholeUpTo = 0;
    std::vector<Record> records = readRecords(file, wholeUpTo);
    file.close();
    if (wholeUpTo < fileSize)
        QFile::resize(path_, wholeUpTo);
    return records;
}

// Reads record after record; a damaged run of bytes becomes one damaged record, and reading goes
// on at the next whole one. Records of the former format carry no checks: only what does not
// parse is damage there.
std::vector<HistoryJournal::Record> HistoryJournal::readRecords(QFile &file, qint64 &wholeUpTo)
{
    std::vector<Record> records;
    const qint64 fileSize = file.size();
    bool inDamage = false;
    bool torn = false;
    bool first = true;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (!line.endsWith('\n')) {
            torn = true;
            break;
        }
        const std::optional<QJsonObject> header = versioned_ ? checkedHeader(line) : plainHeader(line);
        const std::optional<qint64> size = header ? carriedSize(*header, fileSize) : std::nullopt;
        const bool firstRecord = std::exchange(first, false);
        if (!size) {
            addDamage(records, inDamage);
            continue;
        }
        Record record{*header, -1, *size, false};
        if (*size > 0) {
            record.dataOffset = file.pos();
            const QByteArray data = record.dataOffset + *size + 1 > fileSize ? QByteArray() : file.read(*size);
            char lineBreak = 0;
            if (data.size() != *size || !file.getChar(&lineBreak)) {
                torn = true;
                break;
            }
            record.damaged = lineBreak != '\n' ||
                (versioned_ && check(data) != header->value(QLatin1String(dataCheckKey)).toString().toLatin1());
        }
        inDamage = false;
        wholeUpTo = file.pos();
        if (!(versioned_ && firstRecord &&
              header->value(QLatin1String(typeKey)).toString() == QLatin1String(versionType)))
            records.push_back(std::move(record));
    }
    endDamage(records, inDamage, torn, wholeUpTo, fileSize);
    return records;
}

qint64 HistoryJournal::append(const QJsonObject &header, const QByteArray &data, bool durable)
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QFile file(path_);
    if (!file.open(QIODevice::Append))
        return -1;
    const qint64 start = file.size();
    const QByteArray line = (start == 0 ? versionLine() : QByteArray()) + headerLine(header, data);
    const qint64 dataOffset = start + line.size();
    bool written = writeAll(file, line);
    if (written && !data.isEmpty())
        written = writeAll(file, data) && file.putChar('\n');
    written = written && file.flush() && (!durable || ::fdatasync(file.handle()) == 0);
    if (!written) {
        // Nothing half-written may stay in front of the next record.
        file.resize(start);
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
    if (offset < 0 || size < 0 || !file.open(QIODevice::ReadOnly) || !file.seek(offset))
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
    if (!file.open(QIODevice::WriteOnly) || !writeAll(file, versionLine()))
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
        if (!writeAll(file, headerLine(record.header, bytes)) ||
            (!bytes.isEmpty() && !(writeAll(file, bytes) && file.putChar('\n'))))
            return false;
    }
    return file.flush() && ::fsync(file.handle()) == 0 && file.commit();
}
