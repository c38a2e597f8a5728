#include "app/ToolbarImages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

constexpr int Grid = 16;

const QColor Outline(64, 64, 64);
const QColor PaperWhite(255, 255, 255);
const QColor FoldShade(208, 208, 208);
const QColor CrossOutRed(208, 0, 0);
const QColor ArrowLight(110, 170, 245);
const QColor ArrowDark(16, 80, 192);
const QColor ArrowEdge(10, 50, 130);

// A Nordic cross flag on whole pixels of the 16-pixel grid, full width and centred in height.
// The official proportions cannot be met to the unit at this size; each layout below is the
// nearest in whole pixels, and keeps the cross off-centre towards the hoist.
struct NordicFlag {
    QColor field;
    QColor cross;
    QColor innerCross; // invalid for a flag with a single cross
    int height;
    int crossLeft;
    int crossWidth;
    int crossTop;
    int crossHeight;
};

// 37 x 28 units, cross 4 wide at 12 from the hoist and from the top.
const NordicFlag Denmark{QColor(200, 16, 46), Qt::white, QColor(), 12, 5, 2, 5, 2};
// 22 x 16 units, a white cross 4 wide at 6 with a blue one 2 wide inside it.
const NordicFlag Norway{QColor(186, 12, 47), Qt::white, QColor(0, 32, 91), 12, 4, 4, 4, 4};
// 16 x 10 units, cross 2 wide at 5 from the hoist and 4 from the top: exact at 16 pixels.
const NordicFlag Sweden{QColor(0, 106, 167), QColor(254, 204, 0), QColor(), 10, 5, 2, 4, 2};
// 18 x 11 units, cross 3 wide at 5 from the hoist and 4 from the top.
const NordicFlag Finland{Qt::white, QColor(0, 47, 108), QColor(), 11, 4, 3, 4, 3};

void drawFlag(QPainter &painter, const NordicFlag &flag)
{
    const int top = (Grid - flag.height) / 2;
    painter.fillRect(QRect(0, top, Grid, flag.height), flag.field);
    painter.fillRect(QRect(flag.crossLeft, top, flag.crossWidth, flag.height), flag.cross);
    painter.fillRect(QRect(0, top + flag.crossTop, Grid, flag.crossHeight), flag.cross);
    if (flag.innerCross.isValid()) {
        painter.fillRect(QRect(flag.crossLeft + 1, top, flag.crossWidth - 2, flag.height), flag.innerCross);
        painter.fillRect(QRect(0, top + flag.crossTop + 1, Grid, flag.crossHeight - 2), flag.innerCross);
    }
}

// A sheet with its top right corner folded over; outlines sit on pixel centres to stay sharp.
void drawPage(QPainter &painter, const QRectF &sheet, const QColor &paper)
{
    const qreal fold = 3;
    const QPolygonF outline({sheet.topLeft(), QPointF(sheet.right() - fold, sheet.top()),
                             QPointF(sheet.right(), sheet.top() + fold), sheet.bottomRight(), sheet.bottomLeft()});
    painter.setPen(QPen(Outline, 1));
    painter.setBrush(paper);
    painter.drawPolygon(outline);
    const QPolygonF corner({QPointF(sheet.right() - fold, sheet.top()),
                            QPointF(sheet.right() - fold, sheet.top() + fold),
                            QPointF(sheet.right(), sheet.top() + fold)});
    painter.setBrush(FoldShade);
    painter.drawPolygon(corner);
}

void drawTextLines(QPainter &painter, const QRectF &sheet, const QColor &ink)
{
    painter.setPen(QPen(ink, 1));
    for (qreal y = sheet.top() + 4; y < sheet.bottom() - 1; y += 2)
        painter.drawLine(QPointF(sheet.left() + 2, y), QPointF(sheet.right() - 2, y));
}

void drawCrossOut(QPainter &painter)
{
    painter.setPen(QPen(CrossOutRed, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(3, 3), QPointF(13, 13));
    painter.drawLine(QPointF(13, 3), QPointF(3, 13));
}

// A broad arrow pointing left, drawn mirrored for the one pointing right.
void drawArrow(QPainter &painter, bool pointsRight)
{
    if (pointsRight) {
        painter.translate(Grid, 0);
        painter.scale(-1, 1);
    }
    const QPolygonF arrow({QPointF(1, 8), QPointF(8, 1.5), QPointF(8, 5), QPointF(15, 5), QPointF(15, 11),
                           QPointF(8, 11), QPointF(8, 14.5)});
    QLinearGradient shading(QPointF(0, 2), QPointF(0, 14));
    shading.setColorAt(0, ArrowLight);
    shading.setColorAt(1, ArrowDark);
    painter.setPen(QPen(ArrowEdge, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(shading);
    painter.drawPolygon(arrow);
}

void drawCrossedOutSymbol(QPainter &painter)
{
    QLinearGradient shading(QPointF(3, 3), QPointF(13, 13));
    shading.setColorAt(0, QColor(140, 255, 255));
    shading.setColorAt(1, QColor(0, 180, 200));
    painter.setPen(QPen(QColor(0, 110, 130), 1));
    painter.setBrush(shading);
    painter.drawEllipse(QPointF(8, 8), 6, 6);
    drawCrossOut(painter);
}

void drawPaste(QPainter &painter)
{
    const QRectF chequered(0.5, 0.5, 8, 8);
    painter.fillRect(chequered, Qt::white);
    for (int y = 1; y < 9; y += 2) {
        for (int x = 1 + (y / 2) % 2 * 2; x < 9; x += 4)
            painter.fillRect(QRect(x, y, 2, 2), QColor(128, 128, 128));
    }
    painter.setPen(QPen(Outline, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(chequered);

    drawPage(painter, QRectF(8.5, 5.5, 7, 10), QColor(255, 236, 100));

    QPainterPath shaft(QPointF(3.5, 9));
    shaft.quadTo(QPointF(3.5, 12.5), QPointF(6.5, 12.5));
    painter.setPen(QPen(ArrowDark, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(shaft);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ArrowDark);
    painter.drawPolygon(QPolygonF({QPointF(6, 9), QPointF(10, 12.5), QPointF(6, 16)}));
}

void drawCopy(QPainter &painter)
{
    const QRectF back(1.5, 0.5, 8, 10);
    const QRectF front(6.5, 5.5, 8, 10);
    drawPage(painter, back, PaperWhite);
    drawTextLines(painter, back, QColor(150, 150, 150));
    drawPage(painter, front, PaperWhite);
    drawTextLines(painter, front, QColor(150, 150, 150));
}

void draw(QPainter &painter, int index)
{
    const QRectF blankPage(3.5, 1.5, 9, 13);
    switch (index) {
    case ToolbarImages::NewItem:
    case ToolbarImages::ClearItem: drawPage(painter, blankPage, PaperWhite); break;
    case ToolbarImages::DeleteItem:
        drawPage(painter, blankPage, PaperWhite);
        drawCrossOut(painter);
        break;
    case ToolbarImages::Previous:
    case ToolbarImages::Next: drawArrow(painter, index == ToolbarImages::Next); break;
    case ToolbarImages::DanishFlag: drawFlag(painter, Denmark); break;
    case ToolbarImages::NorwegianFlag: drawFlag(painter, Norway); break;
    case ToolbarImages::SwedishFlag: drawFlag(painter, Sweden); break;
    case ToolbarImages::FinnishFlag: drawFlag(painter, Finland); break;
    case ToolbarImages::DeleteDescription: drawCrossedOutSymbol(painter); break;
    case ToolbarImages::Paste: drawPaste(painter); break;
    case ToolbarImages::Copy: drawCopy(painter); break;
    }
}

bool isFlag(int index) { return index >= ToolbarImages::DanishFlag && index <= ToolbarImages::FinnishFlag; }

} // namespace

namespace ToolbarImages {

QImage image(int index, int size)
{
    if (index < 0 || index >= Count || size <= 0)
        return QImage();
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    // Flags are blocks of whole pixels and would only blur; the rest have slanted edges.
    painter.setRenderHint(QPainter::Antialiasing, !isFlag(index));
    painter.scale(qreal(size) / Grid, qreal(size) / Grid);
    draw(painter, index);
    return picture;
}

QIcon icon(int index)
{
    QIcon result;
    if (index < 0 || index >= Count)
        return result;
    for (int size : {16, 32})
        result.addPixmap(QPixmap::fromImage(image(index, size)));
    return result;
}

} // namespace ToolbarImages
