#pragma once

#include <QByteArray>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <stdexcept>

class TMQVEdit;

// A catalogue as Windows writes it: Windows-1252 bytes, CRLF line ends.
QByteArray iniBytes(const QStringList &lines);

// The control of that name inside root; throws (failing the test clearly) when there is none.
template <typename Control>
Control *control(const QObject *root, const QString &name)
{
    if (auto *found = root->findChild<Control *>(name))
        return found;
    throw std::runtime_error(("no control named " + name).toStdString());
}

// Answers every message box that opens while it lives with the given button, and remembers
// what the boxes said.
class MessageBoxAnswer : public QObject {
    Q_OBJECT
public:
    explicit MessageBoxAnswer(QMessageBox::StandardButton answer);

    int count() const { return texts_.size(); }
    QString text(int index = 0) const { return texts_.value(index); }
    QString title(int index = 0) const { return titles_.value(index); }
    QMessageBox::Icon icon(int index = 0) const { return icons_.value(index, QMessageBox::NoIcon); }
    QMessageBox::StandardButtons buttons(int index = 0) const { return buttons_.value(index); }

private:
    void answerOpenBox();

    QMessageBox::StandardButton answer_;
    QTimer timer_;
    QStringList texts_;
    QStringList titles_;
    QList<QMessageBox::Icon> icons_;
    QList<QMessageBox::StandardButtons> buttons_;
};
