#include "app/WindowControls.h"

#include "app/ClientLayout.h"
#include "app/DescriptionEdit.h"
#include "app/FlatToolBarStyle.h"
#include "app/NumberSpinEdit.h"
#include "app/ScreenshotView.h"
#include "app/StorableTextValidator.h"
#include "app/ToolbarImages.h"
#include "app/WindowColours.h"
#include "description/DescriptionFont.h"
#include "display/TitleWidth.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int toolBarHeight = 28;
constexpr int statusBarHeight = 19;
constexpr QSize toolButtonSize(23, 22);

// Font heights of the window definition, in pixels at 96 dots per inch.
constexpr int pixels8pt = 11;
constexpr int pixels10pt = 13;
constexpr int pixels12pt = 16;

QFont designFont(const QString &family, int pixelSize, bool bold = false, bool italic = false)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont windowFont(int pixelSize = pixels8pt, bool bold = false, bool italic = false)
{
    return designFont(QStringLiteral("MS Sans Serif"), pixelSize, bold, italic);
}

template <typename Widget>
Widget *place(Widget *widget, const QString &name, int left, int top, int width, int height)
{
    widget->setObjectName(name);
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption, int left, int top)
{
    auto *result = new QLabel(caption, parent);
    result->setObjectName(name);
    result->adjustSize();
    result->move(left, top);
    return result;
}

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &caption, int left, int top, int width,
                    int height = 17)
{
    return place(new QCheckBox(caption, parent), name, left, top, width, height);
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption, int left, int top, int width,
                    int height)
{
    return place(new QPushButton(caption, parent), name, left, top, width, height);
}

QLineEdit *textField(QWidget *parent, const QString &name, int left, int top, int width = 153, int height = 24)
{
    auto *field = new QLineEdit(parent);
    new StorableTextValidator(field);
    return place(field, name, left, top, width, height);
}

QPlainTextEdit *hiddenMemo(QWidget *parent, const QString &name, const QStringList &lines, QRect geometry)
{
    auto *memo = place(new QPlainTextEdit(parent), name, geometry.left(), geometry.top(), geometry.width(),
                       geometry.height());
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    memo->hide();
    return memo;
}

QWidget *toolBarGap(QToolBar *toolBar, const QString &name, int width)
{
    auto *gap = new QWidget(toolBar);
    gap->setObjectName(name);
    gap->setFixedSize(width, toolButtonSize.height());
    toolBar->addWidget(gap);
    return gap;
}

QAction *toolBarButton(QToolBar *toolBar, const QString &name, int image, const QString &hint)
{
    auto *action = new QAction(ToolbarImages::icon(image), QString(), toolBar);
    action->setObjectName(name);
    action->setToolTip(hint);
    toolBar->addAction(action);
    QWidget *buttonWidget = toolBar->widgetForAction(action);
    buttonWidget->setObjectName(name + QStringLiteral("Button"));
    buttonWidget->setFixedSize(toolButtonSize);
    buttonWidget->setFocusPolicy(Qt::NoFocus);
    return action;
}

QAction *menuEntry(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

// The hidden memo of each category listing, keyed by its listing, and where it stands.
struct ListingMemo {
    CategoryMenus::Listing listing;
    QPlainTextEdit *GrafikControls::*memo;
    int top;
};
constexpr std::array<ListingMemo, CategoryMenus::listingCount> listingMemoDefinitions = {{
    {CategoryMenus::Listing::ZProgrammer, &GrafikControls::ZProgrammer, 16},
    {CategoryMenus::Listing::SpilListe, &GrafikControls::SpilListe, 40},
    {CategoryMenus::Listing::JuniorListe, &GrafikControls::JuniorListe, 64},
    {CategoryMenus::Listing::SkoleListe, &GrafikControls::SkoleListe, 88},
    {CategoryMenus::Listing::GalleriListe, &GrafikControls::GalleriListe, 112},
    {CategoryMenus::Listing::TilbehoerListe, &GrafikControls::TilbehoerListe, 136},
    {CategoryMenus::Listing::Softwareliste, &GrafikControls::Softwareliste, 160},
    {CategoryMenus::Listing::InternetListe, &GrafikControls::InternetListe, 184},
    {CategoryMenus::Listing::VaerkstedListe, &GrafikControls::VaerkstedListe, 208},
}};

QAction *menuSeparator(QMenu *menu, const QString &name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

} // namespace

void ToolBarControls::build(QWidget *client, QObject *owner)
{
    ToolBar1 = new QToolBar(client);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    auto *toolBarStyle = new FlatToolBarStyle();
    toolBarStyle->setParent(ToolBar1);
    ToolBar1->setStyle(toolBarStyle);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setGeometry(0, 0, WindowControls::designedClientSize.width(), toolBarHeight);

    ToolButton3 = toolBarGap(ToolBar1, QStringLiteral("ToolButton3"), 9);
    NytPunkt = toolBarButton(ToolBar1, QStringLiteral("NytPunkt"), 0, QStringLiteral("Tilføj punkt"));
    SletPunkt = toolBarButton(ToolBar1, QStringLiteral("SletPunkt"), 1, QStringLiteral("Slet punkt"));
    ToolButton5 = toolBarGap(ToolBar1, QStringLiteral("ToolButton5"), 8);
    ToolButton8 = toolBarButton(ToolBar1, QStringLiteral("ToolButton8"), 2, QString());
    ToolButton10 = toolBarButton(ToolBar1, QStringLiteral("ToolButton10"), 3, QString());
    ToolButton11 = toolBarGap(ToolBar1, QStringLiteral("ToolButton11"), 8);
    BrugDansk = toolBarButton(ToolBar1, QStringLiteral("BrugDansk"), 4, QStringLiteral("Skift til dansk"));
    BrugNorsk = toolBarButton(ToolBar1, QStringLiteral("BrugNorsk"), 5, QStringLiteral("Skift til norsk"));
    BrugSvensk = toolBarButton(ToolBar1, QStringLiteral("BrugSvensk"), 6, QStringLiteral("Skift til svensk"));
    BrugFinsk = toolBarButton(ToolBar1, QStringLiteral("BrugFinsk"), 7, QStringLiteral("Skift til finsk"));
    ToolButton1 = toolBarGap(ToolBar1, QStringLiteral("ToolButton1"), 9);
    SletRTF = toolBarButton(ToolBar1, QStringLiteral("SletRTF"), 8, QStringLiteral("Slet denne RTF-fil!"));
    ToolButton6 = toolBarGap(ToolBar1, QStringLiteral("ToolButton6"), 10);
    Slet = toolBarButton(ToolBar1, QStringLiteral("Slet"), 9, QStringLiteral("Slet indhold"));
    ToolButton7 = toolBarGap(ToolBar1, QStringLiteral("ToolButton7"), 9);
    Paste = toolBarButton(ToolBar1, QStringLiteral("Paste"), 10, QStringLiteral("Paste beskrivelse; fremad!"));
    ToolButton4 = toolBarGap(ToolBar1, QStringLiteral("ToolButton4"), 8);
    ToolButton2 = toolBarButton(ToolBar1, QStringLiteral("ToolButton2"), 11, QString());
    ToolButton9 = toolBarGap(ToolBar1, QStringLiteral("ToolButton9"), 17);

    LanguageButtons = new QActionGroup(owner);
    LanguageButtons->setObjectName(QStringLiteral("LanguageButtons"));
    LanguageButtons->setExclusive(true);
    for (QAction *language : {BrugDansk, BrugNorsk, BrugSvensk, BrugFinsk}) {
        language->setCheckable(true);
        LanguageButtons->addAction(language);
    }

    TitelLabel = new QLabel(ToolBar1);
    TitelLabel->setObjectName(QStringLiteral("TitelLabel"));
    TitelLabel->setFixedSize(TitleWidth::limit, 22);
    TitelLabel->setFont(TitleWidth::font());
    // On the tool bar's button background a label would draw in the button-text colour, not in
    // the colour that marks a title too wide.
    TitelLabel->setForegroundRole(QPalette::WindowText);
    WindowColours::setFontColour(TitelLabel, WindowColours::black());
    ToolBar1->addWidget(TitelLabel);

    FuldVersion = new QCheckBox(QStringLiteral("Fuldversion"), ToolBar1);
    FuldVersion->setObjectName(QStringLiteral("FuldVersion"));
    FuldVersion->setFixedSize(121, 22);
    FuldVersion->setFont(windowFont(pixels12pt, true));
    ToolBar1->addWidget(FuldVersion);
}

void KategorierControls::build(QWidget *client)
{
    Kategorier = place(new QGroupBox(QStringLiteral("Kategorier "), client), QStringLiteral("Kategorier"), 8, 40, 249,
                       185);
    Kategorier->setFont(windowFont(pixels10pt, true));
    WindowColours::setFontColour(Kategorier, WindowColours::black());

    ZProgram = checkBox(Kategorier, QStringLiteral("ZProgram"), QStringLiteral("ZProgram"), 16, 24, 89);
    Spil = checkBox(Kategorier, QStringLiteral("Spil"), QStringLiteral("Spil"), 16, 48, 81);
    Galleri = checkBox(Kategorier, QStringLiteral("Galleri"), QStringLiteral("Galleri"), 16, 72, 81);
    Junior = checkBox(Kategorier, QStringLiteral("Junior"), QStringLiteral("For børn"), 16, 96, 81);
    Vaerksted = checkBox(Kategorier, QStringLiteral("Vaerksted"), QStringLiteral("Værkstedet"), 16, 120, 121);
    Skole = checkBox(Kategorier, QStringLiteral("Skole"), QStringLiteral("Skoleting"), 136, 24, 97);
    Internet = checkBox(Kategorier, QStringLiteral("Internet"), QStringLiteral("Internet"), 136, 48, 81);
    Tilbehoer = checkBox(Kategorier, QStringLiteral("Tilbehoer"), QStringLiteral("Tilbehør"), 136, 72, 81);
    Software = checkBox(Kategorier, QStringLiteral("Software"), QStringLiteral("Software"), 136, 96, 81);
    KnapOp = button(Kategorier, QStringLiteral("KnapOp"), QStringLiteral("Op"), 128, 120, 49, 22);
    NedKnap = button(Kategorier, QStringLiteral("NedKnap"), QStringLiteral("Ned"), 184, 120, 49, 22);
    NummerLabel = label(Kategorier, QStringLiteral("NummerLabel"), QStringLiteral("Index"), 11, 160);
    Nummer = place(new NumberSpinEdit(NumberSpinEdit::TypedNumber::WhenComplete, Kategorier), QStringLiteral("Nummer"),
                   53, 152, 60, 21);
    Label2 = label(Kategorier, QStringLiteral("Label2"), QStringLiteral("Flyt"), 135, 160);
    // An item is moved by a number confirmed with Enter, never by leaving the field or scrolling past it.
    FlytteSpinner = place(new NumberSpinEdit(NumberSpinEdit::TypedNumber::OnEnter, Kategorier),
                          QStringLiteral("FlytteSpinner"), 173, 152, 60, 21);
}

void TekstfelterControls::build(QWidget *client)
{
    Tekstfelter = place(new QGroupBox(QStringLiteral("Tekstfelter "), client), QStringLiteral("Tekstfelter"), 272, 40,
                        465, 185);
    Tekstfelter->setFont(windowFont(pixels10pt, true));

    Titel = label(Tekstfelter, QStringLiteral("Titel"), QStringLiteral("Titel"), 16, 24);
    Folder = label(Tekstfelter, QStringLiteral("Folder"), QStringLiteral("Folder"), 16, 56);
    Setup = label(Tekstfelter, QStringLiteral("Setup"), QStringLiteral("Setup"), 16, 88);
    Run = label(Tekstfelter, QStringLiteral("Run"), QStringLiteral("Run"), 16, 120);
    Label1 = label(Tekstfelter, QStringLiteral("Label1"), QStringLiteral("Ekstra"), 16, 152);
    Label3 = label(Tekstfelter, QStringLiteral("Label3"), QStringLiteral("Internet"), 240, 120);
    TitelEdit = textField(Tekstfelter, QStringLiteral("TitelEdit"), 72, 16);
    FolderEdit = textField(Tekstfelter, QStringLiteral("FolderEdit"), 72, 48);
    SetupEdit = textField(Tekstfelter, QStringLiteral("SetupEdit"), 72, 80);
    RunEdit = textField(Tekstfelter, QStringLiteral("RunEdit"), 72, 112);
    EkstraEdit = textField(Tekstfelter, QStringLiteral("EkstraEdit"), 72, 144);
    InternetEdit = textField(Tekstfelter, QStringLiteral("InternetEdit"), 240, 144, 209, 24);
    OpretNavn = button(Tekstfelter, QStringLiteral("OpretNavn"), QStringLiteral("Opret"), 240, 16, 65, 22);
    Omdoeb = button(Tekstfelter, QStringLiteral("Omdoeb"), QStringLiteral("Omdøb"), 240, 48, 65, 22);
    Start = button(Tekstfelter, QStringLiteral("Start"), QStringLiteral("Installér"), 240, 80, 65, 22);
    HentFast = button(Tekstfelter, QStringLiteral("HentFast"), QStringLiteral("Hent fast"), 320, 16, 81, 22);
    Registrering = checkBox(Tekstfelter, QStringLiteral("Registrering"), QStringLiteral("Skal registreres"), 320, 120,
                            137);
    Ikon = place(new QLabel(Tekstfelter), QStringLiteral("Ikon"), 416, 26, 32, 32);
    Ikon->setScaledContents(true);
    for (QLineEdit *field : {TitelEdit, FolderEdit, SetupEdit, RunEdit, EkstraEdit, InternetEdit})
        WindowColours::setFontColour(field, WindowColours::black());
}

void GrafikControls::build(QWidget *client, const std::function<std::vector<QString>()> &neighbourFolders)
{
    Grafik = place(new QGroupBox(QStringLiteral("Grafik "), client), QStringLiteral("Grafik"), 8, 232, 321, 257);
    Grafik->setFont(windowFont(pixels8pt, true));
    Skud = place(new ScreenshotView(*Grafik, neighbourFolders), QStringLiteral("Skud"), 9, 17,
                 ScreenshotView::area.width(), ScreenshotView::area.height());
    Skud->setMaximumSize(ScreenshotView::area);
    Skud->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (const ListingMemo &definition : listingMemoDefinitions)
        this->*definition.memo = hiddenMemo(Grafik, CategoryMenus::listingObjectName(definition.listing),
                                            CategoryMenus::listingStart(definition.listing),
                                            QRect(16, definition.top, 257, 25));
    ZProgrammer->setLineWrapMode(QPlainTextEdit::NoWrap);
}

std::array<std::pair<CategoryMenus::Listing, QPlainTextEdit *>, CategoryMenus::listingCount>
GrafikControls::listingMemos() const
{
    std::array<std::pair<CategoryMenus::Listing, QPlainTextEdit *>, CategoryMenus::listingCount> memos;
    for (std::size_t i = 0; i < memos.size(); ++i)
        memos[i] = {listingMemoDefinitions[i].listing, this->*listingMemoDefinitions[i].memo};
    return memos;
}

QPlainTextEdit *GrafikControls::listingMemo(CategoryMenus::Listing listing) const
{
    for (const ListingMemo &definition : listingMemoDefinitions) {
        if (definition.listing == listing)
            return this->*definition.memo;
    }
    return nullptr;
}

void DescriptionControls::build(QWidget *client)
{
    KortTekst = textField(client, QStringLiteral("KortTekst"), 336, 236, 401, 21);
    WindowColours::setFontColour(KortTekst, WindowColours::black());

    Beskriv = place(new DescriptionEdit(client), QStringLiteral("Beskriv"), 336, 288, 401, 225);
    QFont descriptionFont(DescriptionFont::family);
    descriptionFont.setPointSize(DescriptionFont::pointSize);
    Beskriv->setFont(descriptionFont);
    Beskriv->document()->setDefaultFont(descriptionFont);
    WindowColours::setFontColour(Beskriv, WindowColours::black());
    // Text wraps at the width; a pasted table wider than the editor would otherwise be cut off.
    Beskriv->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Beskriv->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Beskriv->setContextMenuPolicy(Qt::CustomContextMenu);
    // Tab leaves the description along the tab order; Ctrl+Tab types a tab character.
    Beskriv->setTabChangesFocus(true);
    {
        QTextCursor cursor(Beskriv->document());
        QTextCharFormat initial;
        initial.setFont(descriptionFont);
        initial.setForeground(WindowColours::black());
        cursor.insertText(QStringLiteral("Beskriv") + QString(47, QLatin1Char(' ')), initial);
        cursor.insertBlock();
        cursor.insertBlock();
        // The design-time text is no user's work.
        Beskriv->document()->setModified(false);
    }

    MasterList = place(new QPlainTextEdit(client), QStringLiteral("MasterList"), 480, 312, 177, 73);
    MasterList->setLineWrapMode(QPlainTextEdit::NoWrap);
    MasterList->hide();

    struct FormatButton {
        QPushButton **button;
        const char *name;
        QString caption;
        int left;
        int width;
        QFont font;
        QColor colour;
    };
    const QColor black = WindowColours::black();
    const FormatButton buttons[] = {
        {&Kursiv, "Kursiv", QStringLiteral("&K"), 344, 25, windowFont(pixels8pt, true, true), black},
        {&Fed, "Fed", QStringLiteral("&F"), 368, 25, windowFont(pixels8pt, true), black},
        {&Normal, "Normal", QStringLiteral("&N"), 392, 25, windowFont(), WindowColours::blue()},
        {&Punkt12, "Punkt12", QStringLiteral("1&2"), 424, 25, windowFont(), black},
        {&Punkt10, "Punkt10", QStringLiteral("&10"), 448, 25, windowFont(), black},
        {&LMDButton3, "LMDButton3", QStringLiteral("&G"), 480, 25,
         designFont(QStringLiteral("Arial"), pixels10pt, true), WindowColours::green()},
        {&LMDButton1, "LMDButton1", QStringLiteral("&R"), 504, 25,
         designFont(QStringLiteral("Arial"), pixels10pt, true), WindowColours::red()},
        {&LMDButton2, "LMDButton2", QStringLiteral("&B"), 528, 25,
         designFont(QStringLiteral("Arial"), pixels10pt, true), WindowColours::blue()},
        {&LMDButton4, "LMDButton4", QStringLiteral("&S"), 552, 25,
         designFont(QStringLiteral("Arial"), pixels10pt, true), black},
        {&Arial, "Arial", QStringLiteral("Normal"), 584, 65, windowFont(pixels8pt, true), WindowColours::blue()},
    };
    for (const FormatButton &spec : buttons) {
        *spec.button = button(client, QLatin1String(spec.name), spec.caption, spec.left, 264, spec.width, 25);
        (*spec.button)->setFont(spec.font);
        WindowColours::setFontColour(*spec.button, spec.colour);
    }
}

void StatusBarControls::build(QMainWindow &window)
{
    // Below the scrolling area rather than over it: docked over the controls it covered the bottom of
    // the picture and the description whenever the horizontal scroll bar took its room.
    ZStatus = new QStatusBar(&window);
    ZStatus->setObjectName(QStringLiteral("ZStatus"));
    ZStatus->setSizeGripEnabled(false);
    ZStatus->setFixedHeight(statusBarHeight);
    // The panels' widths must not keep the window from being dragged narrower than they reach: there
    // the panels are cut off at the right, as the controls above scroll.
    ZStatus->setMinimumWidth(1);
    window.setStatusBar(ZStatus);
    struct PanelDefinition {
        StatusPanel panel;
        QString caption;
        int width;
    };
    const std::array<PanelDefinition, 4> panels = {{
        {StatusPanel::Sprog, QStringLiteral("Sprog: Dansk"), 100},
        {StatusPanel::Filnavn, QStringLiteral("Filnavn"), 200},
        {StatusPanel::Punkt, QStringLiteral("Punkt # af #"), 100},
        {StatusPanel::Status, QStringLiteral("Status"), 100},
    }};
    for (const PanelDefinition &definition : panels) {
        auto *panel = new QLabel(definition.caption, ZStatus);
        panel->setObjectName(QStringLiteral("ZStatusPanel%1").arg(int(definition.panel)));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        // The last panel says what keeps the user from editing and how to go on, which takes
        // more than its designed width: it takes the rest of the bar.
        if (definition.panel == StatusPanel::Status) {
            panel->setMinimumWidth(definition.width);
            ZStatus->addWidget(panel, 1);
        } else {
            panel->setFixedWidth(definition.width);
            ZStatus->addWidget(panel);
        }
        ZStatusPanels[std::size_t(definition.panel)] = panel;
    }
}

void MenuControls::build(QMainWindow &window, QWidget &description)
{
    Zmenu = new QMenuBar(&window);
    Zmenu->setObjectName(QStringLiteral("Zmenu"));
    window.setMenuBar(Zmenu);
    for (const CategoryMenus::MenuDefinition &menu : CategoryMenus::menus()) {
        QMenu *added = Zmenu->addMenu(menu.caption);
        added->setObjectName(menu.objectName);
        MenuBarMenus[std::size_t(menu.menu)] = added;
    }
    for (std::size_t i = 0; i < ClearListEntries.size(); ++i) {
        const auto &[menu, category] = CategoryMenus::clearableMenus()[i];
        menuBarMenu(menu)->addSeparator();
        ClearListEntries[i] = menuBarMenu(menu)->addAction(QStringLiteral("Slet liste"));
        ClearListEntries[i]->setObjectName(CatalogueKeys::name(category));
    }

    RTFMenu = new QMenu(&window);
    RTFMenu->setObjectName(QStringLiteral("RTFMenu"));
    // The context menu, in its order; an entry without shortcut keys is a separator.
    struct ContextEntry {
        QAction **entry;
        const char *name;
        QString caption;
        const char *keys;
    };
    const std::array<ContextEntry, 13> contextEntries = {{
        {&KursivMenu, "KursivMenu", QStringLiteral("Kursiv"), "Ctrl+K"},
        {&FedMenu, "FedMenu", QStringLiteral("Fed"), "Ctrl+F"},
        {&NormalMenu, "NormalMenu", QStringLiteral("Plain"), "Ctrl+P"},
        {&N1, "N1", QString(), nullptr},
        {&Punkt12Menu, "Punkt12Menu", QStringLiteral("12 Pkt"), "Ctrl+W"},
        {&Punkt10Menu, "Punkt10Menu", QStringLiteral("10 Pkt"), "Ctrl+Q"},
        {&N3, "N3", QString(), nullptr},
        {&GreenMenu, "GreenMenu", QStringLiteral("Grøn"), "Ctrl+G"},
        {&RedMenu, "RedMenu", QStringLiteral("Rød"), "Ctrl+R"},
        {&BlueMenu, "BlueMenu", QStringLiteral("Blå"), "Ctrl+B"},
        {&BlackMenu, "BlackMenu", QStringLiteral("Sort"), "Ctrl+S"},
        {&N2, "N2", QString(), nullptr},
        {&Normal1, "Normal1", QStringLiteral("Normal"), "Ctrl+N"},
    }};
    for (const ContextEntry &definition : contextEntries) {
        const QString name = QLatin1String(definition.name);
        *definition.entry = definition.keys
            ? menuEntry(RTFMenu, name, definition.caption, QKeySequence(QLatin1String(definition.keys)))
            : menuSeparator(RTFMenu, name);
    }
    // The shortcuts act while the description editor has the focus.
    description.addActions(RTFMenu->actions());
}

QFont WindowControls::definitionFont() { return windowFont(); }

void WindowControls::setTabOrders()
{
    const QList<QWidget *> direct = {Kategorier, Tekstfelter, Grafik,     KortTekst,  Beskriv,   MasterList,
                                     Fed,        Punkt10,     Normal,     Punkt12,    Arial,     ToolBar1,
                                     Kursiv,     LMDButton1,  LMDButton2, LMDButton3, LMDButton4};
    const QList<QWidget *> inKategorier = {ZProgram,  Spil,     Galleri, Junior,        Vaerksted, Skole,  Internet,
                                           Tilbehoer, Software, Nummer,  FlytteSpinner, KnapOp,    NedKnap};
    const QList<QWidget *> inTekstfelter = {TitelEdit,  FolderEdit, SetupEdit,    RunEdit,      Start,   OpretNavn,
                                            EkstraEdit, Omdoeb,     InternetEdit, Registrering, HentFast};
    for (const QList<QWidget *> &order : {inKategorier, inTekstfelter, direct}) {
        for (qsizetype i = 1; i < order.size(); ++i)
            QWidget::setTabOrder(order.at(i - 1), order.at(i));
    }
    for (QWidget *container : {static_cast<QWidget *>(Kategorier), static_cast<QWidget *>(Tekstfelter),
                               static_cast<QWidget *>(Grafik), static_cast<QWidget *>(ToolBar1)})
        container->setFocusPolicy(Qt::NoFocus);
}

ClientLayout WindowControls::clientLayout() const
{
    return {Grafik->geometry(), Skud->geometry(), KortTekst->geometry(), Beskriv->geometry()};
}

void WindowControls::applyClientLayout(const ClientLayout &layout)
{
    auto apply = [](QWidget *widget, QRect rect) {
        rect.setWidth(std::max(0, rect.width()));
        rect.setHeight(std::max(0, rect.height()));
        widget->setGeometry(rect);
    };
    apply(Grafik, layout.grafik);
    apply(Skud, layout.skud);
    apply(KortTekst, layout.kortTekst);
    apply(Beskriv, layout.beskriv);
}
