#pragma once

#include "history/CatalogueHistory.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class EditorContext;
class HistoryWindow;
class QAction;
class QMenu;
class TMQVEdit;

// The catalogue's history as the user reaches it: "Fortryd", "Gentag" and "Historik…" in the menu
// it is given, the history window, and the name each user action's step is filed under. It talks
// to the editor through its context only. Its own undo and redo open no step: what they put back
// is a step of the history already, and a step of their own would end the way forward.
class HistoryController : public QObject {
    Q_OBJECT
public:
    // A handler of the window; only compared here, never called.
    using Handler = void (TMQVEdit::*)();
    // The name of the step a handler starts, where what it changes would not say it. It may also
    // file the step under another item: the one a new item gets.
    struct StepName {
        Handler handler;
        std::function<void(CatalogueHistory::Action &step)> name;
    };

    HistoryController(EditorContext &context, QMenu &menu, std::vector<StepName> stepNames);
    ~HistoryController() override;

    // Opens the catalogue's history; until then nothing is recorded.
    void open();
    // Another editor on the catalogue keeps its history: this one records nothing.
    bool keptByAnotherEditor() const;

    // The step a run of this handler (none: an action no handler names) is filed under.
    CatalogueHistory::Action stepFor(Handler handler) const;
    // The changes `work` makes are the step's; a step with the merge key of the open one goes on it.
    void record(const CatalogueHistory::Action &step, const std::function<void()> &work);
    // What was typed in a field is one step, complete once the user leaves the field.
    void endMerging();
    // Tells the user once, when the history could not be read or written.
    void tellFailure();
    // The captions name what a click would take back or do again.
    void refresh();

signals:
    // The history put files back: what they hold now is this editor's own change, not a colleague's.
    void filesPutBack();
    // The catalogue is what a step left: menus and listings are made anew from it.
    void catalogueChanged();
    // A step was recorded, taken back or done again, or a change from outside taken in: what
    // the files hold may have changed.
    void stepsChanged();

private:
    void undo();
    void redo();
    void takeStep(CatalogueHistory::Outcome (CatalogueHistory::*take)());
    void showWindow();
    void undoTo(qint64 stepNumber);
    void restoreItemBefore(qint64 stepNumber);
    void showOutcome(const CatalogueHistory::Outcome &outcome);

    EditorContext &context_;
    std::vector<StepName> stepNames_;
    std::unique_ptr<CatalogueHistory> history_;
    QAction *undo_ = nullptr;
    QAction *redo_ = nullptr;
    QPointer<HistoryWindow> window_;
};
