#include "rules/ItemInspection.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProfileSnapshot.h"
#include "description/DescriptionFile.h"
#include "description/RtfReader.h"
#include "description/TranslationSource.h"
#include "display/ItemPictures.h"
#include "display/JpegDecoder.h"
#include "display/TitleWidth.h"
#include "files/LocalPath.h"
#include "rules/DescriptionHtml.h"
#include "rules/ReportTerms.h"
#include "rules/SpellingFindings.h"
#include "rules/TranslationFindings.h"
#include "spelling/SpellingDictionaries.h"
#include "spelling/WordSplitter.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTextDocument>

namespace {

constexpr int firstWordCount = 12;
constexpr int firstWordsLength = 90;
// Comfortably more than the header and first sentence of a description as the editor writes it.
constexpr qsizetype firstWordsPrefix = 4096;

QString dataUri(const QImage &image, const char *format, const char *mimeType)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(82);
    if (!writer.write(image))
        return QString();
    return QStringLiteral("data:%1;base64,").arg(QLatin1String(mimeType)) + QString::fromLatin1(bytes.toBase64());
}

PictureReport inspectScreenshot(const QString &folder, const ItemInspection::Options &options)
{
    PictureReport report;
    const std::optional<QString> localPath = ItemPictures::screenshotFile(folder);
    if (!localPath)
        return report;
    report.state = PictureReport::State::Damaged;
    report.size = JpegDecoder::headerSize(*localPath);
    if (!report.size.isValid())
        return report;
    // Without a thumbnail to show, the smallest DCT scale still decodes every byte of the
    // picture, which is what proves it whole.
    const QSize box = options.proofSheet ? ItemInspection::thumbnailBox : QSize(1, 1);
    const QImage image = JpegDecoder::decode(*localPath, box);
    if (image.isNull())
        return report;
    report.state = PictureReport::State::Present;
    if (options.proofSheet)
        report.dataUri = dataUri(JpegDecoder::scaledToFit(image, box), "jpeg", "image/jpeg");
    return report;
}

PictureReport inspectIcon(const QString &folder, const ItemInspection::Options &options)
{
    PictureReport report;
    const std::optional<QString> localPath = ItemPictures::iconFile(folder);
    if (!localPath)
        return report;
    const QImage icon = ItemPictures::readIcon(*localPath);
    if (icon.isNull()) {
        report.state = PictureReport::State::Damaged;
        return report;
    }
    report.state = PictureReport::State::Present;
    report.size = icon.size();
    // Shown stretched to 32 x 32 as in the editor, so a large bitmap does not swell the page.
    const QSize shown(32, 32);
    if (options.proofSheet)
        report.dataUri = dataUri(
            icon.size() == shown ? icon : icon.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), "png",
            "image/png");
    return report;
}

QString firstWords(const QString &text)
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString result = words.mid(0, firstWordCount).join(QLatin1Char(' '));
    if (result.size() > firstWordsLength)
        result = result.left(firstWordsLength - 1).trimmed();
    if (result.size() < text.size())
        result += QChar(0x2026);
    return result;
}

// Enough of the description's text to give its first words: a prefix when that holds them all
// and one more. The reader goes through RTF in order, so a cut can only spoil the last word it
// gives; plain text is read whole, as only the whole tells text from binary data. Nothing when
// the reader refuses the file.
std::optional<QString> textForFirstWords(const QByteArray &bytes)
{
    QTextDocument document;
    if (bytes.size() > firstWordsPrefix && RtfReader::isRtf(bytes)) {
        RtfReader::read(bytes.left(firstWordsPrefix), document);
        const QString text = document.toPlainText().simplified();
        if (text.count(QLatin1Char(' ')) >= firstWordCount)
            return text;
    }
    if (!RtfReader::read(bytes, document))
        return std::nullopt;
    return document.toPlainText().simplified();
}

DescriptionReport inspectDescription(const QString &folder, const DescriptionLanguageInfo &language,
                                     const ItemInspection::Options &options, const KnownWords &known)
{
    DescriptionReport report;
    report.language = language.language;
    report.fileName = language.shownTestedName;
    const DescriptionFile::Contents file = DescriptionFile::contents(LocalPath::join(folder, language.shownTestedName));
    if (file.reading == DescriptionFile::Reading::Missing) {
        report.state = DescriptionReport::State::Missing;
        return report;
    }
    QTextDocument document;
    std::optional<QString> text;
    if (file.reading == DescriptionFile::Reading::Read) {
        if (options.proofSheet || options.dictionaries) {
            if (RtfReader::read(file.bytes, document))
                text = document.toPlainText().simplified();
        } else {
            text = textForFirstWords(file.bytes);
        }
    }
    if (!text) {
        report.state = DescriptionReport::State::Unreadable;
        return report;
    }
    report.state = text->isEmpty() ? DescriptionReport::State::Empty : DescriptionReport::State::Present;
    if (language.language != DescriptionLanguage::Dansk)
        report.writtenAgainst = TranslationSource::read(file.bytes);
    report.firstWords = firstWords(*text);
    if (options.dictionaries) {
        report.wordCount = WordSplitter::wordCount(*text);
        report.unknownWords = SpellingFindings::unknownWords(document, options.dictionaries->of(language.setting),
                                                             known, options.proofSheet);
    }
    if (options.proofSheet && !text->isEmpty()) {
        const DescriptionHtml::Shown shown = DescriptionHtml::shownOnProofSheet(document);
        report.html = shown.html;
        report.cutNote = shown.cutNote;
    }
    return report;
}

FolderState folderState(const QString &folder)
{
    if (folder.isEmpty())
        return FolderState::NotNamed;
    if (LocalPath::folderExists(folder))
        return FolderState::Present;
    return LocalPath::fileExists(folder) ? FolderState::IsFile : FolderState::Missing;
}

bool isKnownKey(const QString &key)
{
    for (const QString &known : CatalogueKeys::moveOrder()) {
        if (known.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

namespace ItemInspection {

ItemReport inspect(const ProfileSnapshot &catalogue, int number, const Options &options)
{
    ItemReport report;
    report.number = number;
    report.sectionRead = sectionText(catalogue, number);
    const QString section = Catalogue::SectionName(number);
    auto text = [&](TextKey key) { return catalogue.ReadString(section, CatalogueKeys::name(key), QString()); };
    report.title = text(TextKey::Titel);
    report.shortText = text(TextKey::Global);
    report.folder = text(TextKey::Folder);
    report.webPage = text(TextKey::Webside);

    for (FlagKey flag : CatalogueKeys::flagKeys) {
        const QString key = CatalogueKeys::name(flag);
        const std::optional<QString> value = catalogue.value(section, key);
        const bool set = Catalogue::isFlagSet(value.value_or(Catalogue::missingFlagValue()));
        // An empty value is plainly "no" to every reader; any other text is "yes" to the
        // fixed-item import and "no" to the editor.
        if (value && !value->isEmpty() && !set)
            report.flagsReadingUnset.append({key, *value});
        if (flag == FlagKey::Fuldversion)
            report.fullVersion = set;
        else if (flag == FlagKey::Registrer)
            report.mustRegister = set;
        else if (set)
            report.categories.append(Category(int(flag)));
    }
    for (const QString &key : catalogue.keyNames(section)) {
        if (!isKnownKey(key) && !report.unknownKeys.contains(key))
            report.unknownKeys.append(key);
    }

    report.folderState = folderState(report.folder);
    const std::array<TextKey, 3> fileKeys = {TextKey::Setup, TextKey::Run, TextKey::Ekstra};
    for (std::size_t i = 0; i < fileKeys.size(); ++i) {
        // No name names no file; the editor's lookup of an empty name would list folders for nothing.
        const QString name = text(fileKeys[i]);
        report.files[i] = {fileKeys[i], name,
                           name.isEmpty() ? FileAvailability::Missing : fileAvailability(report.folder, name)};
    }

    // Without its folder an item has no pictures or descriptions to look for; the editor would
    // look for them in the root folder.
    for (const DescriptionLanguageInfo &language : DescriptionLanguages::all()) {
        DescriptionReport &description = report.descriptions[std::size_t(language.language)];
        description.language = language.language;
        description.fileName = language.shownTestedName;
        description.checked = options.languages.contains(language.language);
    }
    if (report.folderState != FolderState::Present)
        return report;
    report.screenshot = inspectScreenshot(report.folder, options);
    report.icon = inspectIcon(report.folder, options);
    KnownWords known = options.knownWords;
    known.setItemNames({report.title, report.files[0].name, report.files[1].name, report.files[2].name});
    for (const DescriptionLanguageInfo &language : DescriptionLanguages::all()) {
        if (options.languages.contains(language.language))
            report.descriptions[std::size_t(language.language)] = inspectDescription(report.folder, language, options,
                                                                                     known);
    }
    if (options.dictionaries)
        SpellingFindings::addWarnings(report);
    TranslationFindings::addWarnings(report);
    return report;
}

QString sectionText(const ProfileSnapshot &catalogue, int number)
{
    const QString section = Catalogue::SectionName(number);
    QString text;
    for (const QString &key : catalogue.keyNames(section))
        text += key + QLatin1Char('=') + catalogue.value(section, key).value_or(QString()) + QLatin1Char('\n');
    return text;
}

ItemReport keptFrom(const ItemReport &earlier)
{
    ItemReport kept = earlier;
    kept.duplicateKeys.clear();
    kept.linesWithoutEquals.clear();
    kept.keysInOtherCase.clear();
    kept.sharesFolderWith.clear();
    kept.differsFromFixed.clear();
    kept.problems.clear();
    return kept;
}

} // namespace ItemInspection

namespace {

Problem::Kind missingFileKind(TextKey key)
{
    switch (key) {
    case TextKey::Run: return Problem::Kind::RunMissing;
    case TextKey::Ekstra: return Problem::Kind::ExtraMissing;
    default: return Problem::Kind::SetupMissing;
    }
}

void addFolderProblems(ItemReport &report)
{
    QList<Problem> &problems = report.problems;
    switch (report.folderState) {
    case FolderState::NotNamed: problems.append({Problem::Kind::NoFolder, {}}); break;
    case FolderState::Missing: problems.append({Problem::Kind::FolderMissing, {report.folder}}); break;
    case FolderState::IsFile: problems.append({Problem::Kind::FolderIsFile, {report.folder}}); break;
    case FolderState::Present: break;
    }
    for (const NamedFileReport &file : report.files) {
        // Only the installer must be there; a program or extra file is named when there is one.
        if (file.name.isEmpty()) {
            if (file.key == TextKey::Setup)
                problems.append({Problem::Kind::NoSetup, {}});
        } else if (file.availability == FileAvailability::Missing) {
            problems.append({missingFileKind(file.key), {file.name}});
        }
    }
    if (report.folderState != FolderState::Present)
        return;
    const QString shot = ItemFolder::screenshotName();
    if (report.screenshot.state == PictureReport::State::Missing)
        problems.append({Problem::Kind::ScreenshotMissing, {shot}});
    else if (report.screenshot.state == PictureReport::State::Damaged)
        problems.append({Problem::Kind::ScreenshotDamaged, {shot}});
    const QString icon = ItemFolder::iconName();
    if (report.icon.state == PictureReport::State::Missing)
        problems.append({Problem::Kind::IconMissing, {icon}});
    else if (report.icon.state == PictureReport::State::Damaged)
        problems.append({Problem::Kind::IconDamaged, {icon}});
    for (const DescriptionReport &description : report.descriptions) {
        if (!description.checked)
            continue;
        const QStringList arguments = {ReportTerms::languageAdjective(description.language), description.fileName};
        switch (description.state) {
        case DescriptionReport::State::Missing: problems.append({Problem::Kind::DescriptionMissing, arguments}); break;
        case DescriptionReport::State::Unreadable:
            problems.append({Problem::Kind::DescriptionUnreadable, arguments});
            break;
        case DescriptionReport::State::Empty: problems.append({Problem::Kind::DescriptionEmpty, arguments}); break;
        case DescriptionReport::State::Present: break;
        }
    }
}

} // namespace

namespace ItemInspection {

void addProblems(ItemReport &report)
{
    QList<Problem> &problems = report.problems;
    problems.clear();
    if (report.title.isEmpty())
        problems.append({Problem::Kind::EmptyTitle, {}});
    else if (report.titleTooWide())
        problems.append(
            {Problem::Kind::TitleTooWide, {QString::number(*report.titleWidth), QString::number(TitleWidth::limit)}});
    if (report.categories.isEmpty())
        problems.append({Problem::Kind::NoCategory, {}});
    addFolderProblems(report);
    for (const QPair<QString, QString> &flag : report.flagsReadingUnset)
        problems.append({Problem::Kind::FlagReadsUnset, {flag.first, flag.second}});
    for (const QString &key : report.unknownKeys)
        problems.append({Problem::Kind::UnknownKey, {key}});
    for (const QString &key : report.duplicateKeys)
        problems.append({Problem::Kind::DuplicateKey, {key}});
    for (const QString &line : report.linesWithoutEquals)
        problems.append({Problem::Kind::LineWithoutEquals, {line}});
    for (const QPair<QString, QString> &key : report.keysInOtherCase)
        problems.append({Problem::Kind::KeyInOtherCase, {key.first, key.second}});
    if (!report.sharesFolderWith.isEmpty())
        problems.append({Problem::Kind::SharedFolder, {Problem::numberList(report.sharesFolderWith)}});
    if (!report.differsFromFixed.isEmpty())
        problems.append({Problem::Kind::DiffersFromFixed, {report.differsFromFixed.join(QStringLiteral(", "))}});
}

} // namespace ItemInspection
