#include "app/ScrollingClientArea.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QScrollBar>

namespace {

// As far as the designed window leaves between its right-most control and its right edge, and
// between the description and the status bar.
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
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ScrollingClientArea::placeBars);
}

void ScrollingClientArea::dock(QWidget *topBar, QWidget *bottomBar)
{
    topBar_ = topBar;
    bottomBar_ = bottomBar;
}

void ScrollingClientArea::fitContent(const QList<const QWidget *> &laidOutByResizing)
{
    QRect reach;
    for (const QObject *child : widget()->children()) {
        const auto *control = qobject_cast<const QWidget *>(child);
        if (control && !control->isHidden() && control != topBar_ && control != bottomBar_ &&
            !laidOutByResizing.contains(control))
            reach |= control->geometry();
    }
    QSize needed = size();
    if (reach.isValid()) {
        const int bottomBarHeight = bottomBar_ ? bottomBar_->height() : 0;
        needed = needed.expandedTo(
            QSize(reach.right() + 1 + rightMargin, reach.bottom() + 1 + gapAboveBottomBar + bottomBarHeight));
    }
    widget()->resize(needed);
    placeBars();
}

bool ScrollingClientArea::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Resize)
        placeBars();
    return QScrollArea::viewportEvent(event);
}

void ScrollingClientArea::keyPressEvent(QKeyEvent *event) { event->ignore(); }

// Over the controls scrolled beneath them, as docked bars are. They scroll sideways with the
// controls, as wide as these reach, so that no button or status panel is cut off either.
void ScrollingClientArea::placeBars()
{
    const int width = widget()->width();
    const int top = verticalScrollBar()->value();
    if (topBar_) {
        topBar_->setGeometry(0, top, width, topBar_->height());
        topBar_->raise();
    }
    if (bottomBar_) {
        bottomBar_->setGeometry(0, top + viewport()->height() - bottomBar_->height(), width, bottomBar_->height());
        bottomBar_->raise();
    }
}
