#include "files/HomeTrash.h"

#include "files/FileChangeRecorder.h"
#include "files/UserFolders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace {

// The trash holds what the user threw away: it is the user's alone.
bool makeFolders(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    const QString parent = QFileInfo(path).absolutePath();
    if (parent != path && !makeFolders(parent))
        return false;
    return ::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || (errno == EEXIST && QFileInfo(path).isDir());
}

QString numberedName(const QFileInfo &file, int number)
{
    if (number == 1)
        return file.fileName();
    const QString suffix = file.suffix();
    return suffix.isEmpty() ? QStringLiteral("%1.%2").arg(file.fileName()).arg(number)
                            : QStringLiteral("%1.%2.%3").arg(file.completeBaseName()).arg(number).arg(suffix);
}

QByteArray trashInfo(const QString &originalPath)
{
    return "[Trash Info]\nPath=" + QUrl::toPercentEncoding(originalPath, "/") +
        "\nDeletionDate=" + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1() +
        '\n';
}

// Renamed where the trash is on the same disk; otherwise copied and then removed, so the original
// goes only once its copy is whole.
bool moveInto(const QString &source, const QString &target)
{
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    if (QFile::copy(source, target) && QFile::remove(source))
        return true;
    QFile::remove(target);
    return false;
}

} // namespace

namespace HomeTrash {

QString folder()
{
    const QString dataHome = UserFolders::data();
    return dataHome.isEmpty() ? QString() : dataHome + QStringLiteral("/Trash");
}

bool moveFile(const QString &localPath, const QString &keepOutOf)
{
    const QFileInfo file(localPath);
    const QString trash = folder();
    if (!file.isFile() || trash.isEmpty() || UserFolders::isInside(trash, keepOutOf))
        return false;
    const QString files = trash + QStringLiteral("/files/");
    const QString info = trash + QStringLiteral("/info/");
    if (!makeFolders(files) || !makeFolders(info))
        return false;
    for (int number = 1; number < 1000; ++number) {
        const QString name = numberedName(file, number);
        if (QFileInfo::exists(files + name))
            continue;
        // The information file is made first and exclusively: it is what reserves the name.
        QFile infoFile(info + name + QStringLiteral(".trashinfo"));
        if (!infoFile.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (infoFile.exists())
                continue;
            return false;
        }
        const QByteArray bytes = trashInfo(file.absoluteFilePath());
        const bool written = infoFile.write(bytes) == bytes.size() && infoFile.flush();
        infoFile.close();
        if (written)
            FileChanges::aboutToChangeFile(file.absoluteFilePath());
        if (written && moveInto(file.absoluteFilePath(), files + name))
            return true;
        infoFile.remove();
        return false;
    }
    return false;
}

} // namespace HomeTrash
