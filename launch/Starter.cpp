#include "launch/Starter.h"

#include "files/CatalogueTree.h"
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

constexpr int queryMilliseconds = 3000;
constexpr int openerMilliseconds = 5000;

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

// Files on a CD or a FAT stick all carry the execute bit, Windows installers included; the
// kernel would refuse those with "Exec format error". Only a Linux binary or a script is run
// directly, so everything else reaches the desktop, which may know a way to open it.
std::optional<Starter::NativeKind> Starter::nativeKind(const QFileInfo &file)
{
    if (!file.isExecutable())
        return std::nullopt;
    QFile content(file.absoluteFilePath());
    if (!content.open(QIODevice::ReadOnly))
        return NativeKind::Program; // execute-only: the kernel may still run it, and will say so if not
    const QByteArray start = content.read(4);
    if (start.startsWith("#!"))
        return NativeKind::Script;
    if (start ==
        QByteArrayLiteral("\x7F"
                          "ELF"))
        return NativeKind::Program;
    return std::nullopt;
}

Starter::Located Starter::locate() const
{
    const QString storedFile = DefaultDir.isEmpty() || isAbsoluteStoredPath(Command)
        ? Command
        : LocalPath::join(DefaultDir, Command);
    return {QFileInfo(LocalPath::resolve(storedFile)).absoluteFilePath(), LocalPath::findFile(storedFile),
            LocalPath::folderExists(storedFile)};
}

QString Starter::question() const
{
    const Located located = locate();
    if (!located.localFile || !CatalogueTree::mayRead(*located.localFile))
        return QString();
    const QFileInfo file(*located.localFile);
    const std::optional<NativeKind> kind = nativeKind(file);
    if (!kind)
        return QString();
    // Whatever its name promises, the file runs with the user's rights; a name of a Windows
    // program makes that the more worth saying.
    static const QStringList windowsSuffixes{QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("bat"),
                                             QStringLiteral("cmd"), QStringLiteral("msi")};
    const bool windowsName = windowsSuffixes.contains(file.suffix().toLower());
    return QStringLiteral("%1 er et %2%3. Kør det?")
        .arg(file.fileName(),
             *kind == NativeKind::Script ? QStringLiteral("Linux-skript") : QStringLiteral("Linux-program"),
             windowsName ? QStringLiteral(", ikke et Windows-program") : QString());
}

Starter::Outcome Starter::execute()
{
    processId_ = 0;
    const Located located = locate();
    const QString &shownFile = located.shownFile;
    const auto failed = [&shownFile](const QString &text) { return Outcome{false, shownFile, text}; };

    if (!located.localFile) {
        if (located.isFolder)
            return failed(QStringLiteral("%1 er en mappe og ikke en fil.").arg(shownFile));
        return failed(QStringLiteral("Filen %1 findes ikke.").arg(shownFile));
    }
    // Only what goes onto the disc is started from it: a setup outside the catalogue's tree, or
    // a link leading out of it, is somebody else's file.
    if (!CatalogueTree::mayRead(*located.localFile))
        return failed(QStringLiteral("Filen %1 ligger uden for kataloget og startes ikke.").arg(shownFile));
    const QFileInfo file(*located.localFile);
    if (!file.isReadable() && !file.isExecutable())
        return failed(QStringLiteral("Du har ikke adgang til filen %1.").arg(shownFile));

    const QString folder = QFileInfo(LocalPath::resolve(DefaultDir, LocalPath::Kind::Folder)).absoluteFilePath();
    if (nativeKind(file)) {
        QProcess process;
        process.setWorkingDirectory(folder);
        process.setProgram(file.absoluteFilePath());
        process.setArguments(QProcess::splitCommand(Parameters));
        qint64 processId = 0;
        if (!process.startDetached(&processId))
            return failed(QStringLiteral("Filen %1 kunne ikke startes: %2").arg(shownFile, process.errorString()));
        processId_ = processId;
        return Outcome{true, shownFile, QString()};
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return failed(QStringLiteral("Der er intet program, som kan åbne filen %1 (xdg-open er ikke installeret).")
                          .arg(shownFile));
    const QMimeType type = QMimeDatabase().mimeTypeForFile(file);
    if (desktopCanOpen(type) == false)
        return failed(QStringLiteral("Skrivebordet har intet program, som kan åbne filen %1 (filtypen %2).")
                          .arg(shownFile, type.name()));
    return handToDesktop(opener, file.absoluteFilePath(), folder, shownFile);
}

// The opener says by its exit status whether the desktop took the file; most return at once.
// One still running after a while has found an application and waits for it: it is left to run.
Starter::Outcome Starter::handToDesktop(const QString &opener, const QString &file, const QString &folder,
                                        const QString &shownFile)
{
    auto *process = new QProcess;
    process->setWorkingDirectory(folder);
    process->start(opener, {file});
    if (!process->waitForStarted(openerMilliseconds)) {
        const QString reason = process->errorString();
        delete process;
        return Outcome{false, shownFile, QStringLiteral("Filen %1 kunne ikke startes: %2").arg(shownFile, reason)};
    }
    processId_ = process->processId();
    if (!process->waitForFinished(openerMilliseconds)) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return Outcome{true, shownFile, QString()};
    }
    const bool accepted = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    if (!accepted) {
        processId_ = 0;
        return Outcome{false, shownFile, QStringLiteral("Skrivebordet kunne ikke åbne filen %1.").arg(shownFile)};
    }
    return Outcome{true, shownFile, QString()};
}

qint64 Starter::processId() const { return processId_; }
