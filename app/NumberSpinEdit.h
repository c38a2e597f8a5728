#pragma once

#include <QSpinBox>
#include <QTimer>

// The item-number spin edits: 1 to 70, arrows step by one, Page Up and Page Down by five; the
// arrows, those keys and the wheel act at once. A number typed into the field acts only once it is
// complete, never digit by digit: the program rewrites the field whenever the number takes effect,
// and a first digit taking effect would land on the wrong item. A typed number outside 1..70 is
// shown red and refused.
class NumberSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    enum class TypedNumber {
        // Takes effect on Enter, on leaving the field, or after a short pause in typing.
        WhenComplete,
        // Takes effect on Enter only; leaving the field puts the shown number back. The wheel
        // turns it only while it has the focus, so scrolling over it changes nothing.
        OnEnter,
    };

    explicit NumberSpinEdit(TypedNumber typedNumber, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    QValidator::State validate(QString &input, int &pos) const override;

private:
    bool typedOutOfRange() const;
    void markTypedNumber();
    void takeTypedNumber();

    TypedNumber typedNumber_;
    QTimer typingPause_;
};
