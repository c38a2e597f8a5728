#pragma once

#include "app/CatalogueLock.h"
#include "app/HandlerGuard.h"
#include "app/WindowControls.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ProfileFile.h"
#include "description/DescriptionSession.h"
#include "editor/EditorContext.h"
#include "editor/FolderRules.h"
#include "editor/HistoryController.h"
#include "launch/Starter.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CatalogueWatch;
class OutsideChangeController;
class RecoveryController;
class QTextCharFormat;
class StartUpFill;
class StatusNotices;
class TranslationMark;
class WritingAids;

// The editor's one window. Its controls are listed in app/WindowControls.h in the order the window
// is defined; every handler of the item operations lives in editor/, one file per concern, and the
// parts of the editor see the window only as their EditorContext.
class TMQVEdit : public QMainWindow, public WindowControls, public EditorContext {
    Q_OBJECT
public:
    // At once, or, for a window about to be shown, after its first frame: the description and the
    // category menus and listings, so that the window is on the screen without waiting for them.
    enum class Filling { AtOnce, AfterFirstFrame };

    explicit TMQVEdit(QWidget *parent = nullptr, Filling filling = Filling::AtOnce);
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

    // What the parts of the editor see of the window.
    ProfileFile &catalogue() override { return *CatalogueFile; }
    int shownItem() const override { return CurrentItemNumber; }
    int highestItem() const override { return HighestItemNumber; }
    DescriptionLanguage shownLanguage() const override { return CurrentLanguage; }
    QString shownTitle() const override;
    DescriptionEdit &descriptionEditor() override { return *Beskriv; }
    QString descriptionFileName() const override { return DescriptionFileName; }
    void saveDescription() override { SaveDescription(); }
    bool catalogueWritable() const override;
    QLineEdit &field(TextKey key) override;
    void showItem(int number) override;
    void showLanguage(DescriptionLanguage language) override;
    void showStoredItem() override;
    void showStoredValues(std::optional<TextKey> typing) override;
    StatusNotices &statusNotices() override { return *statusNotices_; }
    int ask(const Question &question) override;
    QWidget &window() override { return *this; }
    void runAction(const QString &name, const std::function<void()> &action) override;
    void runUnrecorded(const std::function<void()> &action) override;

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
    void buildMenus();
    void connectHandlers();

    void FormCreate(Filling filling);
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
    // Before an action: the window is filled, and what changed outside is taken in. False when the
    // action must not run.
    bool readyForAction(std::optional<TextKey> typing);
    void reportError(const QString &message);
    void checkAccessAfterError();
    void showStoredItemAfterError();
    template <typename Sender, typename Signal>
    void bindHandler(Sender *sender, Signal signal, Handler handler);

    // A single-line field with the key it shows, its change handler and, when leaving it runs
    // one, its leave handler; whether the catalogue's lock makes it read-only.
    struct FieldWiring {
        QLineEdit *field;
        TextKey key;
        Handler change;
        Handler leave;
        bool lockedWithCatalogue;
    };
    std::array<FieldWiring, 7> fieldWirings() const;
    FieldWiring fieldWiring(TextKey key) const;
    bool isField(const QObject *object) const;

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
    QCheckBox *categoryBox(Category category) const;
    void categoryClick(Category category);
    void flagClick(FlagKey key, QCheckBox *box);
    enum class FileFieldEvent { Typed, Left };
    void fileFieldChange(QLineEdit *field, TextKey key, FileFieldEvent event);
    void storeFolder();
    void showText(QLineEdit *field, const QString &text);
    void colourFileField(QLineEdit *field);
    void moveToNearestFreeNumber(bool upward);
    // The folders of the items the user can step to next from the shown one.
    std::vector<QString> neighbourFolders() const;
    void showIcon(const QString &folder);
    void showDescription(const QString &folder);
    // Shows where the description comes from and whether it can be typed in.
    void showDescriptionAccess();
    void showStatus();
    bool saveBeforeClosing();
    void chooseLanguage(DescriptionLanguage language);
    void mergeDescriptionFormat(const QTextCharFormat &format);
    bool filterDescriptionKeys(QEvent *event);
    void showItemCounter();
    void showApplicationTitle();

    // Read-only catalogues are browsed without writes.
    void openCatalogueLock();

    // The name of the step each handler starts, where what it changes would not say it.
    std::vector<HistoryController::StepName> stepNames() const;

    // The description file shown in Beskriv.
    std::unique_ptr<DescriptionSession> description_;
    StartUpFill *startUpFill_ = nullptr;
    // The controls locked while the catalogue cannot be written.
    std::unique_ptr<CatalogueLock> catalogueLock_;

    HandlerGuard guard_;
    HistoryController *history_ = nullptr;
    RecoveryController *recovery_ = nullptr;
    // Told of the history's writes, which are this editor's own; gone only where a measurement
    // takes it away to compare.
    QPointer<CatalogueWatch> catalogueWatch_;
    OutsideChangeController *outsideChanges_ = nullptr;
    FolderRules folderRules_{*this};
    // Spell checking and the comparison window.
    WritingAids *writingAids_ = nullptr;
    TranslationMark *translationMark_ = nullptr;
    // The only writer of the status bar's last panel.
    StatusNotices *statusNotices_ = nullptr;

    // While a display ticks the boxes one by one, the category group's colour waits for the last:
    // a colour that goes red and back within one display would repaint the whole group twice.
    bool settingFlagBoxes_ = false;
    // A step shows its item once, whichever handlers it runs nested (Nummer's, the folder field's).
    bool takingShowNumberStep_ = false;
    bool displayingItem_ = false;
};
