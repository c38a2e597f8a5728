#pragma once

#include "catalogue/ProfileText.h"

#include <QByteArray>

#include <optional>
#include <vector>

// What changed between two versions of a profile file, key by key: the level at which the editor
// writes, so that a change can be taken back, or followed, without touching what else changed in
// the file meanwhile (a colleague's keys, another program's sections).
struct KeyChange {
    QByteArray section; // as stored in the newer version, or the older where the newer has none
    QByteArray key;
    std::optional<QByteArray> before; // nothing when the key was not there
    std::optional<QByteArray> after;
};

namespace ProfileChanges {

// Every key whose value (as stored) differs, or that is there in only one of the two, in file order
// of the sections and keys.
std::vector<KeyChange> between(const ProfileText &before, const ProfileText &after);
// Only those of one section.
std::vector<KeyChange> inSection(const std::vector<KeyChange> &changes, QByteArrayView section);

// The first change whose key no longer holds the value it is to be changed from: forward from
// before to after, backward from after to before. Nothing when every key still holds it.
std::optional<KeyChange> firstConflict(const std::vector<KeyChange> &changes, const ProfileText &now, bool backward);

// The file with each key set to its value on the chosen side (removed where that side has none),
// every other byte kept; a section left without keys goes, header and all, when that side had
// none. Nothing when the file already reads so.
std::optional<QByteArray> applied(const std::vector<KeyChange> &changes, const ProfileText &now, bool backward);

} // namespace ProfileChanges
