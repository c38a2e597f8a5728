#include "editor/ProblemsPane.h"

#include "app/AccessibleNames.h"
#include "editor/ProblemModel.h"
#include "rules/ProblemPlace.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

enum Severity { AnySeverity, ProblemsOnly, WarningsOnly };

QComboBox *filter(QWidget *parent, const char *name, const QStringList &choices)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(choices);
    return box;
}

// "Punkt 5: Titlen er …" from a key: item, code and text, tab-separated.
QString shownKey(const QString &key)
{
    const QStringList parts = key.split(QLatin1Char('\t'));
    const QString text = parts.mid(2).join(QLatin1Char('\t'));
    return (parts.first() == QLatin1String("0") ? QStringLiteral("Kataloget")
                                                : QStringLiteral("Punkt ") + parts.first()) +
        QStringLiteral(": ") + text;
}

} // namespace

ProblemsPane::ProblemsPane(QWidget *parent)
    : QWidget(parent)
{
    severity_ = filter(
        this, "ProblemArt",
        {QStringLiteral("Problemer og advarsler"), QStringLiteral("Problemer"), QStringLiteral("Advarsler")});
    QStringList languages = {QStringLiteral("Alle sprog")};
    for (const DescriptionLanguageInfo &language : DescriptionLanguages::all())
        languages.append(language.setting);
    language_ = filter(this, "ProblemSprog", languages);
    item_ = filter(this, "ProblemPunkt", {QStringLiteral("Alle punkter")});

    model_ = new ProblemModel(this);
    view_ = new QTreeView(this);
    view_->setObjectName(QStringLiteral("ProblemListe"));
    view_->setModel(model_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAllColumnsShowFocus(true);
    view_->header()->setStretchLastSection(true);
    view_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    ignore_ = new QPushButton(QStringLiteral("&Ignorér på denne disk"), this);
    ignore_->setObjectName(QStringLiteral("IgnorerProblem"));
    ignored_ = new QListWidget(this);
    ignored_->setObjectName(QStringLiteral("IgnoreredeProblemer"));
    ignored_->setMaximumHeight(ignored_->fontMetrics().height() * 5);
    restore_ = new QPushButton(QStringLiteral("&Vis igen"), this);
    restore_->setObjectName(QStringLiteral("VisProblemIgen"));

    auto *filters = new QHBoxLayout;
    filters->addWidget(severity_);
    filters->addWidget(language_);
    filters->addWidget(item_);
    filters->addStretch();
    filters->addWidget(ignore_);
    auto *ignoredLine = new QHBoxLayout;
    ignoredLine->addWidget(ignored_);
    ignoredLine->addWidget(restore_, 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(view_);
    ignoredPart_ = new QWidget(this);
    auto *ignoredLabel = new QLabel(QStringLiteral("Ignoreret på denne disk:"), ignoredPart_);
    ignoredLabel->setBuddy(ignored_);
    auto *ignoredLayout = new QVBoxLayout(ignoredPart_);
    ignoredLayout->setContentsMargins(0, 0, 0, 0);
    ignoredLayout->addWidget(ignoredLabel);
    ignoredLayout->addLayout(ignoredLine);
    layout->addWidget(ignoredPart_);
    // Shown only while some row is set aside.
    ignoredPart_->hide();

    AccessibleNames::give(this);

    for (QComboBox *box : {severity_, language_, item_})
        connect(box, &QComboBox::currentIndexChanged, this, &ProblemsPane::showFiltered);
    connect(view_, &QTreeView::activated, this, [this](const QModelIndex &index) { activateRow(index.row()); });
    connect(ignore_, &QPushButton::clicked, this, [this] {
        const QModelIndex current = view_->currentIndex();
        if (current.isValid())
            emit ignoreRequested(model_->row(current.row()).key());
    });
    connect(restore_, &QPushButton::clicked, this, [this] {
        if (const QListWidgetItem *chosen = ignored_->currentItem())
            emit restoreRequested(chosen->data(Qt::UserRole).toString());
    });
}

void ProblemsPane::setProblems(QList<ListedProblem> rows, const QStringList &ignoredKeys)
{
    rows_ = std::move(rows);
    fillItemFilter();
    showFiltered();
    ignored_->clear();
    for (const QString &key : ignoredKeys) {
        auto *entry = new QListWidgetItem(shownKey(key), ignored_);
        entry->setData(Qt::UserRole, key);
    }
    ignoredPart_->setVisible(!ignoredKeys.isEmpty());
}

QString ProblemsPane::title() const
{
    const int shown = model_->rowCount();
    if (shown == rows_.size())
        return QStringLiteral("Problemer (%1)").arg(shown);
    return QStringLiteral("Problemer (%1 af %2)").arg(shown).arg(rows_.size());
}

// The items that have rows, keeping the one chosen while it still has some.
void ProblemsPane::fillItemFilter()
{
    const QVariant chosen = item_->currentData();
    const QSignalBlocker blocker(item_);
    item_->clear();
    item_->addItem(QStringLiteral("Alle punkter"));
    int last = -1;
    for (const ListedProblem &problem : rows_) {
        if (problem.item == last)
            continue;
        last = problem.item;
        item_->addItem(problem.item == 0 ? QStringLiteral("Kataloget")
                                         : QStringLiteral("%1 %2").arg(problem.item).arg(problem.title),
                       problem.item);
    }
    item_->setCurrentIndex(std::max(0, item_->findData(chosen)));
}

bool ProblemsPane::passesFilters(const ListedProblem &problem) const
{
    const int severity = severity_->currentIndex();
    if ((severity == ProblemsOnly && problem.problem.isWarning()) ||
        (severity == WarningsOnly && !problem.problem.isWarning()))
        return false;
    if (const int language = language_->currentIndex(); language > 0) {
        const std::optional<DescriptionLanguage> named = ProblemPlace::language(problem.problem);
        if (!named || int(*named) != language - 1)
            return false;
    }
    const QVariant item = item_->currentData();
    return !item.isValid() || item.toInt() == problem.item;
}

void ProblemsPane::showFiltered()
{
    QList<ListedProblem> shown;
    for (const ListedProblem &problem : rows_) {
        if (passesFilters(problem))
            shown.append(problem);
    }
    model_->setRows(std::move(shown));
    ignore_->setEnabled(model_->rowCount() > 0);
    emit titleChanged();
}

void ProblemsPane::activateRow(int row)
{
    if (row >= 0 && row < model_->rowCount())
        emit activated(model_->row(row));
}
