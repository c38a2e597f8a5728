#include "editor/ItemKeys.h"

#include "editor/EditorContext.h"

#include <QAction>
#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

ItemKeys::ItemKeys(EditorContext &context, QAction &previous, QAction &next)
    : QObject(&context.window())
    , window_(context.window())
    , previous_(previous)
    , next_(next)
{
    previous.setToolTip(QStringLiteral("Forrige punkt (Alt+Venstre eller Page Up)"));
    next.setToolTip(QStringLiteral("Næste punkt (Alt+Højre eller Page Down)"));
    auto *previousKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), &window_);
    auto *nextKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), &window_);
    connect(previousKey, &QShortcut::activated, &previous, &QAction::trigger);
    connect(nextKey, &QShortcut::activated, &next, &QAction::trigger);
    // A key the focused control ignores travels up to the window, and reaches this filter there.
    window_.installEventFilter(this);
}

bool ItemKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &window_ || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (key->key() == Qt::Key_PageUp)
        previous_.trigger();
    else if (key->key() == Qt::Key_PageDown)
        next_.trigger();
    else
        return false;
    return true;
}
