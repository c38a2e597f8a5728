#pragma once

#include "catalogue/ProfileReader.h"
#include "files/FileStamp.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class ProfileSnapshot;

// One profile (INI) file, named the way the program names it (".\Z.MQV"): relative names start in
// the current folder of the moment and the file's name on disk may differ in letter case. Every
// read sees the file as it is now, including changes made by other programs: the parsed file is
// kept between calls only while its stamp (identity, size and times) shows it unchanged, which is
// checked at every call, as start-up alone reads the same file hundreds of times. Every change is
// on disk when the call returns, made from the file as it is at that moment while other writers
// wait (FolderWriteLock), so two editors writing different keys never lose one of them. The file holds Windows-1252
// text and keeps the layout Windows gives it, so it can go back and forth to Windows machines.
//
// Section and key names are matched without regard to letter case and without the spaces around
// the names given here. Writes that cannot reach the disk throw ProfileWriteError and leave the
// file as it was.
class ProfileFile : public ProfileReader {
public:
    explicit ProfileFile(const QString &fileName);

    // The stored value (at most 2047 characters, outer blanks and one pair of quotes removed), or
    // the default, cut the same way and without its trailing spaces, when the file, the section or
    // the key is missing. A key that ends at its '=' gives the empty text, not the default.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const override;
    // Creates the file, the section or the key as needed. The value ends at its first line break.
    // Writing the value a key already holds leaves the file untouched and succeeds, even when the
    // file is read-only. A name that would read back as something else is refused with the error.
    void WriteString(const QString &section, const QString &key, const QString &value);
    // Removes the key's line; a missing key, section or file is no error and so is a failure.
    void DeleteKey(const QString &section, const QString &key);
    // Removes the section's header and key lines; a missing section or file changes nothing.
    void EraseSection(const QString &section);
    // True when the section holds at least one key, even with an empty value.
    bool SectionExists(const QString &section) const override;
    // False when changes cannot reach the file now because it or its folder is read-only, as on a
    // burned disc or a write-protected stick; asked afresh every time, like every read.
    bool CanWrite() const;
    // The file as it is now, read once to answer many reads of this one moment (every read of
    // the live file checks the file again, and reads it again within seconds of a change).
    // Nothing when there is no file that can be read.
    std::shared_ptr<const ProfileSnapshot> Snapshot() const;
    QString FileName() const;

    // What this object wrote last and the stamp the file got from it; invalid before any write.
    // A file whose stamp is another has since been changed by someone else.
    struct Write {
        FileStamp stamp;
        QByteArray bytes;
    };
    const Write &LastWrite() const;

private:
    QString localPath() const;
    std::shared_ptr<const ProfileSnapshot> current() const;
    std::shared_ptr<const ProfileSnapshot> snapshot(const QString &localPath) const;
    void store(const QString &localPath, const std::optional<QByteArray> &edited) const;
    bool replace(const QString &localPath, const QByteArray &bytes) const;

    QString fileName_;
    QString pathAsWritten_;
    mutable FileStamp cachedStamp_;
    mutable std::shared_ptr<const ProfileSnapshot> cached_;
    mutable Write lastWrite_;
};
