#include "editor/SearchWindow.h"

#include "app/AccessibleNames.h"
#include "app/DescriptionEdit.h"
#include "catalogue/ProfileFile.h"
#include "editor/CatalogueSearch.h"
#include "editor/EditorContext.h"
#include "editor/ListColumns.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { Number, Title, Where, Excerpt };

std::optional<DescriptionLanguage> languageNamed(const QString &where)
{
    for (const DescriptionLanguageInfo &language : DescriptionLanguages::all()) {
        if (language.setting == where)
            return language.language;
    }
    return std::nullopt;
}

} // namespace

SearchWindow::SearchWindow(EditorContext &context, QMenu &menu)
    : QWidget(&context.window(), Qt::Window)
    , context_(context)
{
    setObjectName(QStringLiteral("Soegning"));
    setWindowTitle(QStringLiteral("Søg i kataloget"));
    resize(640, 400);

    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("SoegTekst"));
    text_->setPlaceholderText(QStringLiteral("Titel, kort tekst eller beskrivelse"));
    auto *button = new QPushButton(QStringLiteral("Søg"), this);
    button->setObjectName(QStringLiteral("SoegKnap"));
    button->setDefault(true);
    results_ = new QTreeWidget(this);
    results_->setObjectName(QStringLiteral("SoegResultater"));
    results_->setHeaderLabels(
        {QStringLiteral("Punkt"), QStringLiteral("Titel"), QStringLiteral("Hvor"), QStringLiteral("Tekst")});
    results_->setRootIsDecorated(false);
    results_->setUniformRowHeights(true);
    results_->header()->setStretchLastSection(true);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("SoegAntal"));

    auto *line = new QHBoxLayout;
    line->addWidget(text_);
    line->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(line);
    layout->addWidget(results_);
    layout->addWidget(count_);

    connect(text_, &QLineEdit::returnPressed, this, &SearchWindow::search);
    connect(button, &QPushButton::clicked, this, &SearchWindow::search);
    connect(results_, &QTreeWidget::itemClicked, this, &SearchWindow::showHit);
    connect(results_, &QTreeWidget::itemActivated, this, &SearchWindow::showHit);
    AccessibleNames::give(this);

    // Ctrl+F stays the description's bold.
    menu.addSeparator();
    QAction *open = menu.addAction(QStringLiteral("&Søg i kataloget…"));
    open->setObjectName(QStringLiteral("SoegIKataloget"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    connect(open, &QAction::triggered, this, [this] {
        show();
        raise();
        activateWindow();
        text_->setFocus();
        text_->selectAll();
    });
}

void SearchWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void SearchWindow::search()
{
    results_->clear();
    std::optional<CatalogueSearch::ShownDescription> shown;
    const DescriptionEdit &description = context_.descriptionEditor();
    if (description.document()->isModified())
        shown = CatalogueSearch::ShownDescription{context_.shownItem(),
                                                  DescriptionLanguages::info(context_.shownLanguage()).setting,
                                                  description.toPlainText()};
    const QList<CatalogueSearch::Hit> hits = CatalogueSearch::find(context_.catalogue(), text_->text(), shown);
    for (const CatalogueSearch::Hit &hit : hits) {
        auto *row = new QTreeWidgetItem(results_, {QString::number(hit.number), hit.title, hit.where, hit.excerpt});
        row->setData(Number, Qt::UserRole, hit.number);
    }
    if (hits.isEmpty()) {
        // Said in the list itself, where the user looks for the hits.
        auto *none = new QTreeWidgetItem(results_, {QStringLiteral("Ingen fund")});
        none->setFlags(Qt::NoItemFlags);
        none->setFirstColumnSpanned(true);
    }
    ListColumns::fitOnce(*results_, Title, Excerpt);
    count_->setText(hits.isEmpty() ? QStringLiteral("Ingen fund.") : QStringLiteral("%1 fund.").arg(hits.size()));
}

// The same as typing the number into the index field: the description is saved first. A hit in a
// description is shown in its language, where the user can see it.
void SearchWindow::showHit()
{
    const QTreeWidgetItem *row = results_->currentItem();
    if (!row || !row->data(Number, Qt::UserRole).isValid())
        return;
    context_.showItem(row->data(Number, Qt::UserRole).toInt());
    if (const std::optional<DescriptionLanguage> language = languageNamed(row->text(Where)))
        context_.showLanguage(*language);
}
