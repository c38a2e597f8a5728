#include "app/ScrollingClientArea.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QScrollBar>

namespace {

// As far as the designed window leaves between its right-most control and its right edge, and
// between the description and the status bar below.
constexpr int rightMargin = 8;
constexpr int gapAboveBottomBar = 3;

} // namespace

ScrollingClientArea::ScrollingClientArea(QWidget *content, QWidget *parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    // The scroll area is no stop of the tab order.
    setFocusPolicy(Qt::NoFocus);
    setWidget(content);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ScrollingClientArea::placeTopBar);
}

void ScrollingClientArea::dock(QWidget *topBar) { topBar_ = topBar; }

void ScrollingClientArea::fitContent(const QList<const QWidget *> &laidOutByResizing)
{
    QRect reach;
    for (const QObject *child : widget()->children()) {
        const auto *control = qobject_cast<const QWidget *>(child);
        if (control && !control->isHidden() && control != topBar_ && !laidOutByResizing.contains(control))
            reach |= control->geometry();
    }
    QSize needed = size();
    if (reach.isValid())
        needed = needed.expandedTo(QSize(reach.right() + 1 + rightMargin, reach.bottom() + 1 + gapAboveBottomBar));
    widget()->resize(needed);
    placeTopBar();
}

bool ScrollingClientArea::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Resize)
        placeTopBar();
    return QScrollArea::viewportEvent(event);
}

void ScrollingClientArea::keyPressEvent(QKeyEvent *event) { event->ignore(); }

// Over the controls scrolled beneath it, as a docked bar is. It scrolls sideways with the controls,
// as wide as these reach, so that no button is cut off either.
void ScrollingClientArea::placeTopBar()
{
    if (!topBar_)
        return;
    topBar_->setGeometry(0, verticalScrollBar()->value(), widget()->width(), topBar_->height());
    topBar_->raise();
}
