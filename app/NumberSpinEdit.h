#pragma once

#include <QSpinBox>

// The item-number spin edits: 1 to 70, arrows step by one, Page Up and Page Down by five.
class NumberSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit NumberSpinEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
