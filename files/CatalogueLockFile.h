#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The mark beside the catalogue that tells every machine opening it who has it open: a file
// ".~lock.Z.MQV#" in the catalogue's folder, in the form desktop office programs use for the same
// purpose ("name,user,machine,dd.MM.yyyy HH:mm,pid;"), so a colleague on another machine sees it
// through the file share. It is written on opening and removed on closing. A mark whose editor
// is gone is stale: on this machine when its process no longer runs, on another one only when the
// user says so. It must never go onto the disc; the whole-disc check reports one it finds.
class CatalogueLockFile {
public:
    struct Holder {
        QString name; // the user's full name where known, else the login
        QString user;
        QString machine;
        QDateTime since;
        qint64 process = 0;

        // Whether the holder's editor can be seen to be gone: same machine, no such process.
        bool isGone() const;
        // "anne på maskine-2 siden 09.12.2026 12:34"
        QString description() const;
    };

    // Marks the catalogue as open here, unless another live editor's mark is there; that one is
    // then kept (see other()).
    explicit CatalogueLockFile(const QString &catalogueLocalPath);
    // Removes the mark when it is still this editor's.
    ~CatalogueLockFile();
    CatalogueLockFile(const CatalogueLockFile &) = delete;
    CatalogueLockFile &operator=(const CatalogueLockFile &) = delete;

    // Another editor's mark, found at opening and not stale.
    const std::optional<Holder> &other() const { return other_; }
    // The user says the other editor is closed: its mark is replaced by this one's.
    void takeOver();

    static QString pathFor(const QString &catalogueLocalPath);
    static std::optional<Holder> read(const QString &lockPath);
    static QString machineName();

private:
    bool write();

    QString path_;
    QByteArray written_;
    std::optional<Holder> other_;
};
