#pragma once

#include <QStyledItemDelegate>

// Edits the cells marked with multiLineRole in a multi-line editor, so the line breaks of a longer
// text survive being edited and Enter starts a new line there; every other cell keeps the one-line
// editor, where Enter ends the edit.
class MultiLineCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int multiLineRole = Qt::UserRole + 1;

    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
};
