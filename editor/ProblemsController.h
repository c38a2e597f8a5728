#pragma once

#include "rules/CatalogueCheck.h"
#include "rules/IgnoredProblems.h"

#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <memory>
#include <optional>

class EditorContext;
class ProblemsPane;
class QDockWidget;
class QMainWindow;
class QMenu;
struct ListedProblem;

// The "Problemer" pane: every problem of the disc by the rules mqvcheck applies, kept up to date
// as the catalogue changes. The checks run beside the window, never on the path of a keystroke:
// a change only restarts a short wait, after which the whole catalogue is read again in the
// background and only measuring the titles comes back to the interface thread. Owned by the window.
class ProblemsController : public QObject {
    Q_OBJECT
public:
    // The pane docks in the window, hidden until its entry in the menu is ticked.
    ProblemsController(EditorContext &context, QMainWindow &window, QMenu &menu);
    ~ProblemsController() override;

    // This editor wrote, or took in a change from outside: the list follows shortly.
    void catalogueChanged();

private:
    // A whole check reads every item's files; otherwise only those of the items that changed.
    void startCheck(bool whole);
    void takeReport();
    void showRows();
    void showProblem(const ListedProblem &problem);
    // Read when first needed: the window is made before its catalogue is opened.
    IgnoredProblems &ignored();

    EditorContext &context_;
    QDockWidget *dock_ = nullptr;
    ProblemsPane *pane_ = nullptr;
    // Changes in quick succession (typing) are checked once, after the last.
    QTimer settle_;
    bool changedWhileChecking_ = false;
    bool wholeCheckWaiting_ = false;
    // The items whose files may have changed since the last check began: the one shown at each
    // change and the one before it, as leaving an item saves its description.
    QList<int> changedItems_;
    int lastShownItem_ = 0;
    std::optional<IgnoredProblems> ignored_;
    // The last check's report, concluded; none before the first.
    std::shared_ptr<const CatalogueReport> report_;
    QFutureWatcher<CatalogueReport> check_;
    // One check at a time; its items are read by the global pool. Last, so it is waited for first.
    QThreadPool checking_;
};
