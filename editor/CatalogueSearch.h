#pragma once

#include "catalogue/ProfileReader.h"

#include <QList>
#include <QString>

#include <optional>

// Finds a text in every item of the catalogue: its title, its short text and its descriptions in
// all four languages. Reads and never writes, so the files stay as they are; a description that
// cannot be read is passed over.
namespace CatalogueSearch {

struct Hit {
    int number = 0;
    QString title;
    QString where; // "Titel", "Kort tekst" or the description's language ("Dansk", ...)
    QString excerpt; // the text around the first match, on one line
};

// The description being written and not yet saved, searched instead of its file: what the user
// sees is what is found.
struct ShownDescription {
    int number = 0;
    QString language; // "Dansk", ...
    QString text;
};

// Matched without regard to letter case; an empty or blank text finds nothing. In item order,
// within an item in the order above.
QList<Hit> find(const ProfileReader &catalogue, const QString &text,
                const std::optional<ShownDescription> &shown = std::nullopt);

} // namespace CatalogueSearch
