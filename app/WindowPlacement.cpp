#include "app/WindowPlacement.h"

#include "app/UserSettings.h"

#include <QEvent>
#include <QSettings>
#include <QWidget>

namespace {

const QString key = QStringLiteral("Vindue/Geometri");

} // namespace

WindowPlacement::WindowPlacement(QWidget &window)
    : QObject(&window)
    , window_(window)
{
    const QByteArray stored = QSettings(UserSettings::file(), QSettings::IniFormat).value(key).toByteArray();
    if (!stored.isEmpty())
        window.restoreGeometry(stored);
    window.installEventFilter(this);
}

bool WindowPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &window_ && event->type() == QEvent::Hide && !window_.isMinimized())
        QSettings(UserSettings::file(), QSettings::IniFormat).setValue(key, window_.saveGeometry());
    return QObject::eventFilter(watched, event);
}
