#include "app/DescriptionEdit.h"

#include "app/ListStartNumbers.h"
#include "description/PastedDescription.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

void DescriptionEdit::insertFromMimeData(const QMimeData *source)
{
    const QTextDocumentFragment kept = PastedDescription::fromMimeData(*source, document()->defaultFont());
    if (kept.isEmpty()) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    PastedDescription::addPictures(kept, *document());
    textCursor().insertFragment(kept);
    ensureCursorVisible();
}

void DescriptionEdit::holdAbove(QWidget *mark)
{
    mark_ = mark;
    mark->setParent(this);
    mark->hide();
}

// A mark shown again may say more or less than before: its room is measured anew.
void DescriptionEdit::showAbove(bool shown)
{
    if (!mark_ || (!shown && !mark_->isVisibleTo(this)))
        return;
    mark_->setVisible(shown);
    placeMark();
}

void DescriptionEdit::resizeEvent(QResizeEvent *event)
{
    QTextEdit::resizeEvent(event);
    placeMark();
}

void DescriptionEdit::placeMark()
{
    if (!mark_)
        return;
    const int width = this->width() - 2 * frameWidth();
    const int height = !mark_->isVisibleTo(this) ? 0
        : mark_->hasHeightForWidth()             ? mark_->heightForWidth(width)
                                                 : mark_->sizeHint().height();
    setViewportMargins(0, height, 0, 0);
    mark_->setGeometry(frameWidth(), frameWidth(), width, height);
}

// Lists that start at another number than 1 show their numbers from their start.
void DescriptionEdit::paintEvent(QPaintEvent *event)
{
    QTextEdit::paintEvent(event);
    QPainter painter(viewport());
    const QPointF scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
    ListStartNumbers::paint(painter, *document(), -scrolled, QRectF(event->rect()).translated(scrolled), palette(),
                            textCursor());
}

DescriptionFile::Reading
DescriptionEdit::fillDescription(const std::function<DescriptionFile::Reading(QTextDocument &)> &fill)
{
    return replaceDocument(fill);
}

void DescriptionEdit::clearDescription()
{
    releaseCursor();
    document()->clear();
    placeCursorAtStart();
}

// A cursor on the document is pushed along by text inserted where it stands: the editor's own
// would end up selecting the whole new document, and showing or moving it from there lays out
// the whole document at once instead of only what is in view. So the editor holds no cursor on
// the document while it is filled.
void DescriptionEdit::releaseCursor() { setTextCursor(QTextCursor()); }

// Also scrolls the view to the start.
void DescriptionEdit::placeCursorAtStart() { setTextCursor(QTextCursor(document())); }
