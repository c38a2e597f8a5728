#include "app/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// What a desktop typically adds around a window before it has told us: a title bar and a border.
const QMargins typicalFrame(4, 32, 4, 4);

QMargins frameOf(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    const QMargins known(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                         frame.bottom() - inner.bottom());
    return known.isNull() ? typicalFrame : known;
}

} // namespace

namespace ScreenFit {

QRect place(QSize frameSize, const QRect &available)
{
    QRect bounds(QPoint(), frameSize.boundedTo(available.size()));
    bounds.moveCenter(available.center());
    bounds.moveTopLeft(QPoint(std::max(bounds.left(), available.left()), std::max(bounds.top(), available.top())));
    return bounds;
}

void fitToScreen(QWidget *window, QSize size)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->resize(size);
        return;
    }
    const QMargins frame = frameOf(window);
    const QRect bounds = place(size.grownBy(frame), screen->availableGeometry());
    const QRect inner = bounds.marginsRemoved(frame);
    window->resize(inner.size().expandedTo(window->minimumSize()));
    window->move(bounds.topLeft());
}

} // namespace ScreenFit
