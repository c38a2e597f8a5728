#pragma once

#include "rules/ProblemListing.h"

#include <QAbstractTableModel>
#include <QList>

// The rows of the "Problemer" list: severity, item, part, language and what is wrong, in
// Danish as mqvcheck words it. The first column's Qt::UserRole data is the problem's stable code.
class ProblemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Severity, Item, Part, Language, Text, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QList<ListedProblem> rows);
    const ListedProblem &row(int index) const { return rows_.at(index); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<ListedProblem> rows_;
};
