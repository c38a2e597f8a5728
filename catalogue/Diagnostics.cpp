#include "catalogue/Diagnostics.h"

Q_LOGGING_CATEGORY(zcdDiagnostics, "zcd.diagnostics", QtWarningMsg)
