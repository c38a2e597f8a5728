#pragma once

#include <QWidget>

#include <functional>

// The red wavy lines under unknown words, drawn over a text control by a transparent widget of
// their own: they are never part of the text, its formats or its file, and clicks go through
// to the control below.
class SpellingMarks : public QWidget {
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter &painter, const QRect &dirty)>;

    SpellingMarks(QWidget *parent, Painter painter);

    // A wavy line from x1 to x2 just below the baseline y, as word processors mark a word.
    static void drawWave(QPainter &painter, qreal x1, qreal x2, qreal y);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Painter painter_;
};
