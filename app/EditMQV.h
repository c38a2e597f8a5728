#pragma once

#include "app/CatalogueLock.h"
#include "app/ClientLayout.h"
#include "app/HandlerGuard.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueKeys.h"
#include "catalogue/CategoryMenus.h"
#include "catalogue/ItemFolder.h"
#include "catalogue/ProfileFile.h"
#include "description/DescriptionLanguage.h"
#include "description/DescriptionSession.h"
#include "editor/EditorContext.h"
#include "editor/HistoryController.h"
#include "files/FileStamp.h"
#include "history/CatalogueHistory.h"
#include "launch/Starter.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CatalogueWatch;
class DescriptionEdit;
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
class RecoveryController;
class QStatusBar;
class QTextCharFormat;
class QToolBar;
class ScreenshotView;
class ScrollingClientArea;
class WritingAids;

// The editor's one window. Controls are listed in the order the window is defined; every handler
// of the item operations lives in editor/, one file per concern.
class TMQVEdit : public QMainWindow, private EditorContext {
    Q_OBJECT
public:
    explicit TMQVEdit(QWidget *parent = nullptr);
    ~TMQVEdit() override;

    using Handler = void (TMQVEdit::*)();

    // Window-wide state. The catalogue's file is made first in the create step and kept for the
    // whole run, before any handler can run: handlers use it without asking.
    std::unique_ptr<ProfileFile> CatalogueFile;
    int CurrentItemNumber = 1;
    int HighestItemNumber = 1;
    DescriptionLanguage CurrentLanguage = DescriptionLanguage::Dansk;
    QString DescriptionFileName;
    bool SuppressMove = false;
    // "R-Irad: " and the shown item's title: part of the window title, and the caption of error messages.
    QString ApplicationTitle;

    // The area below the menu bar; every position of the window definition is relative to it.
    // It scrolls in ClientScroll where the window is too small to show it whole.
    QWidget *ClientArea = nullptr;
    ScrollingClientArea *ClientScroll = nullptr;

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

    QGroupBox *Grafik = nullptr;
    ScreenshotView *Skud = nullptr;
    QPlainTextEdit *ZProgrammer = nullptr;
    QPlainTextEdit *SpilListe = nullptr;
    QPlainTextEdit *JuniorListe = nullptr;
    QPlainTextEdit *SkoleListe = nullptr;
    QPlainTextEdit *GalleriListe = nullptr;
    QPlainTextEdit *TilbehoerListe = nullptr;
    QPlainTextEdit *Softwareliste = nullptr;
    QPlainTextEdit *InternetListe = nullptr;
    QPlainTextEdit *VaerkstedListe = nullptr;

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

    QStatusBar *ZStatus = nullptr;
    enum class StatusPanel { Sprog, Filnavn, Punkt, Status };
    std::array<QLabel *, 4> ZStatusPanels = {}; // by StatusPanel

    QMenuBar *Zmenu = nullptr;
    std::array<QMenu *, CategoryMenus::menuCount> MenuBarMenus = {}; // by CategoryMenus::Menu
    // "Slet liste" at the end of each menu whose category can be erased, after its entries.
    std::array<QAction *, CategoryMenus::clearableMenuCount> ClearListEntries =
        {}; // by CategoryMenus::clearableMenus()

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

    // The menu of the history, at the end of the menu bar.
    QMenu *Rediger = nullptr;

    ::Starter Starter;

    // Shared item operations.
    void ShowItem();
    void UpdateCategoryColour();
    // Makes the category menus, the listings and the master listing anew from the catalogue; run
    // after every change of titles, numbers or categories, so each entry shows the item it names.
    void BuildCategoryMenus();
    void SaveDescription();
    void MoveItemSection(const QString &source, const QString &destination);
    void ShowNumber(int number);

    // Toolbar and navigation.
    void NyClick();
    void SletPunktClick();
    void TilbageClick();
    void FremClick();
    void SletClick();
    void NummerChange();

    // Reordering.
    void KnapOpClick();
    void NedKnapClick();
    void FlytteSpinnerChange();

    // Field editing.
    void ZProgramClick();
    void SpilClick();
    void GalleriClick();
    void JuniorClick();
    void VaerkstedClick();
    void SkoleClick();
    void InternetClick();
    void TilbehoerClick();
    void SoftwareClick();
    void FuldVersionClick();
    void RegistreringClick();
    void TitelEditChange();
    void FolderEditChange();
    void FolderEditLeave();
    void SetupEditChange();
    void RunEditChange();
    void EkstraEditChange();
    void SetupEditLeave();
    void RunEditLeave();
    void EkstraEditLeave();
    void KortTekstChange();
    void InternetEditChange();
    void OpretNavnClick();
    void OmdoebClick();

    // Descriptions.
    void BrugDanskClick();
    void BrugNorskClick();
    void BrugSvenskClick();
    void BrugFinskClick();
    void SletRTFClick();
    void PasteClick();

    // Formatting.
    void KursivClick();
    void FedClick();
    void NormalClick();
    void Punkt12Click();
    void Punkt10Click();
    void GreenClick();
    void RedClick();
    void BlueClick();
    void BlackClick();
    void StandardClick();

    // Category menus, import and launching.
    void MenuValg(QAction *entry);
    void SletMenu(QAction *entry);
    void ToolButton2Click();
    void HentFastClick();
    void StartClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildToolBar();
    void buildKategorier();
    void buildTekstfelter();
    void buildGrafik();
    void buildDescriptionArea();
    void buildStatusBar();
    void buildMenus();
    void setTabOrders();
    void connectHandlers();

    void FormCreate();
    void FormCanResize();
    // The item operations that are objects of their own, made with the window and owned by it.
    void attachParts();
    // The spelling corrections for the word at this place of the description, put in its context menu.
    void offerCorrections(const QPoint &position);

    // Every handler runs through the guard, so an error ends only the handler it was raised in.
    void runHandler(Handler handler);
    void runGuarded(const std::function<void()> &function);
    // The outermost run is one user action, one step of the history.
    void runGuarded(const std::function<void()> &function, const CatalogueHistory::Action &action);
    void reportError(const QString &message);
    void checkAccessAfterError();
    void showStoredItemAfterError();
    template <typename Sender, typename Signal>
    void bindHandler(Sender *sender, Signal signal, Handler handler);

    // A single-line field with the key it shows, its change handler and, when leaving it runs
    // one, its leave handler.
    struct FieldWiring {
        QLineEdit *field;
        TextKey key;
        Handler change;
        Handler leave;
    };
    std::array<FieldWiring, 7> fieldWirings() const;
    bool isField(const QObject *object) const;
    FieldWiring fieldWiring(const QLineEdit *field) const;

    // Changes made to the catalogue outside this editor, shown as soon as they are seen and before
    // any write of this editor; a field being typed in is kept or given up as the user says.
    void openCatalogueWatch();
    bool takeInOutsideChanges(QLineEdit *typing);
    bool takeInOutsideChangesFor(Handler handler);
    bool followOutsideChange(QLineEdit *typing);
    bool askWhichValueStays(TextKey key, const QString &theirs);
    void showStoredItem(QLineEdit *keep, bool folderChanged);

    // Display and field helpers shared by the handlers.
    QString shownSection() const { return Catalogue::SectionName(CurrentItemNumber); }
    bool shownItemExists() const { return CatalogueFile->SectionExists(shownSection()); }
    // The check box of each flag key and the handler its click runs, in the keys' order.
    struct FlagBox {
        FlagKey key;
        QCheckBox *box;
        Handler click;
    };
    std::array<FlagBox, 11> flagBoxes() const;
    QCheckBox *flagBox(FlagKey key) const;
    QCheckBox *categoryBox(Category category) const;
    QLabel *statusPanel(StatusPanel panel) const { return ZStatusPanels[std::size_t(panel)]; }
    QMenu *menuBarMenu(CategoryMenus::Menu menu) const { return MenuBarMenus[std::size_t(menu)]; }
    void categoryClick(Category category);
    void flagClick(FlagKey key, QCheckBox *box);
    enum class FileFieldEvent { Typed, Left };
    void fileFieldChange(QLineEdit *field, TextKey key, FileFieldEvent event);
    std::optional<int> otherItemInFolder(const QString &folder) const;
    bool holdsAnotherItem(const QString &folder) const;
    bool folderUsable(const QString &folder) const;
    void storeFolder();
    void refuseSharedFolderRename(const QString &folder, int sharer);
    void showText(QLineEdit *field, const QString &text);
    void colourFileField(QLineEdit *field);
    void moveToNearestFreeNumber(bool upward);
    // The folders of the items the user can step to next from the shown one.
    std::vector<QString> neighbourFolders() const;
    void showIcon(const QString &folder);
    // Shows where the description comes from and whether it can be typed in.
    void showDescriptionAccess();
    QString shownFileName() const;
    void showStatus();
    bool saveBeforeClosing();
    void chooseLanguage(DescriptionLanguage language);
    void mergeDescriptionFormat(const QTextCharFormat &format);
    bool filterDescriptionKeys(QEvent *event);
    void showItemCounter();
    void showApplicationTitle();

    // Read-only catalogues are browsed without writes.
    void openCatalogueLock();

    // The hidden memo of each category listing.
    std::array<std::pair<CategoryMenus::Listing, QPlainTextEdit *>, CategoryMenus::listingCount> listingMemos() const;
    QPlainTextEdit *listingMemo(CategoryMenus::Listing listing) const;
    void showMenuEntries(QMenu *menu, const QList<CategoryMenus::Entry> &entries);

    // The name of the step each handler starts, where what it changes would not say it.
    std::vector<HistoryController::StepName> stepNames() const;

    // What the parts of the editor are given of the window.
    ProfileFile &catalogue() override { return *CatalogueFile; }
    int shownItem() const override { return CurrentItemNumber; }
    int highestItem() const override { return HighestItemNumber; }
    DescriptionLanguage shownLanguage() const override { return CurrentLanguage; }
    QString shownTitle() const override;
    QString descriptionFileName() const override { return DescriptionFileName; }
    bool catalogueWritable() const override;
    DescriptionEdit &descriptionEditor() override { return *Beskriv; }
    QLineEdit &field(TextKey key) override;
    void showItem(int number) override { ShowNumber(number); }
    void showLanguage(DescriptionLanguage language) override { chooseLanguage(language); }
    void showStoredItem() override { ShowItem(); }
    void saveDescription() override { SaveDescription(); }
    StatusNotices &statusNotices() override;
    int ask(const Question &question) override;
    QWidget &window() override { return *this; }
    void runAction(const QString &name, const std::function<void()> &action) override;
    void runUnrecorded(const std::function<void()> &action) override;

    ClientLayout clientLayout() const;
    void applyClientLayout(const ClientLayout &layout);

    // The description file shown in Beskriv.
    std::unique_ptr<DescriptionSession> description_;
    // The controls locked while the catalogue cannot be written.
    std::unique_ptr<CatalogueLock> catalogueLock_;

    HandlerGuard guard_;
    HistoryController *history_ = nullptr;
    RecoveryController *recovery_ = nullptr;
    // Gone only where a measurement takes it away to compare.
    QPointer<CatalogueWatch> catalogueWatch_;
    // Spell checking and the comparison window.
    WritingAids *writingAids_ = nullptr;

    // While a display ticks the boxes one by one, the category group's colour waits for the last:
    // a colour that goes red and back within one display would repaint the whole group twice.
    bool settingFlagBoxes_ = false;
};
