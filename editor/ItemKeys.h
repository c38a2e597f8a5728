#pragma once

#include <QObject>

class EditorContext;
class QAction;

// The previous and next item from the keyboard: Alt+Left and Alt+Right anywhere in the window,
// Page Up and Page Down wherever the control with the focus leaves them unused (the description
// scrolls with them and the number fields step by five). Owned by the window.
class ItemKeys : public QObject {
    Q_OBJECT
public:
    // The keys trigger the tool bar's own buttons, so they step as a click does.
    ItemKeys(EditorContext &context, QAction &previous, QAction &next);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &window_;
    QAction &previous_;
    QAction &next_;
};
