#pragma once

// Ends the program's event loop right after its first frame: the first paint event is part of
// the frame being drawn, and the quit queued from it runs once that frame is complete. The moment
// it runs (CLOCK_MONOTONIC, in nanoseconds) is written to the standard output, so the program that
// started this one can tell the time to the first frame from the time the whole process takes.
// Given `settle`, the program runs that after the first frame and before it ends, for a peak
// memory that includes what a program opens after its first frame.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <functional>
#include <utility>

class QuitAfterFirstFrame : public QObject {
public:
    explicit QuitAfterFirstFrame(std::function<void()> settle = {})
        : settle_(std::move(settle))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            QTimer::singleShot(0, QCoreApplication::instance(), [this] {
                timespec now = {};
                ::clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                if (settle_)
                    settle_();
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> settle_;
    bool quitting_ = false;
};
