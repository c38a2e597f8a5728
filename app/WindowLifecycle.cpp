#include "app/EditMQV.h"

#include "catalogue/Catalogue.h"
#include "description/DescriptionSaveError.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

void TMQVEdit::FormCreate()
{
    SuppressMove = false;
    CurrentItemNumber = 1;
    CatalogueFile = std::make_unique<ProfileFile>(Catalogue::fileName());
    openHistory();
    openRecovery();

    const QString setting =
        CatalogueFile->ReadString(Catalogue::generalSection(), Catalogue::languageKey(), QStringLiteral("Dansk"));
    const DescriptionLanguageInfo &language = DescriptionLanguages::info(DescriptionLanguages::fromSetting(setting));
    CurrentLanguage = language.language;
    DescriptionFileName = language.startupFileName;
    LanguageButtons->actions().at(int(CurrentLanguage))->setChecked(true);
    if (!language.startupStatus.isEmpty())
        statusPanel(StatusPanel::Sprog)->setText(language.startupStatus);

    HighestItemNumber = Catalogue::highestItemNumber(*CatalogueFile);
    runGuarded([this] { BuildCategoryMenus(); });
    creatingWindow_ = true;
    runGuarded([this] { ShowItem(); });
    creatingWindow_ = false;
    refreshHistoryActions();
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
    if (saveBeforeClosing())
        event->accept();
    else
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
            failure = QString::fromUtf8(error.what());
        }
    });
    return saved || (!failure.isEmpty() && closeWithoutSaving(failure));
}

