#include "launch/Starter.h"

#include "catalogue/LocalPath.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

namespace {

bool isAbsoluteStoredPath(const QString &path)
{
    return path.startsWith(QLatin1Char('\\')) || path.startsWith(QLatin1Char('/'));
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Files on a CD or a FAT stick all carry the execute bit, Windows installers included; the
// kernel would refuse those with "Exec format error". Only a Linux binary or a script is run
// directly, so everything else reaches the desktop, which may know a way to open it.
bool runsNatively(const QFileInfo &file)
{
    if (!file.isExecutable())
        return false;
    QFile content(file.absoluteFilePath());
    if (!content.open(QIODevice::ReadOnly))
        return true; // execute-only: the kernel may still run it, and will say so if not
    const QByteArray start = content.read(4);
    return start.startsWith("#!") || start == QByteArrayLiteral("\x7F" "ELF");
}

} // namespace

Starter::Outcome Starter::execute()
{
    processId_ = 0;
    const QString storedFile =
        DefaultDir.isEmpty() || isAbsoluteStoredPath(Command) ? Command : LocalPath::join(DefaultDir, Command);
    const auto failed = [&storedFile](const QString &reason) {
        return Outcome{false, storedFile + QStringLiteral(": ") + reason};
    };

    const std::optional<QString> localFile = LocalPath::findFile(storedFile);
    if (!localFile)
        return failed(systemReason(LocalPath::folderExists(storedFile) ? EISDIR : ENOENT));
    const QFileInfo file(*localFile);
    if (!file.isReadable() && !file.isExecutable())
        return failed(systemReason(EACCES));

    QProcess process;
    process.setWorkingDirectory(QFileInfo(LocalPath::resolve(DefaultDir, LocalPath::Kind::Folder)).absoluteFilePath());
    if (runsNatively(file)) {
        process.setProgram(file.absoluteFilePath());
        process.setArguments(QProcess::splitCommand(Parameters));
    } else {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty())
            return failed(QStringLiteral("no application to open it (xdg-open is not installed)"));
        process.setProgram(opener);
        process.setArguments({file.absoluteFilePath()});
    }
    qint64 processId = 0;
    if (!process.startDetached(&processId))
        return failed(process.errorString());
    processId_ = processId;
    return Outcome{true, QString()};
}

qint64 Starter::processId() const
{
    return processId_;
}
