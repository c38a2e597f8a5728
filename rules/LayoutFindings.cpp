#include "rules/LayoutFindings.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueKeys.h"
#include "catalogue/ProfileSnapshot.h"
#include "catalogue/ProfileText.h"
#include "files/Windows1252.h"
#include "rules/CatalogueCheck.h"

#include <algorithm>

namespace {

bool containsName(const QList<QByteArray> &names, const QByteArray &name)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const QByteArray &seen) { return ProfileText::sameName(seen, name); });
}

// "Z" and digits: a name the user meant as an item.
bool looksLikeItem(const QByteArray &name)
{
    return name.size() > 1 && (name.front() == 'Z' || name.front() == 'z') &&
        std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> itemNumber(const QByteArray &name)
{
    for (int n = Catalogue::FirstItemNumber; n <= Catalogue::LastItemNumber; ++n) {
        if (ProfileText::sameName(name, Catalogue::SectionName(n).toLatin1()))
            return n;
    }
    return std::nullopt;
}

void addItemFindings(const ProfileText::SectionLines &section, ItemReport &item)
{
    QList<QByteArray> seen;
    QList<QByteArray> duplicates;
    for (const QByteArray &key : section.keys) {
        if (containsName(seen, key)) {
            if (!containsName(duplicates, key)) {
                duplicates.append(key);
                item.duplicateKeys.append(Windows1252::decode(key));
            }
            continue;
        }
        seen.append(key);
        const QString shown = Windows1252::decode(key);
        for (const QString &known : CatalogueKeys::moveOrder()) {
            const std::optional<QByteArray> stored = ProfileSnapshot::storedName(known);
            if (stored && key != *stored && ProfileText::sameName(key, *stored))
                item.keysInOtherCase.append({shown, known});
        }
    }
    for (const QByteArray &line : section.linesWithoutEquals)
        item.linesWithoutEquals.append(Windows1252::decode(line));
}

} // namespace

namespace LayoutFindings {

void add(const ProfileText &catalogue, CatalogueReport &report)
{
    QList<QByteArray> seen;
    QList<QByteArray> duplicates;
    for (const ProfileText::SectionLines &section : catalogue.sections()) {
        const QString shown = Windows1252::decode(section.name);
        if (containsName(seen, section.name)) {
            if (!containsName(duplicates, section.name)) {
                duplicates.append(section.name);
                report.duplicateSections.append(shown);
            }
            continue;
        }
        seen.append(section.name);
        const std::optional<int> number = itemNumber(section.name);
        if (!number) {
            if (looksLikeItem(section.name))
                report.sectionsNotItems.append(shown);
            continue;
        }
        auto item = std::find_if(report.items.begin(), report.items.end(),
                                 [&](const ItemReport &i) { return i.number == *number; });
        if (item != report.items.end())
            addItemFindings(section, *item);
    }
    for (const QString &name : report.sectionsNotItems)
        report.problems.append({Problem::Kind::SectionNotAnItem, {name}});
    for (const QString &name : report.duplicateSections)
        report.problems.append({Problem::Kind::DuplicateSection, {name}});
}

} // namespace LayoutFindings
