#pragma once

#include "rules/Problem.h"

#include <QList>
#include <QString>

struct CatalogueReport;

// A catalogue's problems and warnings one by one, as a list shows them: those of the catalogue
// as a whole first, then each item's in number order, its problems before its warnings.
struct ListedProblem {
    int item = 0; // 0 for the catalogue as a whole
    QString title; // the item's, as stored
    Problem problem;

    // Names the same problem in a later check, for setting it aside: its item, code and text.
    QString key() const;
};

namespace ProblemListing {

QList<ListedProblem> of(const CatalogueReport &report);

} // namespace ProblemListing
