#include "catalogue/ProfileFile.h"

#include "catalogue/AtomicFile.h"
#include "catalogue/LocalPath.h"
#include "catalogue/ProfileText.h"
#include "catalogue/ProfileWriteError.h"
#include "catalogue/Windows1252.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// What Windows hands back through a buffer of 2048 bytes.
constexpr qsizetype longestValue = 2047;

// A file that starts with a UTF-16 byte-order mark holds Unicode text, which this program neither
// makes nor understands. It reads as empty and refuses changes, so it is never turned into a mix
// of two encodings.
bool isUtf16(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xFE");
}

// The name as stored bytes, without the spaces around it (Windows drops those, and only those).
// Nothing when the code page cannot hold it: such a name is in no file, and writing it with '?'
// would store a different name.
std::optional<QByteArray> storedName(const QString &name)
{
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && name.at(end - 1) == QLatin1Char(' '))
        --end;
    QByteArray bytes;
    bytes.reserve(end - begin);
    for (qsizetype i = begin; i < end; ++i) {
        const int byte = Windows1252::encodeChar(name.at(i));
        if (byte < 0)
            return std::nullopt;
        bytes.append(char(byte));
    }
    return bytes;
}

// A value ends at its first line break, so it can never add lines to the file.
QByteArray storedValue(const QString &value)
{
    qsizetype end = 0;
    while (end < value.size() && value.at(end) != QLatin1Char('\r') && value.at(end) != QLatin1Char('\n'))
        ++end;
    return Windows1252::encode(value.first(end));
}

// Windows hands the default back through the same buffer as a value, without its trailing spaces
// (only those: tabs and leading spaces stay).
QString defaultAsRead(const QString &defaultValue)
{
    qsizetype end = std::min(defaultValue.size(), longestValue);
    while (end > 0 && defaultValue.at(end - 1) == QLatin1Char(' '))
        --end;
    return defaultValue.first(end);
}

} // namespace

ProfileFile::ProfileFile(const QString &fileName)
    : fileName_(fileName)
{
}

QString ProfileFile::FileName() const
{
    return fileName_;
}

QString ProfileFile::localPath() const
{
    return LocalPath::forWriting(fileName_);
}

// Nothing when there is no file to read, it cannot be read or it is not single-byte text.
std::optional<ProfileText> ProfileFile::readText(const QString &localPath) const
{
    // Only a regular file is opened: a pipe of that name would block the program.
    if (!QFileInfo(localPath).isFile())
        return std::nullopt;
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || isUtf16(bytes))
        return std::nullopt;
    return ProfileText(std::move(bytes));
}

void ProfileFile::store(const QString &localPath, const std::optional<QByteArray> &edited) const
{
    if (edited && !AtomicFile::replace(localPath, *edited))
        throw ProfileWriteError(fileName_);
}

QString ProfileFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const std::optional<QByteArray> sectionName = storedName(section);
    const std::optional<QByteArray> keyName = storedName(key);
    if (!sectionName || !keyName)
        return defaultAsRead(defaultValue);
    const std::optional<ProfileText> text = readText(localPath());
    const std::optional<QByteArrayView> value = text ? text->value(*sectionName, *keyName) : std::nullopt;
    if (!value)
        return defaultAsRead(defaultValue);
    return Windows1252::decode(value->data(), std::min(value->size(), longestValue));
}

void ProfileFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const std::optional<QByteArray> sectionName = storedName(section);
    const std::optional<QByteArray> keyName = storedName(key);
    if (!sectionName || !keyName || !ProfileText::canHoldSectionName(*sectionName)
        || !ProfileText::canHoldKeyName(*keyName))
        throw ProfileWriteError(fileName_);
    const QString path = localPath();
    std::optional<ProfileText> text = readText(path);
    if (!text) {
        // Something is there that cannot be read as a profile; replacing it would lose it.
        if (QFileInfo::exists(path))
            throw ProfileWriteError(fileName_);
        text.emplace(QByteArray());
    }
    store(path, text->withValue(*sectionName, *keyName, storedValue(value)));
}

void ProfileFile::DeleteKey(const QString &section, const QString &key)
{
    const std::optional<QByteArray> sectionName = storedName(section);
    const std::optional<QByteArray> keyName = storedName(key);
    if (!sectionName || !keyName)
        return;
    const QString path = localPath();
    const std::optional<ProfileText> text = readText(path);
    if (!text)
        return;
    if (const std::optional<QByteArray> edited = text->withoutKey(*sectionName, *keyName))
        AtomicFile::replace(path, *edited);
}

void ProfileFile::EraseSection(const QString &section)
{
    const std::optional<QByteArray> sectionName = storedName(section);
    if (!sectionName)
        return;
    const QString path = localPath();
    if (const std::optional<ProfileText> text = readText(path))
        store(path, text->withoutSection(*sectionName));
}

bool ProfileFile::SectionExists(const QString &section) const
{
    const std::optional<QByteArray> sectionName = storedName(section);
    if (!sectionName)
        return false;
    const std::optional<ProfileText> text = readText(localPath());
    return text && text->hasKeys(*sectionName);
}

bool ProfileFile::CanWrite() const
{
    return AtomicFile::canReplace(localPath());
}
