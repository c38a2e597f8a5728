#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QWidget;

// Start-up shows the window before what takes time to fill in (the description, the category
// menus and listings): that waits for the window's first frame and is filled in the turn of the
// event loop after it. Whatever runs before then (a handler, a display) finishes the fill first,
// so nothing ever acts on a window half filled.
class StartUpFill : public QObject {
    Q_OBJECT
public:
    // A fill that waited runs through `guard`, as a handler of its own.
    using Guard = std::function<void(const std::function<void()> &fill)>;
    StartUpFill(QWidget &window, Guard guard);

    // While a window that is about to be shown is being made, fills wait for its first frame.
    void setDeferring(bool deferring) { deferring_ = deferring; }
    // Runs `fill` at once, or after the first frame while deferring.
    void run(std::function<void()> fill);
    void noteFirstFrame();
    // What waits is filled in now; nothing while the window is still being made.
    void finish();

private:
    void finishWhenDrawn();

    QWidget &window_;
    Guard guard_;
    bool deferring_ = false;
    bool firstFrameDrawn_ = false;
    std::vector<std::function<void()>> waiting_;
};
