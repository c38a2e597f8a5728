#include "editor/HistoryController.h"

#include "app/DescriptionEdit.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ItemSearch.h"
#include "catalogue/ProfileFile.h"
#include "editor/EditorContext.h"
#include "editor/HistoryWindow.h"
#include "editor/Question.h"
#include "files/Refusal.h"

#include <QAction>
#include <QMenu>
#include <QTextDocument>

#include <exception>

HistoryController::HistoryController(EditorContext &context, QMenu &menu, std::vector<StepName> stepNames)
    : QObject(&menu)
    , context_(context)
    , stepNames_(std::move(stepNames))
{
    // Ctrl+Z stays the text fields' own undo of what is being typed; these take back whole steps.
    undo_ = menu.addAction(QStringLiteral("Fortryd"));
    undo_->setObjectName(QStringLiteral("Fortryd"));
    undo_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+Z")));
    redo_ = menu.addAction(QStringLiteral("Gentag"));
    redo_->setObjectName(QStringLiteral("Gentag"));
    redo_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+Y")));
    menu.addSeparator();
    QAction *show = menu.addAction(QStringLiteral("&Historik…"));
    show->setObjectName(QStringLiteral("VisHistorik"));
    show->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+H")));
    // They act from the history window too.
    for (QAction *action : {undo_, redo_, show})
        action->setShortcutContext(Qt::ApplicationShortcut);
    connect(undo_, &QAction::triggered, this, &HistoryController::undo);
    connect(redo_, &QAction::triggered, this, &HistoryController::redo);
    connect(show, &QAction::triggered, this, &HistoryController::showWindow);
}

HistoryController::~HistoryController() = default;

void HistoryController::open()
{
    const QString catalogue = Catalogue::localPath();
    history_ = std::make_unique<CatalogueHistory>(catalogue, CatalogueHistory::folderFor(catalogue),
                                                  CatalogueHistory::Limits());
}

bool HistoryController::keptByAnotherEditor() const { return history_ && history_->keptByAnotherEditor(); }

// One user action is one step of the history, named by what the user did where the change alone
// would not say it. Keystrokes in one field of one item make one step together.
CatalogueHistory::Action HistoryController::stepFor(Handler handler) const
{
    CatalogueHistory::Action step;
    step.item = context_.shownItem();
    step.title = context_.shownTitle();
    for (const StepName &named : stepNames_) {
        if (handler && named.handler == handler)
            named.name(step);
    }
    return step;
}

// A read-only catalogue may still have descriptions that are written; a step holds only what
// was changed.
void HistoryController::record(const CatalogueHistory::Action &step, const std::function<void()> &work)
{
    if (!history_) {
        work();
        return;
    }
    // The step is complete when its recording ends, also when the work ends in an error; only
    // then is there a failure to tell and a step to offer.
    std::exception_ptr failed;
    {
        const CatalogueHistory::Recording recording = history_->begin(step);
        try {
            work();
        } catch (...) {
            failed = std::current_exception();
        }
    }
    tellFailure();
    refresh();
    if (failed)
        std::rethrow_exception(failed);
}

void HistoryController::endMerging()
{
    if (history_)
        history_->endMerging();
}

void HistoryController::tellFailure()
{
    // Told once the window is there to tell it in.
    if (!history_ || !context_.window().isVisible())
        return;
    const QString failure = history_->takeFailure();
    if (failure.isEmpty())
        return;
    Question told;
    told.icon = QMessageBox::Critical;
    told.title = QStringLiteral("R-Irad: ") + context_.shownTitle();
    told.text = failure;
    told.buttons = {{QMessageBox::Ok, QString(), QMessageBox::AcceptRole}};
    told.escapeButton = 0;
    context_.ask(told);
}

// Text typed into the description and not yet saved is the newest change: taking it back
// returns to the file.
void HistoryController::refresh()
{
    const bool writable = history_ && context_.catalogueWritable();
    const bool typedDescription = writable && context_.descriptionEditor().document()->isModified();
    const HistoryStep *undo = writable ? history_->nextUndo() : nullptr;
    const HistoryStep *redo = writable && !typedDescription ? history_->nextRedo() : nullptr;
    if (typedDescription)
        undo_->setText(QStringLiteral("Fortryd: %1 skrevet, punkt %2")
                           .arg(context_.descriptionFileName())
                           .arg(context_.shownItem()));
    else
        undo_->setText(undo ? QStringLiteral("Fortryd: ") + undo->caption() : QStringLiteral("Fortryd"));
    undo_->setEnabled(typedDescription || undo);
    redo_->setText(redo ? QStringLiteral("Gentag: ") + redo->caption() : QStringLiteral("Gentag"));
    redo_->setEnabled(redo);
    if (window_ && window_->isVisible())
        window_->refresh();
    emit stepsChanged();
}

// The text typed is saved as a step of its own, the newest, before a step is taken back or done
// again; the undo and redo themselves are no new step.
void HistoryController::undo() { takeStep(&CatalogueHistory::undo); }

void HistoryController::redo() { takeStep(&CatalogueHistory::redo); }

void HistoryController::takeStep(CatalogueHistory::Outcome (CatalogueHistory::*take)())
{
    context_.runUnrecorded([this, take] {
        record(stepFor(nullptr), [this] { context_.saveDescription(); });
        showOutcome((*history_.*take)());
    });
    tellFailure();
    refresh();
}

void HistoryController::showWindow()
{
    if (!window_) {
        window_ = new HistoryWindow(*history_, &context_.window());
        window_->setWindowFlag(Qt::Window);
        connect(window_, &HistoryWindow::undoTo, this, [this](qint64 step) {
            context_.runUnrecorded([this, step] { undoTo(step); });
            tellFailure();
            refresh();
        });
        connect(window_, &HistoryWindow::restoreItemBefore, this, &HistoryController::restoreItemBefore);
    }
    window_->chooseNewest();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void HistoryController::undoTo(qint64 stepNumber)
{
    record(stepFor(nullptr), [this] { context_.saveDescription(); });
    CatalogueHistory::Outcome last;
    for (const HistoryStep *next = history_->nextUndo(); next && next->number >= stepNumber;
         next = history_->nextUndo()) {
        const CatalogueHistory::Outcome outcome = history_->undo();
        if (!outcome.done) {
            showOutcome(last);
            showOutcome(outcome);
            return;
        }
        last = outcome;
    }
    showOutcome(last);
}

// One new step, itself undoable, named for what it does.
void HistoryController::restoreItemBefore(qint64 stepNumber)
{
    CatalogueHistory::Action step;
    for (const HistoryStep &done : history_->steps()) {
        if (done.number == stepNumber) {
            step.item = done.item;
            step.title = done.title;
        }
    }
    step.name = QStringLiteral("Gendan punkt %1 som før").arg(step.item);
    context_.runUnrecorded([this, step, stepNumber] {
        record(step, [this, stepNumber] {
            context_.saveDescription();
            showOutcome(history_->restoreItemBefore(stepNumber));
        });
    });
}

// The editor goes to the item the step touched, or the nearest one below when the step took
// that item away, and shows what the files hold now, in the menus too.
void HistoryController::showOutcome(const CatalogueHistory::Outcome &outcome)
{
    emit filesPutBack();
    if (!outcome.refusal.isEmpty())
        throw Refusal(outcome.refusal);
    if (!outcome.done)
        return;
    emit catalogueChanged();
    const ItemSearch::Exists exists = Catalogue::itemExists(context_.catalogue());
    context_.showItem(exists(outcome.item) ? outcome.item : ItemSearch::previousStop(outcome.item, exists));
}
