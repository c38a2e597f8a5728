#include "description/DescriptionRecovery.h"

#include "files/AtomicFile.h"
#include "files/Diagnostics.h"
#include "files/FileChangeRecorder.h"
#include "files/LocalPath.h"
#include "files/UserFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

#include <utility>

namespace {

const QString itemKey = QStringLiteral("item");
const QString languageKey = QStringLiteral("language");
const QString pathKey = QStringLiteral("path");
const QString shownKey = QStringLiteral("shown");
const QString rtfKey = QStringLiteral("rtf");
const QByteArray noFile = QByteArrayLiteral("none");

QByteArray currentDigest(const QString &storedPath)
{
    const std::optional<QString> localPath = LocalPath::findFile(storedPath);
    if (!localPath)
        return noFile;
    QFile file(*localPath);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

std::optional<DescriptionRecovery::Unsaved> unsavedFrom(const QByteArray &bytes)
{
    const QJsonObject json = QJsonDocument::fromJson(bytes).object();
    DescriptionRecovery::Unsaved unsaved;
    unsaved.item = json.value(itemKey).toInt();
    unsaved.language = json.value(languageKey).toString();
    unsaved.storedPath = json.value(pathKey).toString();
    unsaved.shownDigest = json.value(shownKey).toString().toLatin1();
    unsaved.rtf = QByteArray::fromBase64(json.value(rtfKey).toString().toLatin1());
    if (unsaved.item <= 0 || unsaved.storedPath.isEmpty() || unsaved.rtf.isEmpty())
        return std::nullopt;
    return unsaved;
}

} // namespace

DescriptionRecovery::DescriptionRecovery(const QString &catalogueLocalPath, Snapshot snapshot,
                                         std::chrono::milliseconds delay, std::chrono::milliseconds longestWait)
    : folder_(UserFolders::forCatalogue(UserFolders::state(), QStringLiteral("recovery"), catalogueLocalPath))
    , snapshot_(std::move(snapshot))
{
    if (!folder_.isEmpty())
        file_ = folder_ + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces) +
            QStringLiteral(".json");
    timer_.setSingleShot(true);
    timer_.setInterval(delay);
    QObject::connect(&timer_, &QTimer::timeout, [this] { keep(); });
    longest_.setSingleShot(true);
    longest_.setInterval(longestWait);
    QObject::connect(&longest_, &QTimer::timeout, [this] { keep(); });
}

// A steady typist makes no pause: the text is kept at the latest longestWait after the first
// keystroke not yet kept.
void DescriptionRecovery::typed()
{
    if (file_.isEmpty())
        return;
    timer_.start();
    if (!longest_.isActive())
        longest_.start();
}

bool DescriptionRecovery::keep()
{
    timer_.stop();
    longest_.stop();
    const std::optional<Unsaved> unsaved = snapshot_();
    if (file_.isEmpty() || !unsaved)
        return false;
    const QJsonObject json{
        {itemKey, unsaved->item},
        {languageKey, unsaved->language},
        {pathKey, unsaved->storedPath},
        {shownKey, QString::fromLatin1(unsaved->shownDigest)},
        {rtfKey, QString::fromLatin1(unsaved->rtf.toBase64())},
    };
    // The recovery file is ours, not the user's: no step of the catalogue's history.
    const FileChanges::Recording unrecorded(nullptr);
    if (QDir().mkpath(folder_) && AtomicFile::replace(file_, QJsonDocument(json).toJson(QJsonDocument::Compact))) {
        kept_ = true;
        return true;
    }
    qCInfo(zcdDiagnostics) << "could not keep the unsaved description in" << file_;
    return false;
}

void DescriptionRecovery::drop()
{
    timer_.stop();
    longest_.stop();
    if (std::exchange(kept_, false))
        QFile::remove(file_);
}

std::vector<DescriptionRecovery::LeftOver> DescriptionRecovery::leftOver() const
{
    std::vector<LeftOver> found;
    if (folder_.isEmpty())
        return found;
    const QFileInfoList files = QDir(folder_).entryInfoList({QStringLiteral("*.json")}, QDir::Files,
                                                            QDir::Time | QDir::Reversed);
    for (const QFileInfo &entry : files) {
        if (entry.absoluteFilePath() == file_)
            continue;
        QFile file(entry.absoluteFilePath());
        const std::optional<Unsaved> unsaved = file.open(QIODevice::ReadOnly) ? unsavedFrom(file.readAll())
                                                                              : std::nullopt;
        if (unsaved)
            found.push_back({*unsaved, entry.absoluteFilePath()});
        else
            qCInfo(zcdDiagnostics) << "passed over the recovery file" << entry.absoluteFilePath();
    }
    return found;
}

void DescriptionRecovery::drop(const LeftOver &leftOver) { QFile::remove(leftOver.file); }

QByteArray DescriptionRecovery::shownDigest(const QString &storedPath, const FileStamp &shown)
{
    const std::optional<QString> localPath = LocalPath::findFile(storedPath);
    const bool unchanged = shown.isValid() ? localPath && FileStamp::of(*localPath) == shown : !localPath;
    return unchanged ? currentDigest(storedPath) : QByteArray();
}

bool DescriptionRecovery::fileAsShown(const Unsaved &unsaved)
{
    return !unsaved.shownDigest.isEmpty() && currentDigest(unsaved.storedPath) == unsaved.shownDigest;
}
