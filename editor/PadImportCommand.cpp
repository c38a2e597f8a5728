#include "editor/PadImportCommand.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueItem.h"
#include "catalogue/FolderOperations.h"
#include "catalogue/ItemFolder.h"
#include "catalogue/ItemSearch.h"
#include "catalogue/ProfileFile.h"
#include "description/DescriptionFile.h"
#include "description/TextFormats.h"
#include "display/PictureConversion.h"
#include "editor/CatalogueMenu.h"
#include "editor/EditorContext.h"
#include "editor/PadImportDialog.h"
#include "editor/PictureDownload.h"
#include "editor/Question.h"
#include "files/AtomicFile.h"
#include "files/LocalPath.h"
#include "pad/PadReader.h"
#include "pad/PadRules.h"
#include "pad/ProducerNotes.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QTextDocument>
#include <QUrl>

namespace {

// The local file a drag brings, when it brings exactly one.
QString droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return QString();
    return data->urls().first().toLocalFile();
}

} // namespace

PadImportCommand::PadImportCommand(EditorContext &context, CatalogueMenu &menu, std::function<void()> titlesChanged)
    : QObject(&context.window())
    , context_(context)
    , titlesChanged_(std::move(titlesChanged))
{
    auto *action = new QAction(QStringLiteral("Hent &PAD-fil…"), this);
    action->setObjectName(QStringLiteral("HentPAD"));
    connect(action, &QAction::triggered, this, &PadImportCommand::chooseFile);
    menu.addCommand(action);
    context.window().setAcceptDrops(true);
    context.window().installEventFilter(this);
}

bool PadImportCommand::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &context_.window())
        return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!droppedFile(drag->mimeData()).isEmpty() && context_.catalogueWritable()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString file = droppedFile(drop->mimeData());
        if (!file.isEmpty() && context_.catalogueWritable()) {
            drop->acceptProposedAction();
            // The drag's source waits for the drop to end; the dialog comes after it.
            QMetaObject::invokeMethod(
                this, [this, file] { importFile(file); }, Qt::QueuedConnection);
            return true;
        }
    }
    return false;
}

void PadImportCommand::chooseFile()
{
    const QString file = QFileDialog::getOpenFileName(&context_.window(), QStringLiteral("Hent PAD-fil"), QString(),
                                                      QStringLiteral("PAD-filer (*.xml);;Alle filer (*)"), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (!file.isEmpty())
        importFile(file);
}

void PadImportCommand::importFile(const QString &path)
{
    if (!context_.catalogueWritable())
        return;
    const PadDocument document = PadReader::readFile(path);
    const std::vector<PadFinding> report = PadRules::report(document);
    if (!document.readable) {
        QMessageBox refusal(QMessageBox::Warning, QStringLiteral("Hent PAD-fil"),
                            QStringLiteral("%1 kan ikke læses som en PAD-fil.").arg(QDir::toNativeSeparators(path)),
                            QMessageBox::Ok, &context_.window());
        refusal.setObjectName(QStringLiteral("PadIkkeLaest"));
        refusal.setDetailedText(PadRules::reportText(report));
        refusal.exec();
        return;
    }

    ProfileFile &catalogue = context_.catalogue();
    const CatalogueItem shown(catalogue, context_.shownItem());
    const bool fillShown = PadImport::fillsItem(shown);
    const std::optional<int> number = fillShown
        ? context_.shownItem()
        : ItemSearch::freeNumberForNewItem(context_.shownItem(), Catalogue::itemExists(catalogue));
    if (!number) {
        QMessageBox::information(&context_.window(), QStringLiteral("Hent PAD-fil"),
                                 QStringLiteral("Kataloget har ikke et ledigt nummer til et nyt punkt."));
        return;
    }
    const QString itemFolder = fillShown ? shown.text(TextKey::Folder) : QString();
    const DescriptionLanguage edition = DescriptionLanguages::fromSetting(
        catalogue.ReadString(Catalogue::generalSection(), Catalogue::languageKey(), QString()));

    PadImportDialog dialog(PadImport::plan(document, itemFolder, edition), report,
                           fillShown ? QStringLiteral("punkt %1").arg(*number)
                                     : QStringLiteral("et nyt punkt %1").arg(*number),
                           &context_.window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PadImportPlan plan = dialog.chosenPlan();
    const std::optional<std::vector<Picture>> pictures = fetchPictures(plan);
    if (!pictures)
        return;
    context_.runAction(QStringLiteral("Hent PAD-fil: punkt %1").arg(*number), [&] { write(*number, plan, *pictures); });
}

std::optional<std::vector<PadImportCommand::Picture>> PadImportCommand::fetchPictures(const PadImportPlan &plan)
{
    std::vector<Picture> pictures;
    for (const PadImportLine &line : plan.lines) {
        const bool screenshot = line.target == PadImportLine::Target::Screenshot;
        if (!line.taken || (!screenshot && line.target != PadImportLine::Target::Icon))
            continue;
        const QString what = screenshot ? QStringLiteral("skærmskuddet") : QStringLiteral("ikonet");
        const PictureDownload::Result fetched = PictureDownload::fetch(QUrl(line.value), what, &context_.window());
        const std::optional<QByteArray> converted = !fetched.error.isEmpty() ? std::nullopt
            : screenshot ? PictureConversion::screenshot(fetched.bytes)
                         : PictureConversion::icon(fetched.bytes);
        if (!converted) {
            QMessageBox failure(QMessageBox::Warning, QStringLiteral("Hent PAD-fil"),
                                (fetched.error.isEmpty()
                                     ? QStringLiteral("Det hentede %1 fra %2 er ikke et billede.").arg(what, line.value)
                                     : fetched.error) +
                                    QStringLiteral("\n\nIntet er skrevet."),
                                QMessageBox::Ok, &context_.window());
            failure.setObjectName(QStringLiteral("PadFejl"));
            failure.exec();
            return std::nullopt;
        }
        pictures.push_back({screenshot ? ItemFolder::screenshotName() : ItemFolder::iconName(), *converted});
    }
    return pictures;
}

void PadImportCommand::write(int number, const PadImportPlan &plan, const std::vector<Picture> &pictures)
{
    // The description typed so far belongs to the item shown now, which may be the one filled.
    context_.saveDescription();
    CatalogueItem item(context_.catalogue(), number);
    const QString folder = plan.folder(item.text(TextKey::Folder));
    bool folderMade = LocalPath::folderExists(folder);
    if (!folderMade && !folder.isEmpty())
        folderMade = FolderOperations::createFolder(folder);
    if (!item.exists())
        item.create();
    for (const auto &[key, value] : plan.catalogueValues()) {
        if (key != CatalogueKeys::name(TextKey::Folder) || folderMade)
            item.setValue(key, value);
    }
    QStringList unsaved;
    if (folderMade) {
        writeDescriptions(folder, plan, unsaved);
        writePictures(folder, pictures, unsaved);
        ProducerNotes{plan.distributionPermissions, plan.eula}.keep(Catalogue::localPath(), folder);
    }
    titlesChanged_();
    context_.showItem(number);
    if (!unsaved.isEmpty()) {
        QMessageBox::warning(&context_.window(), QStringLiteral("Hent PAD-fil"),
                             QStringLiteral("Kan ikke gemme %1").arg(unsaved.join(QStringLiteral(", "))));
    }
}

// A file already in the item's folder is replaced only when the user says so.
PadImportCommand::Replacing PadImportCommand::askReplacing(const QString &text, const QString &informativeText,
                                                           bool besideOffered)
{
    Question question;
    question.icon = QMessageBox::Warning;
    question.text = text;
    question.informativeText = informativeText;
    question.buttons = {{QMessageBox::NoButton, QStringLiteral("Overskriv"), QMessageBox::AcceptRole},
                        {QMessageBox::NoButton, QStringLiteral("Behold den på disken"), QMessageBox::RejectRole}};
    if (besideOffered)
        question.buttons.push_back({QMessageBox::NoButton, QStringLiteral("Gem som ny fil"), QMessageBox::ActionRole});
    question.defaultButton = 1;
    question.escapeButton = 1;
    return Replacing(context_.ask(question));
}

void PadImportCommand::writePictures(const QString &folder, const std::vector<Picture> &pictures, QStringList &unsaved)
{
    for (const Picture &picture : pictures) {
        const QString path = LocalPath::join(folder, picture.fileName);
        if (LocalPath::fileExists(path) &&
            askReplacing(QStringLiteral("Punktets mappe har allerede %1.").arg(picture.fileName),
                         QStringLiteral("Overskriv den med den hentede, eller behold den på disken?"),
                         false) != Replacing::Overwrite)
            continue;
        if (!AtomicFile::replace(LocalPath::forWriting(path), picture.bytes))
            unsaved << QDir::toNativeSeparators(LocalPath::resolve(path));
    }
}

// A description already there is overwritten only when the user says so, as the description rules
// ask before writing over a file.
void PadImportCommand::writeDescriptions(const QString &folder, const PadImportPlan &plan, QStringList &unsaved)
{
    for (const PadImportLine &line : plan.lines) {
        if (line.target != PadImportLine::Target::Description || !line.taken)
            continue;
        const DescriptionLanguageInfo &language = DescriptionLanguages::info(line.language);
        QString path = LocalPath::join(folder, language.startupFileName);
        if (DescriptionFile::contents(path).reading != DescriptionFile::Reading::Missing) {
            const Replacing answer = askReplacing(
                QStringLiteral("Punktet har allerede en beskrivelse på %1.").arg(language.setting.toLower()),
                QStringLiteral("Overskriv den med PAD-filens, behold den på disken, eller gem PAD-filens ved siden af "
                               "som en ny fil?"),
                true);
            if (answer == Replacing::Keep)
                continue;
            if (answer == Replacing::Beside)
                path = DescriptionFile::copyPath(path);
        }
        QTextDocument document;
        document.setPlainText(line.value);
        TextFormats::applyStandardLook(document);
        if (!DescriptionFile::save(path, document, line.language))
            unsaved << QDir::toNativeSeparators(LocalPath::resolve(path));
    }
}
