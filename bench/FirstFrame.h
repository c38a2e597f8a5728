#pragma once

// Ends the program's event loop right after its first frame: the first paint event is part of
// the frame being drawn, and the quit queued from it runs once that frame is complete. The moment
// it runs (CLOCK_MONOTONIC, in nanoseconds) is written to the standard output, so the program that
// started this one can tell the time to the first frame from the time the whole process takes.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <ctime>

class QuitAfterFirstFrame : public QObject {
public:
    QuitAfterFirstFrame() { QCoreApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            QTimer::singleShot(0, QCoreApplication::instance(), [] {
                timespec now = {};
                ::clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool quitting_ = false;
};
