#include "pad/ProducerNotes.h"

#include "files/Diagnostics.h"
#include "files/UserFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

const QString permissionsKey = QStringLiteral("distributionPermissions");
const QString eulaKey = QStringLiteral("eula");

// The folder as stored names the same folder in any letter case and with either separator; its
// hash keeps a name such as "..\x" from reaching outside the notes' folder.
QString fileFor(const QString &catalogueLocalPath, const QString &itemFolder)
{
    // The editor knows the catalogue from its working folder, mqvcheck from its argument: both
    // come to the same file through its links.
    const QString canonical = QFileInfo(catalogueLocalPath).canonicalFilePath();
    const QString folder = UserFolders::forCatalogue(UserFolders::state(), QStringLiteral("producer-notes"),
                                                     canonical.isEmpty() ? catalogueLocalPath : canonical);
    const QString key = QString(itemFolder).replace(QLatin1Char('\\'), QLatin1Char('/')).toCaseFolded();
    if (folder.isEmpty() || key.isEmpty())
        return {};
    return folder + QLatin1Char('/') +
        QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(16)) +
        QStringLiteral(".json");
}

} // namespace

void ProducerNotes::keep(const QString &catalogueLocalPath, const QString &itemFolder) const
{
    const QString path = fileFor(catalogueLocalPath, itemFolder);
    if (path.isEmpty() || isEmpty())
        return;
    QSaveFile file(path);
    if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly)) {
        qCInfo(zcdDiagnostics) << "The producer's notes cannot be kept in" << path;
        return;
    }
    const QJsonObject notes{{permissionsKey, distributionPermissions}, {eulaKey, eula}};
    file.write(QJsonDocument(notes).toJson());
    if (!file.commit())
        qCInfo(zcdDiagnostics) << "The producer's notes cannot be kept in" << path;
}

ProducerNotes ProducerNotes::read(const QString &catalogueLocalPath, const QString &itemFolder)
{
    QFile file(fileFor(catalogueLocalPath, itemFolder));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject notes = QJsonDocument::fromJson(file.readAll()).object();
    return {notes.value(permissionsKey).toString(), notes.value(eulaKey).toString()};
}
