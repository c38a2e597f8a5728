#include "editor/PadImportDialog.h"

#include "app/AccessibleNames.h"
#include "editor/MultiLineCellDelegate.h"
#include "files/Windows1252.h"
#include "pad/PadRules.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QPlainTextEdit *readOnlyText(const QString &name, const QString &text, QWidget *parent)
{
    auto *edit = new QPlainTextEdit(text, parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setMaximumHeight(80);
    return edit;
}

} // namespace

PadImportDialog::PadImportDialog(const PadImportPlan &plan, const std::vector<PadFinding> &report,
                                 const QString &target, QWidget *parent)
    : QDialog(parent)
    , plan_(plan)
{
    setObjectName(QStringLiteral("PadImport"));
    setWindowTitle(QStringLiteral("Hent PAD-fil"));
    resize(780, 640);

    auto *heading = new QLabel(QStringLiteral("Det her skrives i %1, når du trykker Hent:").arg(target), this);
    lines_ = new QTableWidget(int(plan.lines.size()), 4, this);
    lines_->setObjectName(QStringLiteral("PadLinjer"));
    lines_->setHorizontalHeaderLabels(
        {QStringLiteral("Med"), QStringLiteral("Felt"), QStringLiteral("Værdi"), QStringLiteral("Kilde")});
    lines_->verticalHeader()->hide();
    lines_->horizontalHeader()->setSectionResizeMode(Value, QHeaderView::Stretch);
    values_ = new MultiLineCellDelegate(lines_);
    lines_->setItemDelegateForColumn(Value, values_);
    for (int row = 0; row < lines_->rowCount(); ++row) {
        const PadImportLine &line = plan.lines.at(std::size_t(row));
        auto *taken = new QTableWidgetItem;
        taken->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        taken->setCheckState(line.taken ? Qt::Checked : Qt::Unchecked);
        auto *caption = new QTableWidgetItem(PadImport::caption(line));
        caption->setFlags(Qt::ItemIsEnabled);
        auto *value = new QTableWidgetItem(line.value);
        value->setToolTip(line.value);
        value->setData(MultiLineCellDelegate::multiLineRole, line.target == PadImportLine::Target::Description);
        auto *note = new QTableWidgetItem(line.note);
        note->setFlags(Qt::ItemIsEnabled);
        lines_->setItem(row, Taken, taken);
        lines_->setItem(row, Caption, caption);
        lines_->setItem(row, Value, value);
        lines_->setItem(row, Note, note);
    }
    lines_->resizeColumnToContents(Taken);
    lines_->resizeColumnToContents(Caption);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(lines_, 1);

    // Nothing half-read goes in unseen: what could not be read as written stands above the buttons.
    const QString reportText = PadRules::reportText(report);
    layout->addWidget(new QLabel(report.empty() ? QStringLiteral("PAD-filen følger formatets regler.")
                                                : QStringLiteral("PAD-filen: %1 fund").arg(report.size()),
                                 this));
    if (!report.empty())
        layout->addWidget(readOnlyText(QStringLiteral("PadRapport"), reportText, this));

    const QString permissions = QStringLiteral("Distribution: %1\n\nLicens: %2")
                                    .arg(plan.distributionPermissions.isEmpty() ? QStringLiteral("(ikke angivet)")
                                                                                : plan.distributionPermissions,
                                         plan.eula.isEmpty() ? QStringLiteral("(ikke angivet)") : plan.eula);
    layout->addWidget(new QLabel(QStringLiteral("Til producenten (skrives ikke i kataloget):"), this));
    layout->addWidget(readOnlyText(QStringLiteral("PadTilladelser"), permissions, this));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *take = buttons->addButton(QStringLiteral("&Hent"), QDialogButtonBox::AcceptRole);
    take->setObjectName(QStringLiteral("PadHent"));
    take->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    if (!report.empty()) {
        QPushButton *copy = buttons->addButton(QStringLiteral("&Kopiér rapporten"), QDialogButtonBox::ActionRole);
        copy->setObjectName(QStringLiteral("PadKopier"));
        connect(copy, &QPushButton::clicked, this, [reportText] { QApplication::clipboard()->setText(reportText); });
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    AccessibleNames::give(this);
}

void PadImportDialog::accept()
{
    if (QWidget *editing = focusWidget(); editing && editing->parentWidget() == lines_->viewport())
        emit values_->commitData(editing);
    QDialog::accept();
}

PadImportPlan PadImportDialog::chosenPlan() const
{
    PadImportPlan chosen = plan_;
    for (int row = 0; row < lines_->rowCount(); ++row) {
        PadImportLine &line = chosen.lines.at(std::size_t(row));
        line.taken = lines_->item(row, Taken)->checkState() == Qt::Checked;
        const QString typed = lines_->item(row, Value)->text();
        // What goes into the catalogue is one line of Windows-1252, as every field of the window stores it.
        line.value = line.target == PadImportLine::Target::Description
            ? typed
            : Windows1252::nearest(QString(typed).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    }
    return chosen;
}
