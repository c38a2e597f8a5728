#pragma once

#include <QObject>

class QWidget;

// The window's size and place, remembered per user when the window is hidden (closed) and given
// back when the next window opens. A place that no longer lies on a screen is brought onto one by
// Qt's own restore. Owned by the window.
class WindowPlacement : public QObject {
    Q_OBJECT
public:
    explicit WindowPlacement(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &window_;
};
