#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// The system asks the program to end: SIGTERM (a logout, a shutdown, a kill without -9), SIGHUP
// (the terminal it was started from went away), or the desktop session ending. Each is turned
// into a call in the event loop, where the window can save what closing would save; the signals
// then end the program.
class EndRequests : public QObject {
    Q_OBJECT
public:
    // save is run for every request; after a signal the program quits.
    EndRequests(QObject *parent, std::function<void()> save);

private:
    void signalled();

    std::function<void()> save_;
    QSocketNotifier *notifier_ = nullptr;
};
