#include "editor/ProblemsController.h"

#include "app/DescriptionEdit.h"
#include "catalogue/Catalogue.h"
#include "editor/EditorContext.h"
#include "editor/ProblemsPane.h"
#include "rules/ProblemListing.h"
#include "rules/ProblemPlace.h"

#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace {

// Long enough to let a word be typed, short enough that the list follows within half a second.
constexpr int settleMilliseconds = 150;

} // namespace

ProblemsController::ProblemsController(EditorContext &context, QMainWindow &window, QMenu &menu)
    : QObject(&window)
    , context_(context)
{
    checking_.setMaxThreadCount(1);
    settle_.setSingleShot(true);
    settle_.setInterval(settleMilliseconds);

    dock_ = new QDockWidget(&window);
    dock_->setObjectName(QStringLiteral("Problemer"));
    pane_ = new ProblemsPane(dock_);
    dock_->setWidget(pane_);
    dock_->setWindowTitle(pane_->title());
    window.addDockWidget(Qt::RightDockWidgetArea, dock_);
    dock_->hide();

    QAction *toggle = dock_->toggleViewAction();
    toggle->setObjectName(QStringLiteral("VisProblemer"));
    toggle->setText(QStringLiteral("&Problemer"));
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    menu.addAction(toggle);

    connect(&settle_, &QTimer::timeout, this, [this] { startCheck(false); });
    connect(&check_, &QFutureWatcher<CatalogueReport>::finished, this, &ProblemsController::takeReport);
    // The window is laid out for its controls alone: the pane opened beside it widens it, as far
    // as the screen lets it, instead of taking the controls' room.
    connect(toggle, &QAction::triggered, this, [this, &window](bool shown) {
        if (!shown || dock_->isFloating() || window.isMaximized() || window.isFullScreen() || !window.screen())
            return;
        const int room = window.screen()->availableGeometry().right() - window.frameGeometry().right();
        window.resize(window.width() + std::clamp(pane_->sizeHint().width(), 0, std::max(0, room)), window.height());
    });
    connect(dock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            startCheck(true);
    });
    connect(pane_, &ProblemsPane::titleChanged, this, [this] { dock_->setWindowTitle(pane_->title()); });
    connect(pane_, &ProblemsPane::activated, this, &ProblemsController::showProblem);
    connect(pane_, &ProblemsPane::ignoreRequested, this, [this](const QString &key) {
        ignored().add(key);
        showRows();
    });
    connect(pane_, &ProblemsPane::restoreRequested, this, [this](const QString &key) {
        ignored().remove(key);
        showRows();
    });
}

ProblemsController::~ProblemsController() { checking_.waitForDone(); }

// A hidden pane checks nothing; it checks the whole catalogue anew when it is shown.
void ProblemsController::catalogueChanged()
{
    const int shown = context_.shownItem();
    if (dock_->isVisible()) {
        for (int item : {shown, lastShownItem_}) {
            if (!changedItems_.contains(item))
                changedItems_.append(item);
        }
        settle_.start();
    }
    lastShownItem_ = shown;
}

void ProblemsController::startCheck(bool whole)
{
    wholeCheckWaiting_ = wholeCheckWaiting_ || whole;
    if (check_.isRunning()) {
        changedWhileChecking_ = true;
        return;
    }
    changedWhileChecking_ = false;
    CatalogueCheck::EarlierCheck earlier;
    if (!wholeCheckWaiting_) {
        earlier.report = report_;
        earlier.changedItems = changedItems_;
    }
    wholeCheckWaiting_ = false;
    changedItems_.clear();
    // All four languages, as mqvcheck checks them by default; spelling is marked in the
    // description itself.
    check_.setFuture(QtConcurrent::run(&checking_, [earlier] {
        return CatalogueCheck::read(Catalogue::fileName(), ItemInspection::Options(), earlier);
    }));
}

// A change made while the check ran is checked next; until then the list shows what was found.
void ProblemsController::takeReport()
{
    CatalogueReport report = check_.result();
    CatalogueCheck::conclude(report);
    report_ = std::make_shared<const CatalogueReport>(std::move(report));
    showRows();
    if (changedWhileChecking_)
        startCheck(false);
}

void ProblemsController::showRows()
{
    if (!report_)
        return;
    QList<ListedProblem> shown;
    for (const ListedProblem &problem : ProblemListing::of(*report_)) {
        // The mark beside the catalogue is the open editors' own, gone when they close.
        if (problem.problem.kind != Problem::Kind::LockFileLeft && !ignored().contains(problem.key()))
            shown.append(problem);
    }
    pane_->setProblems(std::move(shown), ignored().keys());
}

IgnoredProblems &ProblemsController::ignored()
{
    if (!ignored_)
        ignored_.emplace(IgnoredProblems::fileFor(Catalogue::localPath()));
    return *ignored_;
}

// As the user's own step there: the description is saved first.
void ProblemsController::showProblem(const ListedProblem &problem)
{
    if (problem.item == 0)
        return;
    context_.showItem(problem.item);
    catalogueChanged();
    const std::optional<DescriptionLanguage> language = ProblemPlace::language(problem.problem);
    if (language)
        context_.showLanguage(*language);
    const ProblemPlace::Part part = ProblemPlace::part(problem.problem.kind);
    if (const std::optional<TextKey> key = ProblemPlace::field(part))
        context_.field(*key).setFocus(Qt::OtherFocusReason);
    else if (part == ProblemPlace::Part::Description)
        context_.descriptionEditor().setFocus(Qt::OtherFocusReason);
}
