#pragma once

#include "catalogue/CatalogueKeys.h"
#include "description/DescriptionLanguage.h"
#include "pad/PadDocument.h"

#include <QList>
#include <QPair>
#include <QString>

#include <vector>

class CatalogueItem;

// What importing a program description file puts where in an item, shown to the user line by line
// before anything is written: each line can be changed or left out.
struct PadImportLine {
    enum class Target { Title, ShortText, WebPage, Folder, Setup, Categories, Description, Screenshot, Icon };
    Target target;
    DescriptionLanguage language = DescriptionLanguage::Dansk; // of a description
    QString value;
    bool taken = true;
    QString note; // where the value comes from, and what the user should know of it
};

struct PadImportPlan {
    std::vector<PadImportLine> lines;
    // Kept for the producer to read; the catalogue has no place for them.
    QString distributionPermissions;
    QString eula;

    // What the taken lines store in the catalogue, in writing order: texts as they stand, each
    // category named on the categories line as a set flag.
    QList<QPair<QString, QString>> catalogueValues() const;
    // The folder the item's files go in: the taken folder line's, or the item's own.
    QString folder(const QString &itemFolder) const;
};

namespace PadImport {

// Text taken over in English until someone translates it; the mark is stored, so it shows in the
// window, the search and the proof sheet until it is taken away.
inline const QString translationMark = QStringLiteral("[Oversæt] ");

// itemFolder is the stored folder of the item the import fills, empty for none; the edition's
// language chooses the short text's.
PadImportPlan plan(const PadDocument &document, const QString &itemFolder, DescriptionLanguage edition);

// An item the import fills rather than making a new one: nothing of what the import writes is in
// it yet (no title, short text, web page or category); a folder of its own is used.
bool fillsItem(const CatalogueItem &item);

// The line's caption in the dialog.
QString caption(const PadImportLine &line);

} // namespace PadImport
