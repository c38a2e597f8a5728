#include "app/EditMQV.h"

#include "app/DescriptionEdit.h"
#include "app/NumberSpinEdit.h"
#include "catalogue/CatalogueWatch.h"
#include "catalogue/ItemSearch.h"
#include "editor/HistoryWindow.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>

#include <stdexcept>

void TMQVEdit::openHistory()
{
    const QString catalogue = Catalogue::localPath();
    history_ = std::make_unique<CatalogueHistory>(catalogue, CatalogueHistory::folderFor(catalogue),
                                                  CatalogueHistory::Limits());
}

// One user action is one step of the history, named by what the user did where the change alone
// would not say it. Keystrokes in one field of one item make one step together.
CatalogueHistory::Action TMQVEdit::historyAction(Handler handler) const
{
    CatalogueHistory::Action action;
    action.item = CurrentItemNumber;
    // The label shows the stored title until the title field's handler has run, also while the
    // user types in that field, and reading it costs no look at the file.
    action.title = TitelLabel->text();
    if (handler == &TMQVEdit::NyClick) {
        action.name = QStringLiteral("Tilf\u00F8j punkt");
        action.item = ItemSearch::freeNumberForNewItem(CurrentItemNumber, Catalogue::itemExists(*CatalogueFile))
                          .value_or(CurrentItemNumber);
        action.title.clear();
    } else if (handler == &TMQVEdit::SletPunktClick) {
        action.name = QStringLiteral("Slet punkt");
    } else if (handler == &TMQVEdit::SletClick) {
        action.name = QStringLiteral("Slet indhold");
    } else if (handler == &TMQVEdit::KnapOpClick || handler == &TMQVEdit::NedKnapClick) {
        // Named by where the item goes, which the button's caption alone does not say.
        const bool upward = handler == &TMQVEdit::KnapOpClick;
        const auto exists = Catalogue::itemExists(*CatalogueFile);
        const std::optional<int> free = upward ? ItemSearch::freeNumberAbove(CurrentItemNumber, exists)
                                               : ItemSearch::freeNumberBelow(CurrentItemNumber, exists);
        action.name = upward ? QStringLiteral("Op") : QStringLiteral("Ned");
        if (free)
            action.name += QStringLiteral(": punkt %1 \u2192 %2").arg(CurrentItemNumber).arg(*free);
    } else if (handler == &TMQVEdit::FlytteSpinnerChange) {
        action.name = QStringLiteral("Flyt til punkt %1").arg(FlytteSpinner->value());
    } else if (handler == &TMQVEdit::HentFastClick) {
        action.name = QStringLiteral("Hent fast: punkt 24\u201342");
    } else if (handler == &TMQVEdit::PasteClick) {
        action.name = QStringLiteral("Paste beskrivelse");
    }
    for (const FieldWiring &wiring : fieldWirings()) {
        if (handler == wiring.change || handler == wiring.leave)
            action.mergeKey = wiring.field->objectName() + QLatin1Char('/') + QString::number(CurrentItemNumber);
    }
    return action;
}

// A read-only catalogue may still have descriptions that are written; a step holds only what
// was changed.
std::optional<CatalogueHistory::Recording> TMQVEdit::beginRecording(const CatalogueHistory::Action &action)
{
    if (!history_)
        return std::nullopt;
    return history_->begin(action);
}

// Once the action's recording has ended, its step complete: tells what went wrong and shows what
// can be taken back now.
void TMQVEdit::endRecording()
{
    if (!history_)
        return;
    // Told once the window is there to tell it in.
    if (isVisible()) {
        if (const QString failure = history_->takeFailure(); !failure.isEmpty())
            reportError(failure);
    }
    refreshHistoryActions();
}

// The captions name what a click would take back or do again. Text typed into the description
// and not yet saved is the newest change: taking it back returns to the file.
void TMQVEdit::refreshHistoryActions()
{
    const bool writable = history_ && catalogueLock_->writable();
    const bool typedDescription = writable && Beskriv->document()->isModified();
    const HistoryStep *undo = writable ? history_->nextUndo() : nullptr;
    const HistoryStep *redo = writable && !typedDescription ? history_->nextRedo() : nullptr;
    if (typedDescription)
        Fortryd->setText(
            QStringLiteral("Fortryd: %1 skrevet, punkt %2").arg(DescriptionFileName).arg(CurrentItemNumber));
    else
        Fortryd->setText(undo ? QStringLiteral("Fortryd: ") + undo->caption() : QStringLiteral("Fortryd"));
    Fortryd->setEnabled(typedDescription || undo);
    Gentag->setText(redo ? QStringLiteral("Gentag: ") + redo->caption() : QStringLiteral("Gentag"));
    Gentag->setEnabled(redo);
    if (Historik && Historik->isVisible())
        Historik->refresh();
}

void TMQVEdit::FortrydClick()
{
    SaveDescription();
    showHistoryOutcome(history_->undo());
}

void TMQVEdit::GentagClick()
{
    SaveDescription();
    showHistoryOutcome(history_->redo());
}

void TMQVEdit::HistorikClick()
{
    if (!Historik) {
        Historik = new HistoryWindow(*history_, this);
        Historik->setWindowFlag(Qt::Window);
        connect(Historik, &HistoryWindow::undoTo, this,
                [this](qint64 step) { runGuarded([this, step] { undoTo(step); }); });
        connect(Historik, &HistoryWindow::restoreItemBefore, this, [this](qint64 step) { restoreItemBefore(step); });
    }
    Historik->chooseNewest();
    Historik->show();
    Historik->raise();
    Historik->activateWindow();
}

void TMQVEdit::undoTo(qint64 stepNumber)
{
    SaveDescription();
    CatalogueHistory::Outcome last;
    for (const HistoryStep *next = history_->nextUndo(); next && next->number >= stepNumber;
         next = history_->nextUndo()) {
        const CatalogueHistory::Outcome outcome = history_->undo();
        if (!outcome.done) {
            showHistoryOutcome(last);
            showHistoryOutcome(outcome);
            return;
        }
        last = outcome;
    }
    showHistoryOutcome(last);
}

// One new step, itself undoable, named for what it does.
void TMQVEdit::restoreItemBefore(qint64 stepNumber)
{
    CatalogueHistory::Action action;
    for (const HistoryStep &step : history_->steps()) {
        if (step.number == stepNumber) {
            action.item = step.item;
            action.title = step.title;
        }
    }
    action.name = QStringLiteral("Gendan punkt %1 som f\u00F8r").arg(action.item);
    runGuarded(
        [this, stepNumber] {
            SaveDescription();
            showHistoryOutcome(history_->restoreItemBefore(stepNumber));
        },
        action);
}

// The window goes to the item the step touched, or the nearest one below when the step took
// that item away, and shows what the files hold now, in the menus too.
void TMQVEdit::showHistoryOutcome(const CatalogueHistory::Outcome &outcome)
{
    // What the history put back is this editor's own change, not a colleague's.
    if (catalogueWatch_)
        catalogueWatch_->adopt();
    if (!outcome.refusal.isEmpty())
        throw std::runtime_error(outcome.refusal.toStdString());
    if (!outcome.done)
        return;
    BuildCategoryMenus();
    const ItemSearch::Exists exists = Catalogue::itemExists(*CatalogueFile);
    ShowNumber(exists(outcome.item) ? outcome.item : ItemSearch::previousStop(outcome.item, exists));
}
