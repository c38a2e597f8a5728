#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

// An action the editor cannot carry out, with the words the user is told it in. The text is kept
// as it is shown, so no letter of it passes through a narrow string on its way to the message box;
// what() gives it as UTF-8 for whatever knows only std::exception.
class Refusal : public std::exception {
public:
    explicit Refusal(QString message)
        : message_(std::move(message))
        , utf8_(message_.toUtf8())
    {
    }

    const QString &message() const { return message_; }
    const char *what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};
