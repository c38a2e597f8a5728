#pragma once

#include "catalogue/CategoryMenus.h"

#include <QFont>
#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class DescriptionEdit;
struct ClientLayout;
class QMainWindow;
class QObject;
class NumberSpinEdit;
class QAction;
class QActionGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QToolBar;
class QWidget;
class ScreenshotView;
class ScrollingClientArea;

// The window's controls, a group a struct, in the order the window definition lists them; the
// window is all of them at once, so each keeps the name it has in the definition. Each group
// makes its controls in their places, captions and fonts; the window wires them.

struct ToolBarControls {
    QToolBar *ToolBar1 = nullptr;
    QWidget *ToolButton3 = nullptr;
    QAction *NytPunkt = nullptr;
    QAction *SletPunkt = nullptr;
    QWidget *ToolButton5 = nullptr;
    QAction *ToolButton8 = nullptr;
    QAction *ToolButton10 = nullptr;
    QWidget *ToolButton11 = nullptr;
    QActionGroup *LanguageButtons = nullptr;
    QAction *BrugDansk = nullptr;
    QAction *BrugNorsk = nullptr;
    QAction *BrugSvensk = nullptr;
    QAction *BrugFinsk = nullptr;
    QWidget *ToolButton1 = nullptr;
    QAction *SletRTF = nullptr;
    QWidget *ToolButton6 = nullptr;
    QAction *Slet = nullptr;
    QWidget *ToolButton7 = nullptr;
    QAction *Paste = nullptr;
    QWidget *ToolButton4 = nullptr;
    QAction *ToolButton2 = nullptr;
    QWidget *ToolButton9 = nullptr;
    QLabel *TitelLabel = nullptr;
    QCheckBox *FuldVersion = nullptr;

    // The language buttons' group belongs to owner.
    void build(QWidget *client, QObject *owner);
};

struct KategorierControls {
    QGroupBox *Kategorier = nullptr;
    QCheckBox *ZProgram = nullptr;
    QCheckBox *Spil = nullptr;
    QCheckBox *Galleri = nullptr;
    QCheckBox *Junior = nullptr;
    QCheckBox *Vaerksted = nullptr;
    QCheckBox *Skole = nullptr;
    QCheckBox *Internet = nullptr;
    QCheckBox *Tilbehoer = nullptr;
    QCheckBox *Software = nullptr;
    QPushButton *KnapOp = nullptr;
    QPushButton *NedKnap = nullptr;
    QLabel *NummerLabel = nullptr;
    NumberSpinEdit *Nummer = nullptr;
    QLabel *Label2 = nullptr;
    NumberSpinEdit *FlytteSpinner = nullptr;

    void build(QWidget *client);
};

struct TekstfelterControls {
    QGroupBox *Tekstfelter = nullptr;
    QLabel *Titel = nullptr;
    QLabel *Folder = nullptr;
    QLabel *Setup = nullptr;
    QLabel *Run = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *TitelEdit = nullptr;
    QLineEdit *FolderEdit = nullptr;
    QLineEdit *SetupEdit = nullptr;
    QLineEdit *RunEdit = nullptr;
    QLineEdit *EkstraEdit = nullptr;
    QLineEdit *InternetEdit = nullptr;
    QPushButton *OpretNavn = nullptr;
    QPushButton *Omdoeb = nullptr;
    QPushButton *Start = nullptr;
    QPushButton *HentFast = nullptr;
    QCheckBox *Registrering = nullptr;
    QLabel *Ikon = nullptr;

    void build(QWidget *client);
};

struct GrafikControls {
    QGroupBox *Grafik = nullptr;
    ScreenshotView *Skud = nullptr;
    // The hidden listing of each category.
    QPlainTextEdit *ZProgrammer = nullptr;
    QPlainTextEdit *SpilListe = nullptr;
    QPlainTextEdit *JuniorListe = nullptr;
    QPlainTextEdit *SkoleListe = nullptr;
    QPlainTextEdit *GalleriListe = nullptr;
    QPlainTextEdit *TilbehoerListe = nullptr;
    QPlainTextEdit *Softwareliste = nullptr;
    QPlainTextEdit *InternetListe = nullptr;
    QPlainTextEdit *VaerkstedListe = nullptr;

    // The screenshot view reads ahead the pictures of the items the user can step to next.
    void build(QWidget *client, const std::function<std::vector<QString>()> &neighbourFolders);
    std::array<std::pair<CategoryMenus::Listing, QPlainTextEdit *>, CategoryMenus::listingCount> listingMemos() const;
    QPlainTextEdit *listingMemo(CategoryMenus::Listing listing) const;
};

struct DescriptionControls {
    QLineEdit *KortTekst = nullptr;
    DescriptionEdit *Beskriv = nullptr;
    QPlainTextEdit *MasterList = nullptr;
    QPushButton *Kursiv = nullptr;
    QPushButton *Fed = nullptr;
    QPushButton *Normal = nullptr;
    QPushButton *Punkt12 = nullptr;
    QPushButton *Punkt10 = nullptr;
    QPushButton *LMDButton3 = nullptr;
    QPushButton *LMDButton1 = nullptr;
    QPushButton *LMDButton2 = nullptr;
    QPushButton *LMDButton4 = nullptr;
    QPushButton *Arial = nullptr;

    void build(QWidget *client);
};

struct StatusBarControls {
    QStatusBar *ZStatus = nullptr;
    enum class StatusPanel { Sprog, Filnavn, Punkt, Status };
    std::array<QLabel *, 4> ZStatusPanels = {}; // by StatusPanel

    void build(QMainWindow &window);
    QLabel *statusPanel(StatusPanel panel) const { return ZStatusPanels[std::size_t(panel)]; }
};

struct MenuControls {
    QMenuBar *Zmenu = nullptr;
    std::array<QMenu *, CategoryMenus::menuCount> MenuBarMenus = {}; // by CategoryMenus::Menu
    // "Slet liste" at the end of each menu whose category can be erased, after its entries.
    std::array<QAction *, CategoryMenus::clearableMenuCount> ClearListEntries =
        {}; // by CategoryMenus::clearableMenus()

    // The description's context menu.
    QMenu *RTFMenu = nullptr;
    QAction *KursivMenu = nullptr;
    QAction *FedMenu = nullptr;
    QAction *NormalMenu = nullptr;
    QAction *N1 = nullptr;
    QAction *Punkt12Menu = nullptr;
    QAction *Punkt10Menu = nullptr;
    QAction *N3 = nullptr;
    QAction *GreenMenu = nullptr;
    QAction *RedMenu = nullptr;
    QAction *BlueMenu = nullptr;
    QAction *BlackMenu = nullptr;
    QAction *N2 = nullptr;
    QAction *Normal1 = nullptr;

    // The menu of the history and the writing aids, at the end of the menu bar.
    QMenu *Rediger = nullptr;

    // The context menu's shortcuts act while the description has the focus.
    void build(QMainWindow &window, QWidget &description);
    QMenu *menuBarMenu(CategoryMenus::Menu menu) const { return MenuBarMenus[std::size_t(menu)]; }
};

struct WindowControls : ToolBarControls,
                        KategorierControls,
                        TekstfelterControls,
                        GrafikControls,
                        DescriptionControls,
                        StatusBarControls,
                        MenuControls {
    // The area below the menu bar; every position of the window definition is relative to it.
    // It scrolls in ClientScroll where the window is too small to show it whole.
    QWidget *ClientArea = nullptr;
    ScrollingClientArea *ClientScroll = nullptr;

    static constexpr QSize designedClientSize{747, 552};
    // MS Sans Serif 8 pt, the font of the window definition.
    static QFont definitionFont();

    void setTabOrders();
    ClientLayout clientLayout() const;
    void applyClientLayout(const ClientLayout &layout);
};
