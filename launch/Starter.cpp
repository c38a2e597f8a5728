#include "launch/Starter.h"

#include "files/LocalPath.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

#include <optional>

namespace {

bool isAbsoluteStoredPath(const QString &path)
{
    return path.startsWith(QLatin1Char('\\')) || path.startsWith(QLatin1Char('/'));
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
    return start.startsWith("#!") ||
        start ==
        QByteArrayLiteral("\x7F"
                          "ELF");
}

constexpr int queryMilliseconds = 3000;

// Whether the desktop names an application for the file's type or a type it belongs to (a
// shell script is also plain text), as xdg-open will look for one; nothing when it cannot be
// asked. xdg-open is started detached and never tells whether it found one.
std::optional<bool> desktopCanOpen(const QMimeType &type)
{
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return std::nullopt;
    for (const QString &name : QStringList{type.name()} + type.allAncestors()) {
        QProcess process;
        process.start(query, {QStringLiteral("query"), QStringLiteral("default"), name});
        if (!process.waitForFinished(queryMilliseconds) || process.exitStatus() != QProcess::NormalExit)
            return std::nullopt;
        if (!process.readAllStandardOutput().trimmed().isEmpty())
            return true;
    }
    return false;
}

} // namespace

Starter::Outcome Starter::execute()
{
    processId_ = 0;
    const QString storedFile = DefaultDir.isEmpty() || isAbsoluteStoredPath(Command)
        ? Command
        : LocalPath::join(DefaultDir, Command);
    const QString shownFile = QFileInfo(LocalPath::resolve(storedFile)).absoluteFilePath();
    const auto failed = [&shownFile](const QString &text) { return Outcome{false, shownFile, text}; };

    const std::optional<QString> localFile = LocalPath::findFile(storedFile);
    if (!localFile) {
        if (LocalPath::folderExists(storedFile))
            return failed(QStringLiteral("%1 er en mappe og ikke en fil.").arg(shownFile));
        return failed(QStringLiteral("Filen %1 findes ikke.").arg(shownFile));
    }
    const QFileInfo file(*localFile);
    if (!file.isReadable() && !file.isExecutable())
        return failed(QStringLiteral("Du har ikke adgang til filen %1.").arg(shownFile));

    QProcess process;
    process.setWorkingDirectory(QFileInfo(LocalPath::resolve(DefaultDir, LocalPath::Kind::Folder)).absoluteFilePath());
    if (runsNatively(file)) {
        process.setProgram(file.absoluteFilePath());
        process.setArguments(QProcess::splitCommand(Parameters));
    } else {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty())
            return failed(
                QStringLiteral("Der er intet program, som kan \u00E5bne filen %1 (xdg-open er ikke installeret).")
                    .arg(shownFile));
        const QMimeType type = QMimeDatabase().mimeTypeForFile(file);
        if (desktopCanOpen(type) == false)
            return failed(QStringLiteral("Skrivebordet har intet program, som kan \u00E5bne filen %1 (filtypen %2).")
                              .arg(shownFile, type.name()));
        process.setProgram(opener);
        process.setArguments({file.absoluteFilePath()});
    }
    qint64 processId = 0;
    if (!process.startDetached(&processId))
        return failed(QStringLiteral("Filen %1 kunne ikke startes: %2").arg(shownFile, process.errorString()));
    processId_ = processId;
    return Outcome{true, shownFile, QString()};
}

qint64 Starter::processId() const { return processId_; }
