#pragma once

#include <QDateTime>
#include <QString>

// Which version of a file was read: its path, size and time of last change. Showing the same
// item twice in one step need not decode or parse the same unchanged file twice.
struct FileStamp {
    QString localPath;
    qint64 size = -1;
    QDateTime modified;

    static FileStamp of(const QString &localPath);

    bool isValid() const { return size >= 0; }
    friend bool operator==(const FileStamp &a, const FileStamp &b)
    {
        return a.localPath == b.localPath && a.size == b.size && a.modified == b.modified;
    }
    friend bool operator!=(const FileStamp &a, const FileStamp &b) { return !(a == b); }
};
