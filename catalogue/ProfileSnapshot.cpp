#include "catalogue/ProfileSnapshot.h"

#include "files/Windows1252.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// What Windows hands back through a buffer of 2048 bytes.
constexpr qsizetype longestValue = 2047;

bool isUtf16(const QByteArray &bytes) { return bytes.startsWith("\xFF\xFE"); }

} // namespace

ProfileSnapshot::ProfileSnapshot(QByteArray bytes)
    : text_(std::move(bytes))
{
}

std::optional<ProfileSnapshot> ProfileSnapshot::read(const QString &localPath)
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
    return ProfileSnapshot(std::move(bytes));
}

std::optional<QByteArray> ProfileSnapshot::storedName(const QString &name)
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

QString ProfileSnapshot::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const std::optional<QString> stored = value(section, key);
    return stored ? *stored : defaultAsRead(defaultValue);
}

QString ProfileSnapshot::defaultAsRead(const QString &defaultValue)
{
    qsizetype end = std::min(defaultValue.size(), longestValue);
    while (end > 0 && defaultValue.at(end - 1) == QLatin1Char(' '))
        --end;
    return defaultValue.first(end);
}

std::optional<QString> ProfileSnapshot::value(const QString &section, const QString &key) const
{
    const std::optional<QByteArray> sectionName = storedName(section);
    const std::optional<QByteArray> keyName = storedName(key);
    if (!sectionName || !keyName)
        return std::nullopt;
    const std::optional<QByteArrayView> stored = text_.value(*sectionName, *keyName);
    if (!stored)
        return std::nullopt;
    return Windows1252::decode(stored->data(), std::min(stored->size(), longestValue));
}

bool ProfileSnapshot::SectionExists(const QString &section) const
{
    const std::optional<QByteArray> sectionName = storedName(section);
    return sectionName && text_.hasKeys(*sectionName);
}

QStringList ProfileSnapshot::keyNames(const QString &section) const
{
    QStringList names;
    if (const std::optional<QByteArray> sectionName = storedName(section)) {
        for (const QByteArray &name : text_.keyNames(*sectionName))
            names.append(Windows1252::decode(name));
    }
    return names;
}
