#include "support/EditorTesting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QFile>

#include <algorithm>
#include <cstdlib>

QStringList filesAndTimes(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        file.open(QIODevice::ReadOnly);
        entries << info.filePath() + " " + QString::number(info.lastModified().toMSecsSinceEpoch()) + " "
                       + QString::fromLatin1(file.readAll().toHex());
    }
    entries.sort();
    return entries;
}

int pixelsNear(const QImage &image, const QColor &colour)
{
    constexpr int tolerance = 60;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) <= tolerance && std::abs(pixel.green() - colour.green()) <= tolerance
                && std::abs(pixel.blue() - colour.blue()) <= tolerance)
                ++count;
        }
    }
    return count;
}

MessageBoxAnswer::MessageBoxAnswer(QMessageBox::StandardButton answer)
    : answer_(answer)
{
    connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswer::answerOpenBox);
    timer_.start(5);
}

MessageBoxAnswer::MessageBoxAnswer(const QStringList &buttonTexts)
    : MessageBoxAnswer(QMessageBox::NoButton)
{
    answerTexts_ = buttonTexts;
}

void MessageBoxAnswer::answerOpenBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    texts_.append(box->text());
    informativeTexts_.append(box->informativeText());
    titles_.append(box->windowTitle());
    icons_.append(box->icon());
    buttons_.append(box->standardButtons());
    QList<QAbstractButton *> shown = box->buttons();
    std::sort(shown.begin(), shown.end(), [](const QAbstractButton *a, const QAbstractButton *b) { return a->x() < b->x(); });
    QStringList captions;
    for (const QAbstractButton *button : shown)
        captions.append(QString(button->text()).remove(QLatin1Char('&')));
    buttonTexts_.append(captions);
    QAbstractButton *button = box->button(answer_);
    for (const QString &answer : answerTexts_) {
        if (!button && captions.contains(answer))
            button = shown.at(captions.indexOf(answer));
    }
    if (button)
        button->click();
    else
        box->reject();
}
