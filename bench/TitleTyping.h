#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

// A user typing and rubbing out one letter at the end of a field, key by key: each call of next()
// is one keystroke, as the window receives it.
class TitleTyping {
public:
    explicit TitleTyping(QLineEdit *field)
        : field_(field)
    {
        field_->setFocus();
        field_->end(false);
    }

    void next()
    {
        if (typed_)
            press(field_, Qt::Key_Backspace, QString());
        else
            press(field_, Qt::Key_A, QStringLiteral("a"));
        typed_ = !typed_;
    }

    // One key pressed and released in the widget.
    static void press(QWidget *target, Qt::Key key, const QString &text)
    {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &up);
    }

private:
    QLineEdit *field_;
    bool typed_ = false;
};
