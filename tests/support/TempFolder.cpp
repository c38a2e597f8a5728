#include "support/TempFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

TempFolder::TempFolder()
    : previous_(QDir::currentPath())
    , previousState_(qgetenv("XDG_STATE_HOME"))
    , previousRuntime_(qgetenv("XDG_RUNTIME_DIR"))
    , previousConfig_(qgetenv("XDG_CONFIG_HOME"))
{
    if (!dir_.isValid() || !home_.isValid() || !QDir::setCurrent(dir_.path()))
        throw std::runtime_error("cannot make a temporary current folder");
    qputenv("XDG_STATE_HOME", statePath().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtimePath().toUtf8());
    qputenv("XDG_CONFIG_HOME", home_.filePath(QStringLiteral("config")).toUtf8());
}

namespace {

void restoreVariable(const char *name, const QByteArray &value)
{
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}

} // namespace

TempFolder::~TempFolder()
{
    QDir::setCurrent(previous_);
    restoreVariable("XDG_STATE_HOME", previousState_);
    restoreVariable("XDG_RUNTIME_DIR", previousRuntime_);
    restoreVariable("XDG_CONFIG_HOME", previousConfig_);
}

QString TempFolder::statePath() const
{
    return home_.filePath(QStringLiteral("state"));
}

QString TempFolder::runtimePath() const
{
    return home_.filePath(QStringLiteral("runtime"));
}

QString TempFolder::path() const
{
    return dir_.path();
}

QString TempFolder::filePath(const QString &relative) const
{
    return dir_.filePath(relative);
}

void TempFolder::writeFile(const QString &relative, const QByteArray &bytes) const
{
    const QString target = filePath(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray TempFolder::readFile(const QString &relative) const
{
    QFile file(filePath(relative));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void TempFolder::makeFolder(const QString &relative) const
{
    QDir().mkpath(filePath(relative));
}

QMap<QString, QByteArray> TempFolder::tree() const
{
    QMap<QString, QByteArray> tree;
    QDirIterator entries(path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString entry = entries.next();
        const QString relative = QDir(path()).relativeFilePath(entry);
        if (entries.fileInfo().isDir()) {
            tree.insert(relative + '/', QByteArray());
        } else {
            QFile file(entry);
            file.open(QIODevice::ReadOnly);
            tree.insert(relative, file.readAll());
        }
    }
    return tree;
}
