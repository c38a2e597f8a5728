#include "app/UserSettings.h"

#include <QStandardPaths>

namespace UserSettings {

QString file()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/MQVEditor/MQVEditor.ini");
}

} // namespace UserSettings
