#include "files/CatalogueLockFile.h"

#include "files/AtomicFile.h"
#include "files/Diagnostics.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString timeFormat = QStringLiteral("dd.MM.yyyy HH:mm");

// Commas end the fields of the mark.
QString field(QString text) { return text.replace(QLatin1Char(','), QLatin1Char(' ')); }

QString login()
{
    if (const passwd *entry = ::getpwuid(::getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QString fullName()
{
    if (const passwd *entry = ::getpwuid(::getuid())) {
        const QString gecos = QString::fromLocal8Bit(entry->pw_gecos).section(QLatin1Char(','), 0, 0).trimmed();
        if (!gecos.isEmpty())
            return gecos;
    }
    return login();
}

} // namespace

QString CatalogueLockFile::pathFor(const QString &catalogueLocalPath)
{
    const QFileInfo catalogue(catalogueLocalPath);
    return catalogue.absolutePath() + QStringLiteral("/.~lock.") + catalogue.fileName() + QLatin1Char('#');
}

QString CatalogueLockFile::machineName() { return QSysInfo::machineHostName(); }

bool CatalogueLockFile::Holder::isGone() const
{
    return machine == machineName() && process > 0 && ::kill(pid_t(process), 0) != 0 && errno == ESRCH;
}

QString CatalogueLockFile::Holder::description() const
{
    return QStringLiteral("%1 på %2 siden %3").arg(name, machine, since.toString(timeFormat));
}

std::optional<CatalogueLockFile::Holder> CatalogueLockFile::read(const QString &lockPath)
{
    QFile file(lockPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromUtf8(file.read(4096)).trimmed();
    QStringList fields = text.left(text.indexOf(QLatin1Char(';')) < 0 ? text.size() : text.indexOf(QLatin1Char(';')))
                             .split(QLatin1Char(','));
    if (fields.size() < 4)
        return Holder{};
    Holder holder;
    holder.name = fields[0];
    holder.user = fields[1];
    holder.machine = fields[2];
    holder.since = QDateTime::fromString(fields[3], timeFormat);
    holder.process = fields.size() > 4 ? fields[4].toLongLong() : 0;
    return holder;
}

CatalogueLockFile::CatalogueLockFile(const QString &catalogueLocalPath)
    : path_(pathFor(catalogueLocalPath))
{
    // Nobody edits a catalogue that cannot be written, as on a burned disc: no mark.
    if (!AtomicFile::canReplace(catalogueLocalPath))
        return;
    if (const std::optional<Holder> found = read(path_); found && !found->isGone()) {
        other_ = found;
        return;
    }
    write();
}

CatalogueLockFile::~CatalogueLockFile()
{
    if (written_.isEmpty())
        return;
    QFile file(path_);
    if (file.open(QIODevice::ReadOnly) && file.readAll() == written_) {
        file.close();
        QFile::remove(path_);
    }
}

void CatalogueLockFile::takeOver()
{
    other_.reset();
    write();
}

// Written in place, not through a replacement: the mark is no change of the user's and no step
// of the history. A folder that cannot be written (a burned disc) gets no mark.
bool CatalogueLockFile::write()
{
    const QByteArray mark = QStringLiteral("%1,%2,%3,%4,%5;\n")
                                .arg(field(fullName()), field(login()), field(machineName()),
                                     QDateTime::currentDateTime().toString(timeFormat),
                                     QString::number(QCoreApplication::applicationPid()))
                                .toUtf8();
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(mark) != mark.size()) {
        qCInfo(zcdDiagnostics) << "could not mark the catalogue as open in" << path_;
        return false;
    }
    written_ = mark;
    return true;
}
