#pragma once

#include "catalogue/ProfileReader.h"
#include "catalogue/ProfileText.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

// A profile file read once and answered from memory with exactly the live file's reading rules.
// The editor checks the file at every call because it may change under it; a reader that asks
// hundreds of questions of one moment's state (a whole-catalogue check) reads it once instead.
class ProfileSnapshot : public ProfileReader {
public:
    // Nothing when there is no regular file at localPath, it cannot be read, or it holds UTF-16
    // text, which this program neither makes nor understands.
    static std::optional<ProfileSnapshot> read(const QString &localPath);

    // The stored value, or the default as Windows gives it back, exactly as the live file reads.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const override;
    // The stored value as ReadString gives it; nothing when the key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    bool SectionExists(const QString &section) const override;
    // The section's key names as stored, in file order.
    QStringList keyNames(const QString &section) const;

    const ProfileText &text() const { return text_; }

    // Windows hands the default back through the same buffer as a value, cut the same way and
    // without its trailing spaces (only those: tabs and leading spaces stay).
    static QString defaultAsRead(const QString &defaultValue);

    // The name as stored bytes, without the spaces around it (Windows drops those, and only
    // those). Nothing when the code page cannot hold it: such a name is in no file, and writing
    // it with '?' would store a different name.
    static std::optional<QByteArray> storedName(const QString &name);

private:
    explicit ProfileSnapshot(QByteArray bytes);

    ProfileText text_;
};
