#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

// A fresh folder that becomes the process's current folder for the life of the object, so code
// that works relative to the current folder (".\Z.MQV", item folders) can be tested in isolation.
// The user's state, runtime and config folders (where the history, unsaved descriptions, the
// catalogue's lock and the recent catalogues are kept) are fresh ones beside it, outside it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    QString path() const;
    QString filePath(const QString &relative) const;

    void writeFile(const QString &relative, const QByteArray &bytes) const;
    QByteArray readFile(const QString &relative) const;
    void makeFolder(const QString &relative) const;
    // Every file and folder below it with its bytes (a folder's name ends in "/"): what goes onto the disc.
    QMap<QString, QByteArray> tree() const;

    QString statePath() const;
    QString runtimePath() const;

private:
    QTemporaryDir dir_;
    QTemporaryDir home_;
    QString previous_;
    QByteArray previousState_;
    QByteArray previousRuntime_;
    QByteArray previousConfig_;
};
