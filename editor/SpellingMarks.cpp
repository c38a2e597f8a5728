#include "editor/SpellingMarks.h"

#include "app/WindowColours.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

SpellingMarks::SpellingMarks(QWidget *parent, Painter painter)
    : QWidget(parent)
    , painter_(std::move(painter))
{
    setObjectName(QStringLiteral("SpellingMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void SpellingMarks::drawWave(QPainter &painter, qreal x1, qreal x2, qreal y)
{
    constexpr qreal halfPeriod = 2;
    constexpr qreal amplitude = 1;
    QPainterPath wave(QPointF(x1, y + amplitude));
    bool up = true;
    for (qreal x = x1 + halfPeriod; x < x2 + halfPeriod; x += halfPeriod, up = !up)
        wave.lineTo(std::min(x, x2), y + (up ? -amplitude : amplitude) + amplitude);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(WindowColours::red(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(wave);
    painter.restore();
}

void SpellingMarks::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter_(painter, event->rect());
}
