#include "app/ListStartNumbers.h"

#include "description/ListItemNumbers.h"
#include "description/RtfProperties.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>

namespace {

// What shows behind an item's number: its cell's shading, or the editor's background.
QBrush backgroundBehind(const QTextBlock &block, const QPalette &palette)
{
    const QTextCursor at(block);
    if (const QTextTable *table = at.currentTable()) {
        const QBrush shading = table->cellAt(at).format().background();
        if (shading.style() != Qt::NoBrush)
            return shading;
    }
    return palette.base();
}

// The number's text laid out as Qt lays out its own.
void drawNumber(QPainter &painter, const QString &text, const QFont &font, QPaintDevice *device,
                Qt::LayoutDirection direction, QPointF at)
{
    QTextLayout layout(text, font, device);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(direction);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLeadingIncluded(true);
    layout.endLayout();
    layout.draw(&painter, at);
}

void paintNumber(QPainter &painter, const QTextBlock &block, const QTextList &list, QPointF offset,
                 const QPalette &palette, bool selected)
{
    const QString shown = list.itemText(block);
    const QString wanted = ListItemNumbers::text(block);
    const QTextLayout *layout = block.layout();
    if (wanted.isEmpty() || wanted == shown || !layout || layout->lineCount() == 0)
        return;
    const QAbstractTextDocumentLayout *documentLayout = block.document()->documentLayout();
    const QTextCharFormat format = QTextCursor(block).charFormat();
    // In whole pixels, as Qt measures it.
    QFont font = format.font();
    if (documentLayout->paintDevice())
        font = QFont(font, documentLayout->paintDevice());
    const QFontMetrics metrics(font);
    // Qt places the number a space before the first line's text, as high as the line.
    const QRectF text = layout->lineAt(0).naturalTextRect();
    // The block's bounding rectangle starts where its layout is placed.
    QPointF origin = (offset + documentLayout->blockBoundingRect(block).topLeft()).toPoint();
    origin += text.topLeft().toPoint();
    const Qt::LayoutDirection direction = block.textDirection();
    const int space = metrics.horizontalAdvance(u' ');
    const int shownWidth = metrics.horizontalAdvance(shown);
    const int wantedWidth = metrics.horizontalAdvance(wanted);
    QRectF cleared(origin, QSizeF(shownWidth, metrics.height()));
    QPointF numberAt(origin.x() - space - wantedWidth, origin.y());
    if (direction == Qt::RightToLeft) {
        origin.rx() += text.width();
        cleared.moveLeft(origin.x() + space);
        numberAt.setX(origin.x() + space);
    } else {
        cleared.moveLeft(origin.x() - space - shownWidth);
    }
    painter.save();
    painter.fillRect(cleared.adjusted(-1, 0, 1, 0),
                     selected ? palette.brush(QPalette::Highlight) : backgroundBehind(block, palette));
    const QBrush foreground = format.foreground();
    painter.setPen(QPen(selected                                ? palette.brush(QPalette::HighlightedText)
                            : foreground.style() != Qt::NoBrush ? foreground
                                                                : palette.text(),
                        0));
    drawNumber(painter, wanted, font, documentLayout->paintDevice(), direction, numberAt);
    painter.restore();
}

} // namespace

namespace ListStartNumbers {

void paint(QPainter &painter, const QTextDocument &document, QPointF offset, const QRectF &clip,
           const QPalette &palette, const QTextCursor &selection)
{
    const QAbstractTextDocumentLayout *layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextList *list = block.textList();
        if (!list ||
            !(list->format().hasProperty(RtfProperty::ListStart) ||
              list->format().hasProperty(RtfProperty::ListOuterNumbers)) ||
            !layout->blockBoundingRect(block).intersects(clip))
            continue;
        const bool selected = selection.hasSelection() && selection.selectionStart() <= block.position() &&
            selection.selectionEnd() > block.position();
        paintNumber(painter, block, *list, offset, palette, selected);
    }
}

} // namespace ListStartNumbers
