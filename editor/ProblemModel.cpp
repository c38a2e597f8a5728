#include "editor/ProblemModel.h"

#include "rules/ProblemPlace.h"
#include "rules/ReportTerms.h"

void ProblemModel::setRows(QList<ListedProblem> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int ProblemModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int ProblemModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ProblemModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return QVariant();
    const ListedProblem &listed = rows_.at(index.row());
    if (role == Qt::UserRole && index.column() == Severity)
        return listed.problem.code();
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    switch (index.column()) {
    case Severity: return listed.problem.isWarning() ? QStringLiteral("Advarsel") : QStringLiteral("Problem");
    case Item:
        return listed.item == 0 ? QStringLiteral("Kataloget")
                                : QString::number(listed.item) + QLatin1Char(' ') + listed.title;
    case Part: return ProblemPlace::partName(ProblemPlace::part(listed.problem.kind));
    case Language:
        if (const std::optional<DescriptionLanguage> language = ProblemPlace::language(listed.problem))
            return ReportTerms::languageName(*language);
        return QString();
    case Text: return listed.problem.text();
    default: return QVariant();
    }
}

QVariant ProblemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case Severity: return QStringLiteral("Art");
    case Item: return QStringLiteral("Punkt");
    case Part: return QStringLiteral("Felt");
    case Language: return QStringLiteral("Sprog");
    case Text: return QStringLiteral("Hvad er galt");
    default: return QVariant();
    }
}
