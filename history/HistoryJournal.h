#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

class QFile;

#include <optional>
#include <vector>

// The append-only file a history is kept in. It opens with a record naming its format:
//
//     {"t":"journal","v":2}\t<check>\n
//
// Each record is one line of JSON, a tab and the check of that JSON (the first half of its
// SHA-256 in hex), followed, when the record carries file contents, by exactly that many raw
// bytes and a line break; the JSON then names their size and their own check:
//
//     {"data":1834,"dsum":"…","exists":true,"n":12,"path":"/…/Z.MQV","sha":"…","t":"file"}\t<check>\n<1834 bytes>\n
//
// Records are only ever added at the end. A record that a crash cut short is the last one and is
// cut off when the journal is next opened; whatever it announced had not been done yet, as a
// change is made only once its record is on the disk. A record whose bytes do not match its check
// anywhere else was damaged on the disk: it is read as damaged, never as what it seems to say,
// and the records after it are read on. Journals written before the format was named (lines of
// JSON alone) are read as they are; a rewrite puts them into this format.
class HistoryJournal {
public:
    static constexpr int formatVersion = 2;

    struct Record {
        QJsonObject header;
        qint64 dataOffset = -1; // where the carried bytes start, -1 when the record carries none
        qint64 dataSize = 0;
        // The record's bytes are not what was written: what it said is unknown, except for its
        // step when its line is whole and only its carried bytes are damaged.
        bool damaged = false;
    };

    explicit HistoryJournal(QString path);

    const QString &path() const { return path_; }

    // Every record, oldest first, damaged ones in their place; a torn last record is cut off the
    // file. Nothing when the journal is there but no regular file (a link, a pipe, a device): it
    // is then neither read nor written.
    std::optional<std::vector<Record>> readAll();

    // Whether the journal read last is in the named format (or new); records are added to one only.
    bool isVersioned() const { return versioned_; }

    // Adds the record and gives the offset of its bytes (or 0), -1 when it could not be written.
    // A durable record is on the disk when the call returns, with everything added before it.
    qint64 append(const QJsonObject &header, const QByteArray &data = QByteArray(), bool durable = false);
    bool sync();

    // The bytes a record carried; nothing when they cannot be read back whole.
    std::optional<QByteArray> data(qint64 offset, qint64 size) const;

    qint64 size() const;

    // Replaces the whole journal with these records at once (the old file stays until the new one
    // is complete). The records' bytes are read from the journal as it is now.
    bool rewrite(const std::vector<Record> &records);

private:
    std::vector<Record> readRecords(QFile &file, qint64 &wholeUpTo);

    QString path_;
    bool versioned_ = true;
};
