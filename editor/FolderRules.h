#pragma once

#include <QString>

#include <optional>

class EditorContext;

// Which folder an item may take and give up. An item's folder holds its files and descriptions,
// so a folder another item keeps its files in is never taken from the field, nor renamed away
// from that item, and a folder outside the catalogue's tree is never the item's.
class FolderRules {
public:
    explicit FolderRules(EditorContext &context);

    // The text names a folder that is there.
    static bool namesFolder(const QString &text);
    // The other item whose files are in this folder.
    std::optional<int> otherItemInFolder(const QString &folder) const;
    bool folderUsable(const QString &folder) const;
    // Tells the user why the folder keeps its name.
    void refuseSharedFolderRename(const QString &folder, int sharer);

private:
    bool holdsAnotherItem(const QString &folder) const;

    EditorContext &context_;
};
