#pragma once

#include <QString>

#include <functional>

// Runs the window's handlers so that an error ends only the handler it was raised in. Handlers
// nest (setting a control runs its handler at once, inside the setting), so one user action may
// run many; the user is told once per action, when the outermost handler is done, of the first
// error it met.
class HandlerGuard {
public:
    using Report = std::function<void(const QString &message)>;

    explicit HandlerGuard(Report report);

    // Runs the function; an exception ends it there. What it wrote before stays written.
    void run(const std::function<void()> &function);

    // Whether a handler is running: a run started now is nested in it.
    bool running() const { return depth_ > 0; }

    // Runs at each caught error, while still nested where it happened.
    void setOnError(std::function<void()> onError) { onError_ = std::move(onError); }
    // Runs after every outermost run, once any error has been reported.
    void setWhenDone(std::function<void()> whenDone) { whenDone_ = std::move(whenDone); }

    // The error's text with a full stop after it, unless it already ends in one or in a character
    // that sorts before it ('!', ')', ',').
    static QString sentence(const QString &text);

private:
    Report report_;
    std::function<void()> onError_;
    std::function<void()> whenDone_;
    int depth_ = 0;
    QString pending_;
};
