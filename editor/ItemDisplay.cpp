#include "app/EditMQV.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueItem.h"
#include "files/Diagnostics.h"
#include "catalogue/ItemFolder.h"
#include "catalogue/ItemSearch.h"
#include "display/JpegDecoder.h"
#include "files/LocalPath.h"
#include "display/TitleWidth.h"
#include "display/NeighbourPreparation.h"
#include "app/WindowColours.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

const QSize screenshotArea(300, 225);

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

QString TMQVEdit::shownSection() const
{
    return Catalogue::SectionName(CurrentItemNumber);
}

std::array<std::pair<FlagKey, QCheckBox *>, 11> TMQVEdit::flagBoxes() const
{
    return {{
        {FlagKey::ZProgram, ZProgram},
        {FlagKey::Spil, Spil},
        {FlagKey::Galleri, Galleri},
        {FlagKey::Barn, Junior},
        {FlagKey::Vaerksted, Vaerksted},
        {FlagKey::Skole, Skole},
        {FlagKey::Internet, Internet},
        {FlagKey::Tilbehoer, Tilbehoer},
        {FlagKey::Software, Software},
        {FlagKey::Fuldversion, FuldVersion},
        {FlagKey::Registrer, Registrering},
    }};
}

QCheckBox *TMQVEdit::flagBox(FlagKey key) const
{
    for (const auto &[boxKey, box] : flagBoxes()) {
        if (boxKey == key)
            return box;
    }
    return nullptr;
}

QCheckBox *TMQVEdit::categoryBox(Category category) const
{
    return flagBox(CatalogueKeys::flagKey(category));
}

// Filling the controls runs their change handlers, which write the shown values back (unless the
// catalogue is read-only); a control that already holds its value runs nothing.
void TMQVEdit::ShowItem()
{
    if (!CatalogueFile)
        return;
    refreshCatalogueAccess();
    const CatalogueItem item(*CatalogueFile, CurrentItemNumber);

    {
        const QScopedValueRollback settingFlagBoxes(settingFlagBoxes_, true);
        for (const auto &[key, box] : flagBoxes())
            box->setChecked(item.flag(key));
    }
    UpdateCategoryColour();

    showText(TitelEdit, item.text(TextKey::Titel));
    showTitleCaption(item.text(TextKey::Titel));

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
    showScreenshot(folder);
    showIcon(folder);
    const DescriptionLanguageInfo &language = DescriptionLanguages::info(CurrentLanguage);
    const bool hasDescription = LocalPath::fileExists(LocalPath::join(folder, language.shownTestedName));
    loadDescription(folder, hasDescription ? language.shownLoadedName : QString());

    showItemCounter();
    showApplicationTitle();
    queueNeighbourPreparation();
}

// Runs the field's change handler when the text differs. A long value is shown from its start,
// as the user reads it, unless the user is typing in that field.
void TMQVEdit::showText(QLineEdit *field, const QString &text)
{
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

// A title wider than the label is red, so the user sees it will not fit on the disc's menu.
void TMQVEdit::showTitleCaption(const QString &title)
{
    TitelLabel->setText(title);
    const bool tooWide = TitleWidth::isTooWide(title);
    WindowColours::setFontColour(TitelLabel, tooWide ? WindowColours::red() : WindowColours::black());
}

std::function<bool(int)> TMQVEdit::itemExists() const
{
    return [this](int number) { return CatalogueFile && CatalogueFile->SectionExists(Catalogue::SectionName(number)); };
}

void TMQVEdit::colourFileField(QLineEdit *field)
{
    markFileField(field, fileAvailability(FolderEdit->text(), field->text()));
}

void TMQVEdit::markFileField(QLineEdit *field, FileAvailability availability)
{
    switch (availability) {
    case FileAvailability::InItemFolder:
        WindowColours::setFontColour(field, WindowColours::black());
        break;
    case FileAvailability::InDanishEditionOnly:
        WindowColours::setFontColour(field, WindowColours::blue());
        break;
    case FileAvailability::Missing:
        WindowColours::setFontColour(field, WindowColours::red());
        break;
    }
}

void TMQVEdit::showScreenshot(const QString &folder)
{
    if (creatingWindow_) {
        deferScreenshot(folder);
        return;
    }
    deferredScreenshotFolder_.reset();
    const QString storedPath = LocalPath::join(folder, ItemFolder::screenshotName());
    const std::optional<QString> localPath = LocalPath::findFile(storedPath);
    const FileStamp stamp = localPath ? FileStamp::of(*localPath) : FileStamp();
    if (stamp.isValid() && stamp == shownScreenshot_)
        return;
    shownScreenshot_ = FileStamp();
    QImage screenshot;
    bool complete = true;
    if (stamp.isValid()) {
        const std::optional<QImage> readAhead = neighbours().takeScreenshot(stamp);
        if (readAhead && !readAhead->isNull()) {
            screenshot = *readAhead;
        } else {
            // Read ahead as damaged, or not read ahead: what decodes of it is shown.
            const JpegDecoder::Picture picture = JpegDecoder::decodeAvailable(stamp.localPath, screenshotArea);
            screenshot = JpegDecoder::scaledToFit(picture.image, screenshotArea);
            complete = picture.complete;
        }
    }
    if (screenshot.isNull()) {
        if (stamp.isValid())
            qCInfo(zcdDiagnostics) << "could not decode the screenshot" << stamp.localPath;
        Skud->clear();
        Grafik->setTitle(QStringLiteral("Intet"));
        return;
    }
    Skud->setPixmap(QPixmap::fromImage(screenshot));
    Grafik->setTitle(complete ? QStringLiteral("Sk\u00E6rmskud: Jpeg") : QStringLiteral("Sk\u00E6rmskud: Jpeg (beskadiget)"));
    shownScreenshot_ = stamp;
}

// Start-up is not held up by a decode: the window is drawn first and the screenshot shown in the
// next turn of the event loop after the first frame. Nothing is read ahead before that either.
void TMQVEdit::deferScreenshot(const QString &folder)
{
    const bool alreadyQueued = deferredScreenshotFolder_.has_value();
    deferredScreenshotFolder_ = folder;
    if (!alreadyQueued)
        QTimer::singleShot(0, this, &TMQVEdit::showDeferredScreenshot);
}

void TMQVEdit::showDeferredScreenshot()
{
    // A window on its way to the screen shows the screenshot after its first frame.
    if (!deferredScreenshotFolder_ || (isVisible() && !firstFrameDrawn_))
        return;
    const QString folder = *deferredScreenshotFolder_;
    showScreenshot(folder);
    queueNeighbourPreparation();
}

NeighbourPreparation &TMQVEdit::neighbours()
{
    if (!neighbours_)
        neighbours_ = std::make_unique<NeighbourPreparation>(screenshotArea);
    return *neighbours_;
}

// Once a display is done, the screenshots of the items the user can step to next are decoded
// ahead, so that stepping there only swaps in what is ready. Descriptions are not read ahead: a
// document built elsewhere and handed to the editor costs the display more than reading it.
void TMQVEdit::queueNeighbourPreparation()
{
    if (neighbourPreparationQueued_)
        return;
    neighbourPreparationQueued_ = true;
    QTimer::singleShot(0, this, &TMQVEdit::prepareNeighbours);
}

void TMQVEdit::prepareNeighbours()
{
    neighbourPreparationQueued_ = false;
    if (!CatalogueFile || deferredScreenshotFolder_)
        return;
    std::vector<QString> screenshots;
    const ItemSearch::Exists exists = itemExists();
    for (const int number : {ItemSearch::nextStop(CurrentItemNumber, exists), ItemSearch::previousStop(CurrentItemNumber, exists)}) {
        const QString folder = CatalogueItem(*CatalogueFile, number).text(TextKey::Folder);
        if (number == CurrentItemNumber || folder.isEmpty())
            continue;
        if (const auto screenshot = LocalPath::findFile(LocalPath::join(folder, ItemFolder::screenshotName())))
            screenshots.push_back(*screenshot);
    }
    neighbours().prepare(screenshots);
}

void TMQVEdit::showIcon(const QString &folder)
{
    const QString storedPath = LocalPath::join(folder, ItemFolder::iconName());
    QImage icon;
    if (const std::optional<QString> localPath = LocalPath::findFile(storedPath)) {
        QImageReader reader(*localPath, "bmp");
        icon = reader.read();
        if (icon.isNull())
            qCInfo(zcdDiagnostics) << "could not read the icon" << *localPath << reader.errorString();
    }
    if (icon.isNull())
        Ikon->clear();
    else
        Ikon->setPixmap(QPixmap::fromImage(icon));
}

void TMQVEdit::showItemCounter()
{
    statusPanel(StatusPanel::Punkt)->setText(QStringLiteral("Punkt %1 af %2").arg(CurrentItemNumber).arg(HighestItemNumber));
}

// The title bar and the task bar show which item of which catalogue is open. The application
// title is never made the application's display name: the desktop appends that to the caption of
// every window, message boxes included.
void TMQVEdit::showApplicationTitle()
{
    ApplicationTitle = QStringLiteral("R-Irad: ") + TitelLabel->text();
    const QString separator = QStringLiteral(" \u2014 ");
    setWindowTitle(QStringLiteral("Z-CD editor") + separator + ApplicationTitle + separator + catalogueFolderName());
}
