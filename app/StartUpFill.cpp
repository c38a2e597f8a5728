#include "app/StartUpFill.h"

#include <QTimer>
#include <QWidget>

#include <utility>

StartUpFill::StartUpFill(QWidget &window, Guard guard)
    : QObject(&window)
    , window_(window)
    , guard_(std::move(guard))
{
}

void StartUpFill::run(std::function<void()> fill)
{
    if (!deferring_) {
        fill();
        return;
    }
    // A window that is never shown is filled in the first turn of its event loop.
    if (waiting_.empty())
        QTimer::singleShot(0, this, &StartUpFill::finishWhenDrawn);
    waiting_.push_back(std::move(fill));
}

void StartUpFill::noteFirstFrame()
{
    if (firstFrameDrawn_)
        return;
    firstFrameDrawn_ = true;
    if (!waiting_.empty())
        QTimer::singleShot(0, this, &StartUpFill::finish);
}

void StartUpFill::finishWhenDrawn()
{
    if (!window_.isVisible() || firstFrameDrawn_)
        finish();
}

void StartUpFill::finish()
{
    if (deferring_)
        return;
    // A fill may run a handler, which finishes the fill first: each runs once.
    const std::vector<std::function<void()>> waiting = std::exchange(waiting_, {});
    for (const std::function<void()> &fill : waiting)
        guard_(fill);
}
