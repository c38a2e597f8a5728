#include "catalogue/ProfileFile.h"

#include "catalogue/ProfileSnapshot.h"
#include "catalogue/ProfileWriteError.h"
#include "files/AtomicFile.h"
#include "files/Diagnostics.h"
#include "files/FolderWriteLock.h"
#include "files/LocalPath.h"
#include "files/Windows1252.h"

#include <QFile>
#include <QFileInfo>

namespace {

// A value ends at its first line break, so it can never add lines to the file.
QByteArray storedValue(const QString &value)
{
    qsizetype end = 0;
    while (end < value.size() && value.at(end) != QLatin1Char('\r') && value.at(end) != QLatin1Char('\n'))
        ++end;
    return Windows1252::encode(value.first(end));
}

} // namespace

ProfileFile::ProfileFile(const QString &fileName)
    : fileName_(fileName)
    , pathAsWritten_(LocalPath::asWritten(fileName))
{
}

QString ProfileFile::FileName() const { return fileName_; }

QString ProfileFile::localPath() const { return LocalPath::forWriting(fileName_); }

// While the file read last is still there unchanged, under exactly the name the profile was
// given, no other file can be the one meant, and the name need not be looked up again.
std::shared_ptr<const ProfileSnapshot> ProfileFile::current() const
{
    if (cached_ && cachedStamp_.localPath == pathAsWritten_ && FileStamp::of(pathAsWritten_) == cachedStamp_)
        return cached_;
    return snapshot(localPath());
}

// Nothing when there is no file to read, it cannot be read or it is not single-byte text. Every
// read and every write goes through here, so the file is parsed again only when its stamp changed.
std::shared_ptr<const ProfileSnapshot> ProfileFile::snapshot(const QString &localPath) const
{
    // Only a regular file is opened: a pipe of that name would block the program.
    const FileStamp stamp = FileStamp::of(localPath);
    if (!stamp.isValid())
        return nullptr;
    if (cached_ && stamp == cachedStamp_)
        return cached_;
    cached_.reset();
    const std::int64_t readStart = FileStamp::nowNs();
    std::optional<ProfileSnapshot> read = ProfileSnapshot::read(localPath);
    if (!read)
        return nullptr;
    auto snapshot = std::make_shared<const ProfileSnapshot>(std::move(*read));
    // Kept only when nothing changed the file while it was read and any later change will show
    // in its stamp.
    if (stamp.isSettled(readStart) && FileStamp::of(localPath) == stamp) {
        cachedStamp_ = stamp;
        cached_ = snapshot;
    }
    return snapshot;
}

void ProfileFile::store(const QString &localPath, const std::optional<QByteArray> &edited) const
{
    if (edited && !replace(localPath, *edited))
        throw ProfileWriteError(fileName_);
}

// Called with the folder's write lock held, so the stamp taken after the replacement is the one
// of these bytes: no writer that takes the lock can come between.
bool ProfileFile::replace(const QString &localPath, const QByteArray &bytes) const
{
    if (!AtomicFile::replace(localPath, bytes))
        return false;
    lastWrite_ = {FileStamp::of(localPath), bytes};
    return true;
}

QString ProfileFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const std::shared_ptr<const ProfileSnapshot> read = current();
    return read ? read->ReadString(section, key, defaultValue) : ProfileSnapshot::defaultAsRead(defaultValue);
}

void ProfileFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const std::optional<QByteArray> sectionName = ProfileSnapshot::storedName(section);
    const std::optional<QByteArray> keyName = ProfileSnapshot::storedName(key);
    if (!sectionName || !keyName || !ProfileText::canHoldSectionName(*sectionName) ||
        !ProfileText::canHoldKeyName(*keyName))
        throw ProfileWriteError(fileName_);
    const QString path = localPath();
    const FolderWriteLock lock(path);
    const std::shared_ptr<const ProfileSnapshot> read = snapshot(path);
    if (!read) {
        // Something is there that cannot be read as a profile; replacing it would lose it.
        if (QFileInfo::exists(path))
            throw ProfileWriteError(fileName_);
        store(path, ProfileText(QByteArray()).withValue(*sectionName, *keyName, storedValue(value)));
        return;
    }
    store(path, read->text().withValue(*sectionName, *keyName, storedValue(value)));
}

void ProfileFile::DeleteKey(const QString &section, const QString &key)
{
    const std::optional<QByteArray> sectionName = ProfileSnapshot::storedName(section);
    const std::optional<QByteArray> keyName = ProfileSnapshot::storedName(key);
    if (!sectionName || !keyName)
        return;
    const QString path = localPath();
    const FolderWriteLock lock(path);
    const std::shared_ptr<const ProfileSnapshot> read = snapshot(path);
    if (!read)
        return;
    // Deleting a key never raises the write error; a delete that cannot reach the disk is only noted.
    if (const std::optional<QByteArray> edited = read->text().withoutKey(*sectionName, *keyName);
        edited && !replace(path, *edited))
        qCInfo(zcdDiagnostics) << "could not delete" << key << "in" << section << "of" << fileName_;
}

void ProfileFile::EraseSection(const QString &section)
{
    const std::optional<QByteArray> sectionName = ProfileSnapshot::storedName(section);
    if (!sectionName)
        return;
    const QString path = localPath();
    const FolderWriteLock lock(path);
    if (const std::shared_ptr<const ProfileSnapshot> read = snapshot(path))
        store(path, read->text().withoutSection(*sectionName));
}

bool ProfileFile::SectionExists(const QString &section) const
{
    const std::shared_ptr<const ProfileSnapshot> read = current();
    return read && read->SectionExists(section);
}

std::shared_ptr<const ProfileSnapshot> ProfileFile::Snapshot() const { return current(); }

const ProfileFile::Write &ProfileFile::LastWrite() const { return lastWrite_; }

bool ProfileFile::CanWrite() const { return AtomicFile::canReplace(localPath()); }
