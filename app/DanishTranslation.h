#pragma once

class QCoreApplication;

// The window is Danish, so the dialogs that Qt builds (message box buttons, the file dialog)
// speak Danish too. Without Qt's Danish translation installed they stay in English; nothing else
// changes.
namespace DanishTranslation {

bool install(QCoreApplication &application);

} // namespace DanishTranslation
