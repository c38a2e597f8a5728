#pragma once

#include "description/DescriptionFile.h"
#include "description/DescriptionLanguage.h"
#include "description/DescriptionLoading.h"
#include "files/FileStamp.h"

#include <QString>

#include <functional>
#include <optional>

class QTextDocument;

// The description file an editor shows: the folder it was read from, the version of the file
// read, and whether it may be written. Only what the user changed is written: an untouched
// description is never rewritten, no file appears for an item or language nobody wrote in, and a
// file that could not be read is never replaced.
class DescriptionSession {
public:
    // The editor the description is shown and typed in.
    class Editor {
    public:
        virtual QTextDocument &descriptionDocument() = 0;
        // Lets `fill` replace the whole document.
        virtual DescriptionFile::Reading
        fillDescription(const std::function<DescriptionFile::Reading(QTextDocument &)> &fill) = 0;
        // Empties the editor for a description not yet written.
        virtual void clearDescription() = 0;

    protected:
        ~Editor() = default;
    };

    // Linked: the file is a link to a file of the catalogue, shown but never written through.
    // Outside: the file or its folder lies outside the catalogue's tree; it is neither shown nor written.
    enum class Access { Editable, Unreadable, Unwritable, Linked, Outside };

    // Where a text typed over a file changed on disk since it was shown goes: the stored path
    // (written over), another stored path, or nowhere (the disk's text stays).
    using TargetChoice = std::function<std::optional<QString>(const QString &storedPath)>;

    // `changed` runs when the editor shows another file, or the same from another folder.
    DescriptionSession(Editor &editor, TargetChoice askForTarget, std::function<void()> changed);

    // Shows folder\loadedName (nothing for an empty name: the item has no description yet), to
    // be written back as folder\writtenName. False when the editor already holds exactly that
    // file, untouched since it was read, and nothing was done. A long file is shown from its
    // start and read on from the event loop (DescriptionLoading).
    bool load(const QString &folder, const QString &loadedName, const QString &writtenName);
    // Reads the rest of the file shown now: the user is about to act on the description.
    void finishLoading() { loading_.finish(); }

    // Writes what was typed back to the folder it was read from, unless its file changed on disk
    // since it was shown and the user has it kept elsewhere. Nothing when nothing was typed.
    // Throws DescriptionSaveError when it cannot be written; the text then stays in the editor.
    void save(const QString &fileName, DescriptionLanguage language);

    // Puts the shown file in the trash and shows the item without it. Throws when the trash
    // cannot take the file; nothing is deleted then.
    void trash(const QString &fileName, const QString &keepOutOf);

    // The folder was renamed with the description in it.
    void followRename(const QString &oldName, const QString &newName);

    // Where a text meant for storedPath is written: there, unless the file changed on disk since
    // its text was shown and could be written over; then where the user chooses.
    std::optional<QString> target(const QString &storedPath, bool changedOnDisk) const;
    bool changedOnDisk(const QString &storedPath) const;

    // The folder the description belongs to; empty when the item had no folder to keep one in.
    const QString &folder() const { return folder_; }
    // The stored path of the description shown; empty without a folder.
    QString shownPath(const QString &fileName) const;
    const FileStamp &shownFile() const { return shown_; }
    Access access() const { return access_; }
    // Nothing can be typed where it could not be kept.
    bool isEditable() const { return access_ == Access::Editable && !folder_.isEmpty(); }

private:
    DescriptionFile::Reading startLoading(const QString &storedPath, QTextDocument &document);

    Editor &editor_;
    TargetChoice askForTarget_;
    std::function<void()> changed_;
    QString folder_;
    FileStamp shown_;
    Access access_ = Access::Editable;
    DescriptionLoading loading_;
};
