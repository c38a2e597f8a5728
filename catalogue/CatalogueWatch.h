#pragma once

#include "files/FileStamp.h"

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>

class ProfileFile;

// Notices when the catalogue changes on disk from outside this editor: a colleague's editor,
// another program, a sync. It knows the file as this editor last saw it (read or written), so a
// change is told apart from the editor's own writes by the file's stamp, and what changed can be
// found key by key against the bytes known.
//
// The file system's notice comes between two events; a write can come before it, so checking the
// stamp before each change is the safety net (changedOutside()).
class CatalogueWatch : public QObject {
    Q_OBJECT
public:
    // Knows the catalogue as it is now.
    explicit CatalogueWatch(const ProfileFile &catalogue, QObject *parent = nullptr);

    // True when the file is no longer what this editor read or wrote last.
    bool changedOutside();
    // The catalogue as known before the change outside (empty when it was not there).
    const QByteArray &known() const { return knownBytes_; }
    // The file as it is now is the one known from here on: followed, or put there by the editor.
    void adopt();

signals:
    // The file was changed by someone else; sent once per change, while nothing else runs.
    void changed();

private:
    void watch();
    void notice();

    const ProfileFile &catalogue_;
    QString localPath_;
    QFileSystemWatcher watcher_;
    FileStamp knownStamp_;
    QByteArray knownBytes_;
    FileStamp told_;
};
