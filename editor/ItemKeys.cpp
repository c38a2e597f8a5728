#include "editor/ItemKeys.h"

#include "app/EditMQV.h"

#include <QAction>
#include <QKeyEvent>
#include <QShortcut>

ItemKeys::ItemKeys(TMQVEdit &window)
    : QObject(&window)
    , window_(window)
{
    window.ToolButton8->setToolTip(QStringLiteral("Forrige punkt (Alt+Venstre eller Page Up)"));
    window.ToolButton10->setToolTip(QStringLiteral("N\u00E6ste punkt (Alt+H\u00F8jre eller Page Down)"));
    auto *previous = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), &window);
    auto *next = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), &window);
    connect(previous, &QShortcut::activated, window.ToolButton8, &QAction::trigger);
    connect(next, &QShortcut::activated, window.ToolButton10, &QAction::trigger);
    // A key the focused control ignores travels up to the window, and reaches this filter there.
    window.installEventFilter(this);
}

bool ItemKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &window_ || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (key->key() == Qt::Key_PageUp)
        window_.ToolButton8->trigger();
    else if (key->key() == Qt::Key_PageDown)
        window_.ToolButton10->trigger();
    else
        return false;
    return true;
}
