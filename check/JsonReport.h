#pragma once

#include <QByteArray>

struct CatalogueReport;

// The check's findings for scripts: one object per item. The README documents the fields.
namespace JsonReport {

QByteArray write(const CatalogueReport &report);

} // namespace JsonReport
