#pragma once

#include "support/IniBytes.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <stdexcept>

class TMQVEdit;

// The control of that name inside root; throws (failing the test clearly) when there is none.
template <typename Control>
Control *control(const QObject *root, const QString &name)
{
    if (auto *found = root->findChild<Control *>(name))
        return found;
    throw std::runtime_error(("no control named " + name).toStdString());
}

// How many pixels of the picture are drawn in (nearly) that colour: the core of anti-aliased text.
int pixelsNear(const QImage &image, const QColor &colour);

// Every file below root with its time and bytes, to see that an action rewrote nothing.
QStringList filesAndTimes(const QString &root);

// Answers every message box that opens while it lives with the given button, and remembers
// what the boxes said.
class MessageBoxAnswer : public QObject {
    Q_OBJECT
public:
    explicit MessageBoxAnswer(QMessageBox::StandardButton answer);
    // Answers each box with the first of these captions it has a button for.
    explicit MessageBoxAnswer(const QStringList &buttonTexts);

    int count() const { return texts_.size(); }
    QString text(int index = 0) const { return texts_.value(index); }
    QString title(int index = 0) const { return titles_.value(index); }
    QString informativeText(int index = 0) const { return informativeTexts_.value(index); }
    QMessageBox::Icon icon(int index = 0) const { return icons_.value(index, QMessageBox::NoIcon); }
    QMessageBox::StandardButtons buttons(int index = 0) const { return buttons_.value(index); }
    // The captions of the box's buttons, left to right as the user reads them.
    QStringList buttonTexts(int index = 0) const { return buttonTexts_.value(index); }

private:
    void answerOpenBox();

    QMessageBox::StandardButton answer_ = QMessageBox::NoButton;
    QStringList answerTexts_;
    QTimer timer_;
    QStringList texts_;
    QStringList informativeTexts_;
    QStringList titles_;
    QList<QMessageBox::Icon> icons_;
    QList<QMessageBox::StandardButtons> buttons_;
    QList<QStringList> buttonTexts_;
};
