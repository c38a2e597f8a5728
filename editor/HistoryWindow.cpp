#include "editor/HistoryWindow.h"

#include "app/AccessibleNames.h"
#include "editor/ListColumns.h"
#include "history/CatalogueHistory.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

namespace {

enum Column { Time, Item, Title, Change };

QString shownSize(qint64 bytes)
{
    const QLocale danish(QLocale::Danish);
    if (bytes < 1024 * 1024)
        return danish.toString((bytes + 1023) / 1024) + QStringLiteral(" KB");
    return danish.toString(double(bytes) / (1024 * 1024), 'f', 1) + QStringLiteral(" MB");
}

} // namespace

HistoryWindow::HistoryWindow(const CatalogueHistory &history, QWidget *parent)
    : QDialog(parent)
    , history_(history)
{
    setObjectName(QStringLiteral("Historik"));
    setWindowTitle(QStringLiteral("Historik"));
    resize(640, 400);

    steps_ = new QTreeWidget(this);
    steps_->setObjectName(QStringLiteral("HistorikTrin"));
    steps_->setRootIsDecorated(false);
    steps_->setUniformRowHeights(true);
    steps_->setHeaderLabels(
        {QStringLiteral("Tid"), QStringLiteral("Punkt"), QStringLiteral("Titel"), QStringLiteral("Ændring")});
    steps_->header()->setStretchLastSection(true);

    size_ = new QLabel(this);
    size_->setObjectName(QStringLiteral("HistorikStoerrelse"));

    auto *buttons = new QDialogButtonBox(this);
    undoTo_ = buttons->addButton(QStringLiteral("Fortryd til her"), QDialogButtonBox::ActionRole);
    undoTo_->setObjectName(QStringLiteral("FortrydTilHer"));
    restoreItem_ = buttons->addButton(QStringLiteral("Gendan punktet som før"), QDialogButtonBox::ActionRole);
    restoreItem_->setObjectName(QStringLiteral("GendanPunkt"));
    QPushButton *close = buttons->addButton(QStringLiteral("Luk"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("LukHistorik"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(steps_);
    layout->addWidget(size_);
    layout->addWidget(buttons);

    connect(steps_, &QTreeWidget::currentItemChanged, this, &HistoryWindow::updateButtons);
    // Return is no way to take back a row of steps: no button answers it.
    for (QPushButton *button : {undoTo_, restoreItem_, close}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(undoTo_, &QPushButton::clicked, this, &HistoryWindow::confirmUndoTo);
    connect(restoreItem_, &QPushButton::clicked, this, [this] { emit restoreItemBefore(chosenStep()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    AccessibleNames::give(this);
    refresh();
}

void HistoryWindow::refresh()
{
    const qint64 chosen = chosenStep();
    steps_->clear();
    const std::vector<HistoryStep> &steps = history_.steps();
    QString blocked;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        const bool undone = step->state == HistoryStep::State::Undone;
        auto *row = new QTreeWidgetItem(steps_);
        row->setData(Time, Qt::UserRole, step->number);
        row->setText(Time,
                     QLocale(QLocale::Danish).toString(step->time.toLocalTime(), QStringLiteral("d. MMM HH:mm:ss")));
        row->setText(Item, QString::number(step->item));
        row->setText(Title, step->title);
        row->setText(Change, undone ? step->summary + QStringLiteral(" (fortrudt)") : step->summary);
        // Only steps down to the first one that cannot be taken back can be reached by undo.
        if (step->state == HistoryStep::State::Done && blocked.isEmpty()) {
            blocked = history_.refusalOfUndo(*step);
            if (!blocked.isEmpty())
                row->setText(Change, step->summary + QStringLiteral(" (kan ikke fortrydes)"));
        }
        const bool unreachable = step->state == HistoryStep::State::Done && !blocked.isEmpty();
        if (unreachable)
            row->setToolTip(Change, blocked);
        if (undone || unreachable) {
            for (int column = Time; column <= Change; ++column)
                row->setForeground(column, palette().brush(QPalette::Disabled, QPalette::Text));
        }
        row->setData(Item, Qt::UserRole, unreachable);
        if (step->number == chosen)
            steps_->setCurrentItem(row);
    }
    ListColumns::fitOnce(*steps_, Title, Change);
    size_->setText(QStringLiteral("%1 trin, %2").arg(steps.size()).arg(shownSize(history_.sizeOnDisk())));
    updateButtons();
}

void HistoryWindow::chooseNewest()
{
    refresh();
    steps_->setCurrentItem(steps_->topLevelItem(0));
}

// Taking back more than the newest step is said in numbers first.
void HistoryWindow::confirmUndoTo()
{
    const qint64 chosen = chosenStep();
    int count = 0;
    for (const HistoryStep &step : history_.steps())
        count += step.number >= chosen && step.state == HistoryStep::State::Done ? 1 : 0;
    if (count > 1) {
        QMessageBox box(QMessageBox::Question, windowTitle(),
                        QStringLiteral("Fortryd %1 trin, de nyeste først?").arg(count), QMessageBox::NoButton, this);
        box.setObjectName(QStringLiteral("FortrydFlereTrin"));
        QPushButton *yes = box.addButton(QStringLiteral("Fortryd %1 trin").arg(count), QMessageBox::AcceptRole);
        box.addButton(QStringLiteral("Annuller"), QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() != yes)
            return;
    }
    emit undoTo(chosen);
}

qint64 HistoryWindow::chosenStep() const
{
    const QTreeWidgetItem *row = steps_->currentItem();
    return row ? row->data(Time, Qt::UserRole).toLongLong() : 0;
}

// Only what is in effect can be taken back; an undone step is brought back with Gentag.
void HistoryWindow::updateButtons()
{
    const qint64 chosen = chosenStep();
    bool done = false;
    for (const HistoryStep &step : history_.steps())
        done = done || (step.number == chosen && step.state == HistoryStep::State::Done);
    const QTreeWidgetItem *row = steps_->currentItem();
    undoTo_->setEnabled(done && !(row && row->data(Item, Qt::UserRole).toBool()));
    restoreItem_->setEnabled(done);
}
