#include "app/EditMQV.h"
#include "editor/WritingAids.h"

#include "app/AccessibleNames.h"
#include "app/ScreenshotView.h"
#include "app/StartUpFill.h"
#include "app/WindowColours.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueItem.h"
#include "catalogue/ItemSearch.h"
#include "display/ItemPictures.h"
#include "files/Diagnostics.h"
#include "files/LocalPath.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScopedValueRollback>

namespace {

// The open catalogue's folder as the user reads it, the home folder shortened to "~".
QString catalogueFolderName()
{
    const QString folder = QDir::currentPath();
    const QString home = QDir::homePath();
    if (home != QDir::rootPath() && (folder == home || folder.startsWith(home + QLatin1Char('/'))))
        return QDir::toNativeSeparators(QLatin1Char('~') + folder.mid(home.size()));
    return QDir::toNativeSeparators(folder);
}

} // namespace

// Filling the controls runs their change handlers, which write the shown values back (unless the
// catalogue is read-only); a control that already holds its value runs nothing.
void TMQVEdit::ShowItem()
{
    const QScopedValueRollback displaying(displayingItem_, true);
    startUpFill_->finish();
    catalogueLock_->refresh(CurrentItemNumber);
    const CatalogueItem item(*CatalogueFile, CurrentItemNumber);

    {
        const QScopedValueRollback settingFlagBoxes(settingFlagBoxes_, true);
        for (const FlagBox &flag : flagBoxes())
            flag.box->setChecked(item.flag(flag.key));
    }
    UpdateCategoryColour();

    showText(TitelEdit, item.text(TextKey::Titel));
    WindowColours::showTitle(TitelLabel, item.text(TextKey::Titel));

    showText(FolderEdit, item.text(TextKey::Folder));

    showText(SetupEdit, item.text(TextKey::Setup));
    colourFileField(SetupEdit);
    showText(RunEdit, item.text(TextKey::Run));
    colourFileField(RunEdit);
    showText(EkstraEdit, item.text(TextKey::Ekstra));
    colourFileField(EkstraEdit);

    showText(KortTekst, item.text(TextKey::Global));
    showText(InternetEdit, item.text(TextKey::Webside));

    const QString folder = FolderEdit->text();
    Skud->showFolder(folder);
    showIcon(folder);
    startUpFill_->run([this, folder] { showDescription(folder); });

    showItemCounter();
    showApplicationTitle();
    writingAids_->itemShown();
    Skud->queueReadAhead();
}

// What a change made outside may have changed of the shown item, in every control but the field
// the user keeps typing in.
void TMQVEdit::showStoredValues(std::optional<TextKey> typing)
{
    const CatalogueItem item(*CatalogueFile, CurrentItemNumber);
    for (const FlagBox &flag : flagBoxes())
        flag.box->setChecked(item.flag(flag.key));
    UpdateCategoryColour();
    for (const FieldWiring &wiring : fieldWirings()) {
        if (wiring.key != typing)
            showText(wiring.field, item.text(wiring.key));
    }
    WindowColours::showTitle(TitelLabel, TitelEdit->text());
    for (QLineEdit *field : {SetupEdit, RunEdit, EkstraEdit})
        colourFileField(field);
    showItemCounter();
    showApplicationTitle();
}

// Runs the field's change handler when the text differs. A long value is shown from its start,
// as the user reads it, unless the user is typing in that field.
void TMQVEdit::showText(QLineEdit *field, const QString &text)
{
    // Setting the same text would still move the cursor of the field being typed in to its end.
    if (field->text() != text)
        field->setText(text);
    if (!field->hasFocus())
        field->setCursorPosition(0);
}

void TMQVEdit::UpdateCategoryColour()
{
    if (settingFlagBoxes_)
        return;
    bool anyCategory = false;
    for (Category category : CatalogueKeys::categories)
        anyCategory = anyCategory || categoryBox(category)->isChecked();
    WindowColours::setFontColour(Kategorier, anyCategory ? WindowColours::black() : WindowColours::red());
}

void TMQVEdit::colourFileField(QLineEdit *field)
{
    WindowColours::markFileAvailability(field, fileAvailability(FolderEdit->text(), field->text()));
}

// Once a display is done, the screenshots of the items the user can step to next are decoded
// ahead, so that stepping there only swaps in what is ready.
std::vector<QString> TMQVEdit::neighbourFolders() const
{
    std::vector<QString> folders;
    const ItemSearch::Exists exists = Catalogue::itemExists(*CatalogueFile);
    for (const int number :
         {ItemSearch::nextStop(CurrentItemNumber, exists), ItemSearch::previousStop(CurrentItemNumber, exists)}) {
        const QString folder = CatalogueItem(*CatalogueFile, number).text(TextKey::Folder);
        if (number != CurrentItemNumber && !folder.isEmpty())
            folders.push_back(folder);
    }
    return folders;
}

void TMQVEdit::showDescription(const QString &folder)
{
    const DescriptionLanguageInfo &language = DescriptionLanguages::info(CurrentLanguage);
    const bool hasDescription = LocalPath::fileExists(LocalPath::join(folder, language.shownTestedName));
    description_->load(folder, hasDescription ? language.shownLoadedName : QString(), DescriptionFileName);
}

void TMQVEdit::showIcon(const QString &folder)
{
    QImage icon;
    if (const std::optional<QString> localPath = ItemPictures::iconFile(folder)) {
        QString error;
        icon = ItemPictures::readIcon(*localPath, &error);
        if (icon.isNull())
            qCInfo(zcdDiagnostics) << "could not read the icon" << *localPath << error;
    }
    if (icon.isNull())
        Ikon->clear();
    else
        Ikon->setPixmap(QPixmap::fromImage(icon));
    AccessibleNames::showsPicture(Ikon, !icon.isNull());
}

// The title bar and the task bar show which item of which catalogue is open. The application
// title is never made the application's display name: the desktop appends that to the caption of
// every window, message boxes included.
void TMQVEdit::showApplicationTitle()
{
    ApplicationTitle = QStringLiteral("R-Irad: ") + TitelLabel->text();
    const QString separator = QStringLiteral(" — ");
    setWindowTitle(QStringLiteral("Z-CD editor") + separator + ApplicationTitle + separator + catalogueFolderName());
}
