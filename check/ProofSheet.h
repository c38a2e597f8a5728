#pragma once

#include <QByteArray>

struct CatalogueReport;

// The proof sheet: one self-contained HTML page (pictures embedded, no fetches) with a summary
// and a card per item, made to be looked at in any browser and printed a few items to a page.
namespace ProofSheet {

QByteArray write(const CatalogueReport &report);

} // namespace ProofSheet
