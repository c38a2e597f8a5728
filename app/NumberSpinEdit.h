#pragma once

#include <QSpinBox>
#include <QTimer>

// The item-number spin edits: 1 to 70, arrows step by one, Page Up and Page Down by five. A number
// typed into the field acts only once it is complete, never digit by digit: the program rewrites
// the field whenever the number takes effect, and a first digit taking effect would land on the
// wrong item. A typed number outside 1..70 is shown red and refused, and the field says why.
class NumberSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    enum class TypedNumber {
        // Takes effect on Enter, on leaving the field, or after a short pause in typing.
        WhenComplete,
        // Takes effect on Enter only, also when the arrows, Page Up, Page Down or the wheel chose
        // it: each of those only changes the number shown. Leaving the field puts the number in
        // effect back. The wheel turns it only while it has the focus.
        OnEnter,
    };

    explicit NumberSpinEdit(TypedNumber typedNumber, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;

private:
    bool typedOutOfRange() const;
    void markTypedNumber();
    void takeTypedNumber();

    TypedNumber typedNumber_;
    QTimer typingPause_;
};
