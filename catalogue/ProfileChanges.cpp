#include "catalogue/ProfileChanges.h"

#include <algorithm>

namespace {

// Values are compared and put back as stored, quotes and all, so that a key taken back reads
// and stands in the file as it did.
std::optional<QByteArray> valueOf(const ProfileText &text, QByteArrayView section, QByteArrayView key)
{
    if (const std::optional<QByteArrayView> value = text.storedValue(section, key))
        return value->toByteArray();
    return std::nullopt;
}

template <typename Names>
void addOnce(QList<QByteArray> &into, const Names &names)
{
    for (const QByteArray &name : names) {
        if (std::none_of(into.begin(), into.end(),
                         [&](const QByteArray &had) { return ProfileText::sameName(had, name); }))
            into.append(name);
    }
}

QList<QByteArray> sectionNames(const ProfileText &text)
{
    QList<QByteArray> names;
    for (const ProfileText::SectionLines &section : text.sections())
        names.append(section.name);
    return names;
}

} // namespace

namespace ProfileChanges {

std::vector<KeyChange> between(const ProfileText &before, const ProfileText &after)
{
    QList<QByteArray> sections = sectionNames(after);
    addOnce(sections, sectionNames(before));
    std::vector<KeyChange> changes;
    for (const QByteArray &section : sections) {
        QList<QByteArray> keys = after.keyNames(section);
        addOnce(keys, before.keyNames(section));
        for (const QByteArray &key : keys) {
            KeyChange change{section, key, valueOf(before, section, key), valueOf(after, section, key)};
            if (change.before != change.after)
                changes.push_back(std::move(change));
        }
    }
    return changes;
}

std::vector<KeyChange> inSection(const std::vector<KeyChange> &changes, QByteArrayView section)
{
    std::vector<KeyChange> found;
    std::copy_if(changes.begin(), changes.end(), std::back_inserter(found),
                 [&](const KeyChange &change) { return ProfileText::sameName(change.section, section); });
    return found;
}

std::optional<KeyChange> firstConflict(const std::vector<KeyChange> &changes, const ProfileText &now, bool backward)
{
    for (const KeyChange &change : changes) {
        if (valueOf(now, change.section, change.key) != (backward ? change.after : change.before))
            return change;
    }
    return std::nullopt;
}

std::optional<QByteArray> applied(const std::vector<KeyChange> &changes, const ProfileText &now, bool backward)
{
    QByteArray bytes;
    bool changed = false;
    const auto text = [&] { return changed ? ProfileText(bytes) : now; };
    const auto take = [&](const std::optional<QByteArray> &edited) {
        if (edited) {
            bytes = *edited;
            changed = true;
        }
    };
    for (const KeyChange &change : changes) {
        const std::optional<QByteArray> &target = backward ? change.before : change.after;
        take(target ? text().withValue(change.section, change.key, *target)
                    : text().withoutKey(change.section, change.key));
    }
    // A section that the chosen side did not have is not left behind as an empty header.
    for (const KeyChange &change : changes) {
        const bool sideHasKeys = std::any_of(changes.begin(), changes.end(), [&](const KeyChange &other) {
            return ProfileText::sameName(other.section, change.section) && (backward ? other.before : other.after);
        });
        if (!sideHasKeys && !text().hasKeys(change.section))
            take(text().withoutSection(change.section));
    }
    if (!changed)
        return std::nullopt;
    return bytes;
}

} // namespace ProfileChanges
