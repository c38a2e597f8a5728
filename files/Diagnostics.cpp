#include "files/Diagnostics.h"

Q_LOGGING_CATEGORY(zcdDiagnostics, "zcd.diagnostics", QtWarningMsg)
