#pragma once

#include "rules/ProblemListing.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class ProblemModel;
class QComboBox;
class QListWidget;
class QPushButton;
class QTreeView;

// The contents of the "Problemer" pane: the list of the disc's problems (ProblemListe), filters
// by severity, language and item, "Ignorér på denne disk" for the chosen row, and the rows set
// aside, each of which can be shown again.
class ProblemsPane : public QWidget {
    Q_OBJECT
public:
    explicit ProblemsPane(QWidget *parent = nullptr);

    // The rows not set aside, and the keys of those that are.
    void setProblems(QList<ListedProblem> rows, const QStringList &ignoredKeys);
    // "Problemer (12)", or "Problemer (3 af 12)" while the filters hide some.
    QString title() const;

signals:
    void activated(const ListedProblem &problem);
    void ignoreRequested(const QString &key);
    void restoreRequested(const QString &key);
    void titleChanged();

private:
    void showFiltered();
    void fillItemFilter();
    bool passesFilters(const ListedProblem &problem) const;
    void activateRow(int row);

    QComboBox *severity_ = nullptr;
    QComboBox *language_ = nullptr;
    QComboBox *item_ = nullptr;
    QTreeView *view_ = nullptr;
    ProblemModel *model_ = nullptr;
    QPushButton *ignore_ = nullptr;
    QWidget *ignoredPart_ = nullptr;
    QListWidget *ignored_ = nullptr;
    QPushButton *restore_ = nullptr;
    QList<ListedProblem> rows_;
};
