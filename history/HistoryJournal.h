#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

// The append-only file a history is kept in. Each record is one line of JSON, followed, when the
// record carries file contents, by exactly that many raw bytes and a line break:
//
//     {"t":"file","n":12,"path":"/…/Z.MQV","exists":true,"sha":"…","data":1834}\n<1834 bytes>\n
//
// Records are only ever added at the end. A record that a crash cut short is the last one and is
// cut off when the journal is next opened; whatever it announced had not been done yet, as a
// change is made only once its record is on the disk.
class HistoryJournal {
public:
    struct Record {
        QJsonObject header;
        qint64 dataOffset = -1; // where the carried bytes start, -1 when the record carries none
        qint64 dataSize = 0;
    };

    explicit HistoryJournal(QString path);

    const QString &path() const { return path_; }

    // Every whole record, oldest first; a torn last record is cut off the file.
    std::vector<Record> readAll();

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
    QString path_;
};
