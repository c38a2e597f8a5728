#include "history/HistoryStep.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

FileState FileState::of(const QString &localPath, QByteArray *bytes)
{
    QFile file(localPath);
    const QFileInfo entry(localPath);
    // A link is no state the history wrote: it is never read through, so an undo or redo finds it
    // changed and leaves it, and what it points to, alone.
    if (entry.isSymLink())
        return {true, QByteArrayLiteral("link")};
    if (!entry.isFile())
        return {};
    // A file that is there but cannot be read matches no state the history knows.
    if (!file.open(QIODevice::ReadOnly))
        return {true, QByteArrayLiteral("unreadable")};
    QByteArray read = file.readAll();
    FileState state = ofBytes(read);
    if (bytes)
        *bytes = std::move(read);
    return state;
}

FileState FileState::ofBytes(const QByteArray &bytes)
{
    return {true, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()};
}

QString HistoryStep::caption() const { return QStringLiteral("%1, punkt %2").arg(summary).arg(item); }
