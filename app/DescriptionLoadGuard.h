#pragma once

#include <QObject>

#include <functional>

class QTextEdit;

// A description shown while the rest of its file is read (DescriptionLoading) is read whole the
// moment the user acts on it: a key, a click, a drop, its context menu, or scrolling to the end
// of what is shown. Looking at its start takes nothing.
class DescriptionLoadGuard : public QObject {
    Q_OBJECT
public:
    // Watches the editor from now on; its event filters installed before run after this one.
    DescriptionLoadGuard(QTextEdit &editor, std::function<void()> finishLoading);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> finishLoading_;
};
