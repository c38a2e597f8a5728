#include "app/EditMQV.h"

#include "app/DescriptionEdit.h"
#include "app/NumberSpinEdit.h"
#include "app/ScreenshotView.h"
#include "app/ScrollingClientArea.h"
#include "app/StartUpFill.h"
#include "catalogue/ItemSearch.h"
#include "editor/OutsideChangeController.h"
#include "editor/RecoveryController.h"

#include <QAction>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

template <typename Control>
struct Wiring {
    Control *control;
    TMQVEdit::Handler handler;
};

} // namespace

// Each field shows one key and runs its handler on every change; some run it once more when the user leaves them.
// The lock, the outside changes and the history's steps of typing all read this one table.
std::array<TMQVEdit::FieldWiring, 7> TMQVEdit::fieldWirings() const
{
    return {{
        {TitelEdit, TextKey::Titel, &TMQVEdit::TitelEditChange, nullptr, true},
        {FolderEdit, TextKey::Folder, &TMQVEdit::FolderEditChange, &TMQVEdit::FolderEditLeave, true},
        {SetupEdit, TextKey::Setup, &TMQVEdit::SetupEditChange, &TMQVEdit::SetupEditLeave, true},
        {RunEdit, TextKey::Run, &TMQVEdit::RunEditChange, &TMQVEdit::RunEditLeave, true},
        {EkstraEdit, TextKey::Ekstra, &TMQVEdit::EkstraEditChange, &TMQVEdit::EkstraEditLeave, true},
        {InternetEdit, TextKey::Webside, &TMQVEdit::InternetEditChange, nullptr, true},
        {KortTekst, TextKey::Global, &TMQVEdit::KortTekstChange, &TMQVEdit::KortTekstChange, true},
    }};
}

// Keystrokes in one field of one item make one step together.
std::vector<HistoryController::StepName> TMQVEdit::stepNames() const
{
    const auto named = [](const QString &name) { return [name](CatalogueHistory::Action &step) { step.name = name; }; };
    // Named by where the item goes, which the button's caption alone does not say.
    const auto movedTo = [this](bool upward) {
        return [this, upward](CatalogueHistory::Action &step) {
            const auto exists = Catalogue::itemExists(*CatalogueFile);
            const std::optional<int> free = upward ? ItemSearch::freeNumberAbove(step.item, exists)
                                                   : ItemSearch::freeNumberBelow(step.item, exists);
            step.name = upward ? QStringLiteral("Op") : QStringLiteral("Ned");
            if (free)
                step.name += QStringLiteral(": punkt %1 → %2").arg(step.item).arg(*free);
        };
    };
    std::vector<HistoryController::StepName> names = {
        {&TMQVEdit::NyClick,
         [this](CatalogueHistory::Action &step) {
             step.name = QStringLiteral("Tilføj punkt");
             step.item =
                 ItemSearch::freeNumberForNewItem(step.item, Catalogue::itemExists(*CatalogueFile)).value_or(step.item);
             step.title.clear();
         }},
        {&TMQVEdit::SletPunktClick, named(QStringLiteral("Slet punkt"))},
        {&TMQVEdit::SletClick, named(QStringLiteral("Slet indhold"))},
        {&TMQVEdit::KnapOpClick, movedTo(true)},
        {&TMQVEdit::NedKnapClick, movedTo(false)},
        {&TMQVEdit::FlytteSpinnerChange,
         [this](CatalogueHistory::Action &step) {
             step.name = QStringLiteral("Flyt til punkt %1").arg(FlytteSpinner->value());
         }},
        {&TMQVEdit::HentFastClick, named(QStringLiteral("Hent fast: punkt 24–42"))},
        {&TMQVEdit::PasteClick, named(QStringLiteral("Paste beskrivelse"))},
    };
    for (const FieldWiring &wiring : fieldWirings()) {
        const auto merged = [name = wiring.field->objectName()](CatalogueHistory::Action &step) {
            step.mergeKey = name + QLatin1Char('/') + QString::number(step.item);
        };
        names.push_back({wiring.change, merged});
        if (wiring.leave && wiring.leave != wiring.change)
            names.push_back({wiring.leave, merged});
    }
    return names;
}

template <typename Sender, typename Signal>
void TMQVEdit::bindHandler(Sender *sender, Signal signal, Handler handler)
{
    connect(sender, signal, this, [this, handler] { runHandler(handler); });
}

void TMQVEdit::connectHandlers()
{
    const std::array<Wiring<QAction>, 12> actions = {{
        {NytPunkt, &TMQVEdit::NyClick},
        {SletPunkt, &TMQVEdit::SletPunktClick},
        {ToolButton8, &TMQVEdit::TilbageClick},
        {ToolButton10, &TMQVEdit::FremClick},
        {BrugDansk, &TMQVEdit::BrugDanskClick},
        {BrugNorsk, &TMQVEdit::BrugNorskClick},
        {BrugSvensk, &TMQVEdit::BrugSvenskClick},
        {BrugFinsk, &TMQVEdit::BrugFinskClick},
        {SletRTF, &TMQVEdit::SletRTFClick},
        {Slet, &TMQVEdit::SletClick},
        {Paste, &TMQVEdit::PasteClick},
        {ToolButton2, &TMQVEdit::ToolButton2Click},
    }};
    for (const auto &[action, handler] : actions)
        bindHandler(action, &QAction::triggered, handler);

    for (const FlagBox &flag : flagBoxes())
        bindHandler(flag.box, &QCheckBox::toggled, flag.click);

    const std::array<Wiring<QPushButton>, 6> buttons = {{
        {KnapOp, &TMQVEdit::KnapOpClick},
        {NedKnap, &TMQVEdit::NedKnapClick},
        {OpretNavn, &TMQVEdit::OpretNavnClick},
        {Omdoeb, &TMQVEdit::OmdoebClick},
        {Start, &TMQVEdit::StartClick},
        {HentFast, &TMQVEdit::HentFastClick},
    }};
    for (const auto &[button, handler] : buttons)
        bindHandler(button, &QPushButton::clicked, handler);

    bindHandler(Nummer, &QSpinBox::valueChanged, &TMQVEdit::NummerChange);
    bindHandler(FlytteSpinner, &QSpinBox::valueChanged, &TMQVEdit::FlytteSpinnerChange);
    bindHandler(FolderEdit, &QLineEdit::returnPressed, &TMQVEdit::FolderEditLeave);

    for (const FieldWiring &wiring : fieldWirings()) {
        bindHandler(wiring.field, &QLineEdit::textChanged, wiring.change);
        wiring.field->installEventFilter(this);
    }

    // Each formatting command has a button and an entry in the description's context menu.
    struct FormattingWiring {
        QPushButton *button;
        QAction *menuEntry;
        Handler handler;
    };
    const std::array<FormattingWiring, 10> formatting = {{
        {Kursiv, KursivMenu, &TMQVEdit::KursivClick},
        {Fed, FedMenu, &TMQVEdit::FedClick},
        {Normal, NormalMenu, &TMQVEdit::NormalClick},
        {Punkt12, Punkt12Menu, &TMQVEdit::Punkt12Click},
        {Punkt10, Punkt10Menu, &TMQVEdit::Punkt10Click},
        {LMDButton3, GreenMenu, &TMQVEdit::GreenClick},
        {LMDButton1, RedMenu, &TMQVEdit::RedClick},
        {LMDButton2, BlueMenu, &TMQVEdit::BlueClick},
        {LMDButton4, BlackMenu, &TMQVEdit::BlackClick},
        {Arial, Normal1, &TMQVEdit::StandardClick},
    }};
    for (const FormattingWiring &wiring : formatting) {
        bindHandler(wiring.button, &QPushButton::clicked, wiring.handler);
        bindHandler(wiring.menuEntry, &QAction::triggered, wiring.handler);
    }
    for (QAction *clear : ClearListEntries) {
        connect(clear, &QAction::triggered, this, [this, clear] {
            runAction(QStringLiteral("Slet liste: %1").arg(clear->objectName()), [this, clear] { SletMenu(clear); });
        });
    }
    connect(Beskriv->document(), &QTextDocument::modificationChanged, history_, &HistoryController::refresh);
    connect(Beskriv, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        offerCorrections(position);
        RTFMenu->popup(Beskriv->viewport()->mapToGlobal(position));
    });
}

TMQVEdit::FieldWiring TMQVEdit::fieldWiring(TextKey key) const
{
    const auto wirings = fieldWirings();
    return *std::find_if(wirings.begin(), wirings.end(),
                         [key](const FieldWiring &wiring) { return wiring.key == key; });
}

bool TMQVEdit::isField(const QObject *object) const
{
    const auto wirings = fieldWirings();
    return std::any_of(wirings.begin(), wirings.end(),
                       [object](const FieldWiring &wiring) { return wiring.field == object; });
}

bool TMQVEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ClientScroll && event->type() == QEvent::Resize)
        FormCanResize();
    if (watched == ClientArea && event->type() == QEvent::Paint && Skud->noteFirstFrame()) {
        startUpFill_->noteFirstFrame();
        QTimer::singleShot(0, recovery_, &RecoveryController::checkAtStart);
    }
    if (watched == Beskriv && filterDescriptionKeys(event))
        return true;
    // Keys typed on after a failed write go nowhere; a click into a field is the user trying again.
    if (event->type() == QEvent::MouseButtonPress && catalogueLock_->lockedAfterFailedWrite() && isField(watched))
        catalogueLock_->retryAfterFailedWrite(CurrentItemNumber);
    // Leaving a field means the focus moving to another control; switching to another window or
    // opening a menu leaves nothing.
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return QMainWindow::eventFilter(watched, event);
        for (const FieldWiring &wiring : fieldWirings()) {
            if (watched != wiring.field)
                continue;
            if (wiring.leave)
                runHandler(wiring.leave);
            // What was typed in the field is one step, complete once the user leaves it.
            history_->endMerging();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMQVEdit::runGuarded(const std::function<void()> &function)
{
    if (guard_.running())
        guard_.run(function);
    else
        runGuarded(function, history_->stepFor(nullptr));
}

void TMQVEdit::runGuarded(const std::function<void()> &function, const CatalogueHistory::Action &action)
{
    if (guard_.running()) {
        guard_.run(function);
        return;
    }
    if (!readyForAction(std::nullopt))
        return;
    history_->record(action, [this, &function] { guard_.run(function); });
}

bool TMQVEdit::readyForAction(std::optional<TextKey> typing)
{
    startUpFill_->finish();
    return outsideChanges_->takeInOutsideChanges(typing);
}

void TMQVEdit::runUnrecorded(const std::function<void()> &action)
{
    if (guard_.running()) {
        guard_.run(action);
        return;
    }
    if (readyForAction(std::nullopt))
        guard_.run(action);
}

void TMQVEdit::runAction(const QString &name, const std::function<void()> &function)
{
    CatalogueHistory::Action action = history_->stepFor(nullptr);
    action.name = name;
    runGuarded(function, action);
}

void TMQVEdit::runHandler(Handler handler)
{
    const auto run = [this, handler] { (this->*handler)(); };
    // Only a field whose text is the user's own: a field set by the program runs no check.
    std::optional<TextKey> typing;
    for (const FieldWiring &wiring : fieldWirings()) {
        if (handler == wiring.change || (handler && handler == wiring.leave))
            typing = wiring.key;
    }
    if (!guard_.running() && !readyForAction(typing))
        return;
    if (guard_.running())
        guard_.run(run);
    else
        runGuarded(run, history_->stepFor(handler));
}

void TMQVEdit::reportError(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, ApplicationTitle, message, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("ErrorMessage"));
    box.exec();
}
