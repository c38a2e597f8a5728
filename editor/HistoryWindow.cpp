#include "editor/HistoryWindow.h"

#include "app/AccessibleNames.h"
#include "editor/ListColumns.h"
#include "history/CatalogueHistory.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
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
        {QStringLiteral("Tid"), QStringLiteral("Punkt"), QStringLiteral("Titel"), QStringLiteral("\u00C6ndring")});
    steps_->header()->setStretchLastSection(true);

    size_ = new QLabel(this);
    size_->setObjectName(QStringLiteral("HistorikStoerrelse"));

    auto *buttons = new QDialogButtonBox(this);
    undoTo_ = buttons->addButton(QStringLiteral("Fortryd til her"), QDialogButtonBox::ActionRole);
    undoTo_->setObjectName(QStringLiteral("FortrydTilHer"));
    restoreItem_ = buttons->addButton(QStringLiteral("Gendan punktet som f\u00F8r"), QDialogButtonBox::ActionRole);
    restoreItem_->setObjectName(QStringLiteral("GendanPunkt"));
    QPushButton *close = buttons->addButton(QStringLiteral("Luk"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("LukHistorik"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(steps_);
    layout->addWidget(size_);
    layout->addWidget(buttons);

    connect(steps_, &QTreeWidget::currentItemChanged, this, &HistoryWindow::updateButtons);
    connect(undoTo_, &QPushButton::clicked, this, [this] { emit undoTo(chosenStep()); });
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
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        const bool undone = step->state == HistoryStep::State::Undone;
        auto *row = new QTreeWidgetItem(steps_);
        row->setData(Time, Qt::UserRole, step->number);
        row->setText(Time,
                     QLocale(QLocale::Danish).toString(step->time.toLocalTime(), QStringLiteral("d. MMM HH:mm:ss")));
        row->setText(Item, QString::number(step->item));
        row->setText(Title, step->title);
        row->setText(Change, undone ? step->summary + QStringLiteral(" (fortrudt)") : step->summary);
        if (undone) {
            for (int column = Time; column <= Change; ++column)
                row->setForeground(column, palette().brush(QPalette::Disabled, QPalette::Text));
        }
        if (step->number == chosen)
            steps_->setCurrentItem(row);
    }
    ListColumns::fitOnce(*steps_, Title, Change);
    size_->setText(QStringLiteral("%1 trin, %2").arg(steps.size()).arg(shownSize(history_.sizeOnDisk())));
    updateButtons();
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
    undoTo_->setEnabled(done);
    restoreItem_->setEnabled(done);
}
