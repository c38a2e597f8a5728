#include "rules/CatalogueCheck.h"

#include "files/CatalogueLockFile.h"

#include "catalogue/Catalogue.h"
#include "catalogue/FixedItemImport.h"
#include "catalogue/ProfileSnapshot.h"
#include "display/TitleWidth.h"
#include "files/LocalPath.h"
#include "rules/LayoutFindings.h"
#include "spelling/SpellingDictionaries.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <functional>

namespace {

// Two spellings of one folder ("Programmer\Skak", "programmer\SKAK\") are the same folder.
QString folderIdentity(const ItemReport &item)
{
    if (item.folder.isEmpty())
        return QString();
    if (item.folderState == FolderState::Present) {
        const QString canonical =
            QFileInfo(LocalPath::resolve(item.folder, LocalPath::Kind::Folder)).canonicalFilePath();
        if (!canonical.isEmpty())
            return canonical;
    }
    QString stored = item.folder.toCaseFolded();
    stored.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (stored.endsWith(QLatin1Char('\\')))
        stored.chop(1);
    return QStringLiteral("?") + stored;
}

void findSharedFolders(QList<ItemReport> &items)
{
    QHash<QString, QList<int>> holders;
    for (const ItemReport &item : items) {
        if (const QString identity = folderIdentity(item); !identity.isEmpty())
            holders[identity].append(item.number);
    }
    for (ItemReport &item : items) {
        const QList<int> numbers = holders.value(folderIdentity(item));
        for (int number : numbers) {
            if (number != item.number)
                item.sharesFolderWith.append(number);
        }
    }
}

// The keys in which the catalogue's item differs from what importing the fixed items would
// make of it, compared as the editor reads them.
QStringList differencesFromImport(const ProfileSnapshot &catalogue, int number,
                                  const QList<QPair<QString, QString>> &imported)
{
    QHash<QString, QString> expected;
    for (const QPair<QString, QString> &value : imported)
        expected.insert(value.first, value.second);
    const QString section = Catalogue::SectionName(number);
    QStringList differences;
    for (FlagKey flag : CatalogueKeys::flagKeys) {
        const QString key = CatalogueKeys::name(flag);
        if (Catalogue::isFlagSet(catalogue.ReadString(section, key, Catalogue::missingFlagValue())) !=
            expected.contains(key))
            differences.append(key);
    }
    for (TextKey text : CatalogueKeys::importTextKeys) {
        const QString key = CatalogueKeys::name(text);
        if (catalogue.ReadString(section, key, QString()) != expected.value(key))
            differences.append(key);
    }
    return differences;
}

void compareWithFixedItems(const ProfileSnapshot &catalogue, CatalogueReport &report)
{
    const std::optional<QString> fixedPath = LocalPath::findFile(Catalogue::fixedFileName());
    const std::optional<ProfileSnapshot> fixed = fixedPath ? ProfileSnapshot::read(*fixedPath) : std::nullopt;
    report.fixedCatalogue = fixed.has_value();
    if (!fixed)
        return;
    for (int n = FixedItemImport::FirstFixedItem; n <= FixedItemImport::LastFixedItem; ++n) {
        const std::optional<QList<QPair<QString, QString>>> imported = FixedItemImport::importedValues(*fixed, n);
        if (!imported)
            continue;
        auto item = std::find_if(report.items.begin(), report.items.end(),
                                 [n](const ItemReport &i) { return i.number == n; });
        if (item != report.items.end())
            item->differsFromFixed = differencesFromImport(catalogue, n, *imported);
        else if (!imported->isEmpty())
            report.problems.append({Problem::Kind::FixedItemMissing, {QString::number(n)}});
    }
}

} // namespace

int CatalogueReport::problemCount() const
{
    int count = int(problems.size());
    for (const ItemReport &item : items)
        count += int(item.problems.size());
    return count;
}

QMap<Problem::Kind, int> CatalogueReport::problemCounts() const
{
    QMap<Problem::Kind, int> counts;
    for (const Problem &problem : problems)
        ++counts[problem.kind];
    for (const ItemReport &item : items) {
        for (const Problem &problem : item.problems)
            ++counts[problem.kind];
    }
    return counts;
}

int CatalogueReport::warningCount() const
{
    int count = 0;
    for (const ItemReport &item : items)
        count += int(item.warnings.size());
    return count;
}

QMap<Problem::Kind, int> CatalogueReport::warningCounts() const
{
    QMap<Problem::Kind, int> counts;
    for (const ItemReport &item : items) {
        for (const Problem &warning : item.warnings)
            ++counts[warning.kind];
    }
    return counts;
}

namespace CatalogueCheck {

CatalogueReport run(const QString &fileName, const ItemInspection::Options &options)
{
    CatalogueReport report = read(fileName, options);
    conclude(report);
    return report;
}

CatalogueReport read(const QString &fileName, const ItemInspection::Options &options, const EarlierCheck &earlier)
{
    CatalogueReport report;
    const std::optional<QString> localPath = LocalPath::findFile(fileName);
    report.catalogueFile = QDir::cleanPath(
        QDir::current().absoluteFilePath(localPath.value_or(LocalPath::resolve(fileName))));
    if (!localPath) {
        report.error = QStringLiteral("Kataloget %1 findes ikke").arg(QDir::toNativeSeparators(report.catalogueFile));
        return report;
    }
    const std::optional<ProfileSnapshot> catalogue = ProfileSnapshot::read(*localPath);
    if (!catalogue) {
        report.error =
            QStringLiteral("Kataloget %1 kan ikke læses").arg(QDir::toNativeSeparators(report.catalogueFile));
        return report;
    }

    QList<int> numbers;
    for (int n = Catalogue::FirstItemNumber; n <= Catalogue::LastItemNumber; ++n) {
        if (catalogue->SectionExists(Catalogue::SectionName(n)))
            numbers.append(n);
    }
    report.highestItemNumber = Catalogue::highestItemNumber(*catalogue);
    for (int n = Catalogue::FirstItemNumber; n < report.highestItemNumber; ++n) {
        if (!numbers.contains(n))
            report.freeNumbers.append(n);
    }
    if (!report.freeNumbers.isEmpty())
        report.problems.append({Problem::Kind::FreeNumbers,
                                {QString::number(report.highestItemNumber), Problem::numberList(report.freeNumbers)}});
    const QString lockFile = CatalogueLockFile::pathFor(*localPath);
    if (const std::optional<CatalogueLockFile::Holder> holder = CatalogueLockFile::read(lockFile))
        report.problems.append({Problem::Kind::LockFileLeft, {QFileInfo(lockFile).fileName(), holder->description()}});

    ItemInspection::Options itemOptions = options;
    if (itemOptions.languages.isEmpty()) {
        const QString setting = catalogue->ReadString(Catalogue::generalSection(), Catalogue::languageKey(), QString());
        itemOptions.languages = {DescriptionLanguages::fromSetting(setting)};
    }
    report.languages = itemOptions.languages;

    // A dictionary takes long to open, and an item waits for its languages' ones: all of them are
    // opened at once, beside the reading of the first items.
    QThreadPool opening;
    opening.setMaxThreadCount(int(itemOptions.languages.size()));
    if (itemOptions.dictionaries) {
        for (DescriptionLanguage language : itemOptions.languages)
            opening.start([dictionaries = itemOptions.dictionaries, language] {
                dictionaries->of(DescriptionLanguages::info(language).setting);
            });
    }

    // The items' files are independent of each other: every core reads and decodes its share.
    const std::function<ItemReport(int)> inspect = [&](int number) {
        if (earlier.report && !earlier.changedItems.contains(number)) {
            for (const ItemReport &found : earlier.report->items) {
                if (found.number == number && found.sectionRead == ItemInspection::sectionText(*catalogue, number))
                    return ItemInspection::keptFrom(found);
            }
        }
        return ItemInspection::inspect(*catalogue, number, itemOptions);
    };
    report.items = QtConcurrent::blockingMapped<QList<ItemReport>>(numbers, inspect);

    findSharedFolders(report.items);
    compareWithFixedItems(*catalogue, report);
    LayoutFindings::add(catalogue->text(), report);
    return report;
}

void conclude(CatalogueReport &report)
{
    for (ItemReport &item : report.items) {
        item.titleWidth = TitleWidth::width(item.title);
        ItemInspection::addProblems(item);
    }
}

} // namespace CatalogueCheck
