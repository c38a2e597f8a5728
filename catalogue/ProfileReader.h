#pragma once

#include <QString>

// What reading a profile needs, so rules that only read (the fixed-item import's source, a
// whole-catalogue check) work the same on the live file and on a snapshot of it.
class ProfileReader {
public:
    virtual ~ProfileReader() = default;

    // The stored value, or the default when the file, the section or the key is missing.
    virtual QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const = 0;
    // True when the section holds at least one key, even with an empty value.
    virtual bool SectionExists(const QString &section) const = 0;

protected:
    ProfileReader() = default;
    ProfileReader(const ProfileReader &) = default;
    ProfileReader &operator=(const ProfileReader &) = default;
};
