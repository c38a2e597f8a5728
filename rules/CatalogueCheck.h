#pragma once

#include "rules/ItemInspection.h"
#include "rules/ItemReport.h"

#include <QList>
#include <QMap>
#include <QString>

#include <memory>

struct CatalogueReport {
    QString catalogueFile; // where it was read, as an absolute local path
    QString shownFile; // as the person running the check knows it
    QString error; // why it could not be read; empty when it was
    bool fixedCatalogue = false;
    int highestItemNumber = 1; // as the editor finds it at start-up
    QList<int> freeNumbers; // below the highest
    QList<ItemReport> items; // the existing items in number order
    QList<Problem> problems; // those of the catalogue as a whole
    QList<DescriptionLanguage> languages; // whose descriptions were checked
    QStringList sectionsNotItems; // "Z71", "Z05": read by no part of the editor
    QStringList duplicateSections; // a later section of a name already met

    bool readable() const { return error.isEmpty(); }
    int problemCount() const;
    // How often each kind of problem occurs, in the order of the kinds.
    QMap<Problem::Kind, int> problemCounts() const;
    int warningCount() const;
    QMap<Problem::Kind, int> warningCounts() const;
};

// Checks every item of the catalogue by the editor's rules. Runs in the current folder, which
// must be the catalogue's, as the editor does; reads and never writes.
namespace CatalogueCheck {

// fileName as the editor names a catalogue (".\Z.MQV"), matched without regard to letter case.
CatalogueReport run(const QString &fileName, const ItemInspection::Options &options);

// What an earlier check found, for a check after a change: an item whose section reads as it did
// then and that is not named as changed keeps what was found in its files.
struct EarlierCheck {
    std::shared_ptr<const CatalogueReport> report;
    QList<int> changedItems; // whose files may have changed since
};

// The two halves of run. Reading may go on beside the window, as it touches no fonts; the
// conclusion measures the titles, on the thread that owns the fonts, and adds each item's
// problems.
CatalogueReport read(const QString &fileName, const ItemInspection::Options &options, const EarlierCheck &earlier = {});
void conclude(CatalogueReport &report);

} // namespace CatalogueCheck
