#include "app/DescriptionLoadGuard.h"

#include <QEvent>
#include <QScrollBar>
#include <QTextEdit>

DescriptionLoadGuard::DescriptionLoadGuard(QTextEdit &editor, std::function<void()> finishLoading)
    : QObject(&editor)
    , finishLoading_(std::move(finishLoading))
{
    editor.installEventFilter(this);
    editor.viewport()->installEventFilter(this);
    QScrollBar *scrollBar = editor.verticalScrollBar();
    // The user's scrolling only: the editor itself scrolls a new description to its start.
    connect(scrollBar, &QScrollBar::actionTriggered, this, [this, scrollBar] {
        if (scrollBar->sliderPosition() >= scrollBar->maximum())
            finishLoading_();
    });
}

bool DescriptionLoadGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::Drop: finishLoading_(); break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}
