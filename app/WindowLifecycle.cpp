#include "app/EditMQV.h"

#include "app/AccessibleNames.h"
#include "app/DescriptionEdit.h"
#include "app/NumberSpinEdit.h"
#include "app/ScreenshotView.h"
#include "app/StartUpFill.h"
#include "catalogue/Catalogue.h"
#include "description/DescriptionSaveError.h"
#include "editor/OutsideChangeController.h"
#include "editor/RecoveryController.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void TMQVEdit::FormCreate(Filling filling)
{
    SuppressMove = false;
    CurrentItemNumber = 1;
    CatalogueFile = std::make_unique<ProfileFile>(Catalogue::fileName());
    openCatalogueLock();
    history_->open();
    recovery_->open();

    const QString setting = CatalogueFile->ReadString(Catalogue::generalSection(), Catalogue::languageKey(),
                                                      QStringLiteral("Dansk"));
    const DescriptionLanguageInfo &language = DescriptionLanguages::info(DescriptionLanguages::fromSetting(setting));
    CurrentLanguage = language.language;
    DescriptionFileName = language.startupFileName;
    LanguageButtons->actions().at(int(CurrentLanguage))->setChecked(true);
    // The short text is written in the edition's language, whichever description is shown.
    KortTekst->setAccessibleName(AccessibleNames::shortText(CurrentLanguage));
    if (!language.startupStatus.isEmpty())
        statusPanel(StatusPanel::Sprog)->setText(language.startupStatus);

    HighestItemNumber = Catalogue::highestItemNumber(*CatalogueFile);
    startUpFill_->setDeferring(filling == Filling::AfterFirstFrame);
    // Nothing is typed over the design-time text before the description is there.
    if (filling == Filling::AfterFirstFrame)
        Beskriv->setReadOnly(true);
    runGuarded([this] { startUpFill_->run([this] { BuildCategoryMenus(); }); });
    Skud->setCreatingWindow(true);
    runGuarded([this] { ShowItem(); });
    Skud->setCreatingWindow(false);
    startUpFill_->setDeferring(false);
    catalogueWatch_ = outsideChanges_->openCatalogueWatch();
    history_->refresh();
}

// Every control that would write to the catalogue.
void TMQVEdit::openCatalogueLock()
{
    CatalogueLock::Controls controls;
    for (const FieldWiring &wiring : fieldWirings()) {
        if (wiring.lockedWithCatalogue)
            controls.fields << wiring.field;
    }
    for (const FlagBox &flag : flagBoxes())
        controls.commands << flag.box;
    controls.commands << KnapOp << NedKnap << FlytteSpinner << OpretNavn << Omdoeb << HentFast;
    controls.actions = {NytPunkt, SletPunkt, Slet, Paste};
    for (QAction *clear : ClearListEntries)
        controls.actions << clear;
    catalogueLock_ = std::make_unique<CatalogueLock>(*CatalogueFile, controls, [this] {
        history_->refresh();
        showDescriptionAccess();
    });
}

void TMQVEdit::keyPressEvent(QKeyEvent *event)
{
    const QWidget *focus = QApplication::focusWidget();
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && (focus == nullptr || focus == this)) {
        if (saveBeforeClosing())
            QCoreApplication::quit();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TMQVEdit::closeEvent(QCloseEvent *event)
{
    if (saveBeforeClosing()) {
        // The editor is closed: other machines no longer see it.
        recovery_->closed();
        event->accept();
    } else
        event->ignore();
}

// A description that cannot be saved is not lost with the window unless the user says so.
bool TMQVEdit::saveBeforeClosing()
{
    bool saved = false;
    QString failure;
    runGuarded([this, &saved, &failure] {
        try {
            SaveDescription();
            saved = true;
        } catch (const DescriptionSaveError &error) {
            failure = error.message();
        }
    });
    return saved || (!failure.isEmpty() && recovery_->closeWithoutSaving(failure));
}
