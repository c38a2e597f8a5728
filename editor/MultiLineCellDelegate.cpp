#include "editor/MultiLineCellDelegate.h"

#include <QPlainTextEdit>

namespace {

bool multiLine(const QModelIndex &index) { return index.data(MultiLineCellDelegate::multiLineRole).toBool(); }

} // namespace

QWidget *MultiLineCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                             const QModelIndex &index) const
{
    if (!multiLine(index))
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *editor = new QPlainTextEdit(parent);
    editor->setObjectName(QStringLiteral("FlerlinjetCelle"));
    editor->setAccessibleName(QStringLiteral("Værdi"));
    // Tab moves on to the next cell, as in the one-line editor.
    editor->setTabChangesFocus(true);
    return editor;
}

void MultiLineCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *text = qobject_cast<QPlainTextEdit *>(editor); text && multiLine(index))
        text->setPlainText(index.data(Qt::EditRole).toString());
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void MultiLineCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *text = qobject_cast<QPlainTextEdit *>(editor); text && multiLine(index))
        model->setData(index, text->toPlainText(), Qt::EditRole);
    else
        QStyledItemDelegate::setModelData(editor, model, index);
}

// A row is one line high; the text gets room for several below it, as far as the view reaches.
void MultiLineCellDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                                 const QModelIndex &index) const
{
    if (!multiLine(index)) {
        QStyledItemDelegate::updateEditorGeometry(editor, option, index);
        return;
    }
    QRect room = option.rect;
    room.setHeight(qMax(room.height(), editor->fontMetrics().lineSpacing() * 8));
    if (const QWidget *view = editor->parentWidget())
        room.setBottom(qMax(option.rect.bottom(), qMin(room.bottom(), view->rect().bottom())));
    editor->setGeometry(room);
}
