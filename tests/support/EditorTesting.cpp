#include "support/EditorTesting.h"

#include "catalogue/Windows1252.h"

#include <QAbstractButton>
#include <QApplication>

QByteArray iniBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += Windows1252::encode(line) + "\r\n";
    return bytes;
}

MessageBoxAnswer::MessageBoxAnswer(QMessageBox::StandardButton answer)
    : answer_(answer)
{
    connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswer::answerOpenBox);
    timer_.start(5);
}

void MessageBoxAnswer::answerOpenBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    texts_.append(box->text());
    titles_.append(box->windowTitle());
    icons_.append(box->icon());
    buttons_.append(box->standardButtons());
    if (QAbstractButton *button = box->button(answer_))
        button->click();
    else
        box->reject();
}
