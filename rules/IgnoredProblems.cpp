#include "rules/IgnoredProblems.h"

#include "files/Diagnostics.h"
#include "files/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString IgnoredProblems::fileFor(const QString &catalogueLocalPath)
{
    const QString folder = UserFolders::forCatalogue(UserFolders::state(), QStringLiteral("ignored-problems"),
                                                     catalogueLocalPath);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/ignored.txt");
}

IgnoredProblems::IgnoredProblems(QString file)
    : file_(std::move(file))
{
    QFile kept(file_);
    if (file_.isEmpty() || !kept.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = QString::fromUtf8(kept.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        if (!keys_.contains(line))
            keys_.append(line);
    }
}

void IgnoredProblems::add(const QString &key)
{
    if (keys_.contains(key))
        return;
    keys_.append(key);
    keep();
}

void IgnoredProblems::remove(const QString &key)
{
    if (keys_.removeAll(key) > 0)
        keep();
}

// A list that cannot be kept still holds for this run; the user loses nothing of the disc's.
void IgnoredProblems::keep() const
{
    if (file_.isEmpty() || !QDir().mkpath(QFileInfo(file_).path()))
        return;
    QSaveFile file(file_);
    if (!file.open(QIODevice::WriteOnly)) {
        qCInfo(zcdDiagnostics) << "The problems set aside cannot be kept in" << file_;
        return;
    }
    file.write(keys_.join(QLatin1Char('\n')).toUtf8() + '\n');
    if (!file.commit())
        qCInfo(zcdDiagnostics) << "The problems set aside cannot be kept in" << file_;
}
