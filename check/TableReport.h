#pragma once

#include <QByteArray>

struct CatalogueReport;

// The check's findings as a table to read on a terminal: one line per item, its problems under
// it, the counts at the end. Colours are terminal escape codes, for a terminal only.
namespace TableReport {

QByteArray write(const CatalogueReport &report, bool coloured);

} // namespace TableReport
