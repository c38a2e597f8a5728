#include "app/EditMQV.h"

#include "app/AccessibleNames.h"
#include "app/ClientLayout.h"
#include "app/EndRequests.h"

#include "app/DescriptionEdit.h"
#include "app/DescriptionLoadGuard.h"
#include "app/FlatToolBarStyle.h"
#include "app/NumberSpinEdit.h"
#include "app/ScreenFit.h"
#include "app/ScreenshotView.h"
#include "app/ScrollingClientArea.h"
#include "app/StartUpFill.h"
#include "app/StorableTextValidator.h"
#include "app/ToolbarImages.h"
#include "app/WindowColours.h"
#include "app/WindowPlacement.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueWatch.h"
#include "catalogue/CategoryMenus.h"
#include "description/DescriptionFont.h"
#include "display/TitleWidth.h"
#include "display/WindowsFonts.h"
#include "editor/RecoveryController.h"
#include "editor/StatusNotices.h"
#include "editor/TranslationMark.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

TMQVEdit::TMQVEdit(QWidget *parent, Filling filling)
    : QMainWindow(parent)
    , guard_([this](const QString &message) { reportError(message); })
{
    WindowsFonts::useStandIns();
    setObjectName(QStringLiteral("MQVEdit"));
    setWindowTitle(QStringLiteral("Z-CD editor"));
    setFont(definitionFont());
    setMinimumSize(100, 100);

    // The window's button-face background is the desktop's window colour. A Button background
    // role would make every label draw in the button-text colour and hide its colour mark.
    ClientArea = new QWidget;
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->setAutoFillBackground(true);
    ClientScroll = new ScrollingClientArea(ClientArea, this);
    ClientScroll->setObjectName(QStringLiteral("ClientScroll"));
    setCentralWidget(ClientScroll);

    ToolBarControls::build(ClientArea, this);
    KategorierControls::build(ClientArea);
    TekstfelterControls::build(ClientArea);
    GrafikControls::build(ClientArea, [this] { return neighbourFolders(); });
    DescriptionControls::build(ClientArea);
    Beskriv->installEventFilter(this);
    description_ = std::make_unique<DescriptionSession>(
        *Beskriv, [this](const QString &storedPath) { return recovery_->askForDescriptionTarget(storedPath); },
        [this] { showDescriptionAccess(); });
    new DescriptionLoadGuard(*Beskriv, [this] { description_->finishLoading(); });
    StatusBarControls::build(*this);
    statusNotices_ = new StatusNotices(*statusPanel(StatusPanel::Status), this);
    // What start-up fills in later only reads: it is no step of the history.
    startUpFill_ = new StartUpFill(*this, [this](const std::function<void()> &fill) { guard_.run(fill); });
    buildMenus();
    recovery_ = new RecoveryController(*this, *history_, *description_, this);
    setTabOrders();
    AccessibleNames::give(this);
    WindowColours::followPalette(this);
    ClientScroll->dock(ToolBar1);

    ScreenFit::fitToScreen(this,
                           QSize(designedClientSize.width(), designedClientSize.height() + Zmenu->sizeHint().height()));

    new WindowPlacement(*this);

    ClientArea->installEventFilter(this);
    ClientScroll->installEventFilter(this);
    guard_.setOnError([this] { checkAccessAfterError(); });
    guard_.setWhenDone([this] {
        showStoredItemAfterError();
        // Any action may have added or taken away the highest item: a fetch, an undo, a redo.
        if (CatalogueFile)
            showItemCounter();
        // Any action may have shown another translation or changed what it was written against.
        if (translationMark_)
            translationMark_->refresh();
    });
    connectHandlers();
    attachParts();
    new EndRequests(this, [this] { recovery_->saveBeforeEnding(); });
    FormCreate(filling);
}

TMQVEdit::~TMQVEdit() = default;

// Each flag's box, keyed by its key; the boxes are ticked, wired and locked from here.
std::array<TMQVEdit::FlagBox, 11> TMQVEdit::flagBoxes() const
{
    return {{
        {FlagKey::ZProgram, ZProgram, &TMQVEdit::ZProgramClick},
        {FlagKey::Spil, Spil, &TMQVEdit::SpilClick},
        {FlagKey::Galleri, Galleri, &TMQVEdit::GalleriClick},
        {FlagKey::Barn, Junior, &TMQVEdit::JuniorClick},
        {FlagKey::Vaerksted, Vaerksted, &TMQVEdit::VaerkstedClick},
        {FlagKey::Skole, Skole, &TMQVEdit::SkoleClick},
        {FlagKey::Internet, Internet, &TMQVEdit::InternetClick},
        {FlagKey::Tilbehoer, Tilbehoer, &TMQVEdit::TilbehoerClick},
        {FlagKey::Software, Software, &TMQVEdit::SoftwareClick},
        {FlagKey::Fuldversion, FuldVersion, &TMQVEdit::FuldVersionClick},
        {FlagKey::Registrer, Registrering, &TMQVEdit::RegistreringClick},
    }};
}

QCheckBox *TMQVEdit::categoryBox(Category category) const
{
    const FlagKey key = CatalogueKeys::flagKey(category);
    for (const FlagBox &flag : flagBoxes()) {
        if (flag.key == key)
            return flag.box;
    }
    return nullptr;
}

void TMQVEdit::showItemCounter()
{
    HighestItemNumber = Catalogue::highestItemNumber(*CatalogueFile);
    statusPanel(StatusPanel::Punkt)
        ->setText(QStringLiteral("Punkt %1 af %2").arg(CurrentItemNumber).arg(HighestItemNumber));
}

void TMQVEdit::buildMenus()
{
    MenuControls::build(*this, *Beskriv);

    // The menus the editor adds are reached from the keyboard by letters no formatting button uses.
    Rediger = Zmenu->addMenu(QStringLiteral("R&ediger"));
    Rediger->setObjectName(QStringLiteral("Rediger"));
    history_ = new HistoryController(*this, *Rediger, stepNames());
    connect(history_, &HistoryController::filesPutBack, this, [this] {
        if (catalogueWatch_)
            catalogueWatch_->adopt();
    });
    connect(history_, &HistoryController::catalogueChanged, this, &TMQVEdit::BuildCategoryMenus);
}

// Laid out from the size the client area has after the change, so the layout never lags one
// size behind; the client area holds the status bar below the scrolling part, as designed. Where a
// control would be cut off, the area scrolls instead.
void TMQVEdit::FormCanResize()
{
    const QSize client = ClientScroll->size() + QSize(0, ZStatus->height());
    applyClientLayout(clientLayout().resizedTo(client.width(), client.height()));
    ClientScroll->fitContent({Grafik, KortTekst, Beskriv});
}
