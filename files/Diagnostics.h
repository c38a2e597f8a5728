#pragma once

#include <QLoggingCategory>

// What the user is deliberately not troubled with (a picture or description passed over, a write
// that was skipped or failed without a message) is told here, for developers. Off by default:
// QT_LOGGING_RULES="zcd.diagnostics.info=true" shows it.
Q_DECLARE_LOGGING_CATEGORY(zcdDiagnostics)
