#pragma once

#include <QObject>

class TMQVEdit;

// The previous and next item from the keyboard: Alt+Left and Alt+Right anywhere in the window,
// Page Up and Page Down wherever the control with the focus leaves them unused (the description
// scrolls with them and the number fields step by five). Owned by the window.
class ItemKeys : public QObject {
    Q_OBJECT
public:
    explicit ItemKeys(TMQVEdit &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TMQVEdit &window_;
};
