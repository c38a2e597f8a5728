#include "pad/PadImportPlan.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueItem.h"
#include "catalogue/ItemFolder.h"
#include "catalogue/PadCategories.h"
#include "files/LocalPath.h"
#include "files/Windows1252.h"
#include "pad/PadFields.h"

#include <QUrl>

#include <algorithm>

namespace PadImport {

namespace {

using Target = PadImportLine::Target;

const QString english = QStringLiteral("English");

// The name of each description language's block.
QString blockName(DescriptionLanguage language)
{
    switch (language) {
    case DescriptionLanguage::Dansk: return QStringLiteral("Danish");
    case DescriptionLanguage::Norsk: return QStringLiteral("Norwegian");
    case DescriptionLanguage::Svensk: return QStringLiteral("Swedish");
    case DescriptionLanguage::Finsk: return QStringLiteral("Finnish");
    }
    return QString();
}

struct Chosen {
    QString text;
    int length = 0;
};

// The first description of these lengths that is there and keeps to its own limit.
Chosen firstFitting(const PadDocument &document, const QString &block, std::initializer_list<int> lengths)
{
    for (int length : lengths) {
        const QString text = document.value(PadFields::descriptionPath(block, length));
        if (!text.isEmpty() && text.size() <= length)
            return {text, length};
    }
    return {};
}

Chosen shortText(const PadDocument &document, const QString &block)
{
    Chosen chosen = firstFitting(document, block, {45, 80, 250});
    chosen.text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return chosen;
}

Chosen longText(const PadDocument &document, const QString &block)
{
    for (int length : {2000, 450, 250}) {
        const QString text = document.value(PadFields::descriptionPath(block, length));
        if (!text.isEmpty())
            return {text, length};
    }
    return {};
}

// The file a download address ends in; a download page's own last word ("…/Setup.exe/download")
// is passed over for the file name before it.
QStringList downloadedFileNames(const PadDocument &document)
{
    QStringList names;
    for (const QString &field :
         {QStringLiteral("Primary_Download_URL"), QStringLiteral("Secondary_Download_URL"),
          QStringLiteral("Additional_Download_URL_1"), QStringLiteral("Additional_Download_URL_2")}) {
        const QStringList segments = QUrl(document.value(QStringLiteral("Web_Info/Download_URLs/") + field))
                                         .path()
                                         .split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (auto segment = segments.rbegin(); segment != segments.rend(); ++segment) {
            if (segment->contains(QLatin1Char('.'))) {
                names << *segment;
                break;
            }
        }
    }
    return names;
}

// A program's name as a folder name a Windows disc can hold.
QString folderName(const QString &programName)
{
    static const QString forbidden = QStringLiteral("<>:\"/\\|?*");
    QString name;
    for (QChar character : programName) {
        if (!forbidden.contains(character) && character.unicode() >= 0x20)
            name += character;
    }
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name.trimmed();
}

QString note(const QString &translated, int length)
{
    return translated.isEmpty() ? QStringLiteral("%1 tegn").arg(length)
                                : QStringLiteral("%1 tegn, engelsk: skal oversættes").arg(length);
}

} // namespace

PadImportPlan plan(const PadDocument &document, const QString &itemFolder, DescriptionLanguage edition)
{
    PadImportPlan plan;
    auto add = [&plan](Target target, const QString &value, const QString &note, bool taken = true,
                       DescriptionLanguage language = DescriptionLanguage::Dansk) {
        if (value.isEmpty())
            return;
        // The catalogue holds Windows-1252: the line shows what will be stored.
        plan.lines.push_back(
            {target, language, target == Target::Description ? value : Windows1252::nearest(value), taken, note});
    };

    const QString name = document.value(QStringLiteral("Program_Info/Program_Name"));
    const QString version = document.value(QStringLiteral("Program_Info/Program_Version"));
    add(Target::Title, version.isEmpty() ? name : name + QLatin1Char(' ') + version,
        version.isEmpty() ? QString()
                          : QStringLiteral("med version %1: slet den, hvis den ikke skal med").arg(version));

    const QString editionBlock = blockName(edition);
    if (const Chosen own = shortText(document, editionBlock); !own.text.isEmpty()) {
        add(Target::ShortText, own.text, note(QString(), own.length));
    } else if (const Chosen english = shortText(document, PadImport::english); !english.text.isEmpty()) {
        add(Target::ShortText, translationMark + english.text, note(english.text, english.length));
    }

    add(Target::WebPage, document.value(QStringLiteral("Web_Info/Application_URLs/Application_Info_URL")), QString());

    QString folder = itemFolder;
    if (folder.isEmpty()) {
        folder = folderName(name);
        add(Target::Folder, folder,
            LocalPath::folderExists(folder) ? QStringLiteral("findes") : QStringLiteral("oprettes"));
    }
    if (!folder.isEmpty() && LocalPath::folderExists(folder)) {
        for (const QString &file : downloadedFileNames(document)) {
            if (fileAvailability(folder, file) == FileAvailability::InItemFolder) {
                add(Target::Setup, file, QStringLiteral("findes i mappen"));
                break;
            }
        }
    }

    const QString programClass = document.value(QStringLiteral("Program_Info/Program_Category_Class"));
    if (const auto categories = PadCategories::categoriesOf(programClass)) {
        QStringList names;
        for (Category category : *categories)
            names << CatalogueKeys::name(category);
        add(Target::Categories, names.join(QStringLiteral(", ")), programClass);
    }

    for (const DescriptionLanguageInfo &language : DescriptionLanguages::all()) {
        if (const Chosen own = longText(document, blockName(language.language)); !own.text.isEmpty()) {
            add(Target::Description, own.text, note(QString(), own.length), true, language.language);
        } else if (const Chosen english = longText(document, PadImport::english); !english.text.isEmpty()) {
            add(Target::Description, translationMark + english.text, note(english.text, english.length), false,
                language.language);
        }
    }

    // Fetched only when the user asks: the addresses of old files lead anywhere.
    add(Target::Screenshot, document.value(QStringLiteral("Web_Info/Application_URLs/Application_Screenshot_URL")),
        QStringLiteral("hentes som %1").arg(ItemFolder::screenshotName()), false);
    add(Target::Icon, document.value(QStringLiteral("Web_Info/Application_URLs/Application_Icon_URL")),
        QStringLiteral("hentes som %1, 32 × 32").arg(ItemFolder::iconName()), false);

    plan.distributionPermissions = document.value(QStringLiteral("Permissions/Distribution_Permissions"));
    plan.eula = document.value(QStringLiteral("Permissions/EULA"));
    return plan;
}

bool fillsItem(const CatalogueItem &item)
{
    if (!item.text(TextKey::Titel).isEmpty() || !item.text(TextKey::Global).isEmpty() ||
        !item.text(TextKey::Webside).isEmpty())
        return false;
    return std::none_of(CatalogueKeys::categories.begin(), CatalogueKeys::categories.end(),
                        [&](Category category) { return item.flag(CatalogueKeys::flagKey(category)); });
}

QString caption(const PadImportLine &line)
{
    switch (line.target) {
    case Target::Title: return QStringLiteral("Titel");
    case Target::ShortText: return QStringLiteral("Kort tekst");
    case Target::WebPage: return QStringLiteral("Webside");
    case Target::Folder: return QStringLiteral("Mappe");
    case Target::Setup: return QStringLiteral("Setup");
    case Target::Categories: return QStringLiteral("Kategorier");
    case Target::Description:
        return QStringLiteral("Beskrivelse, %1").arg(DescriptionLanguages::info(line.language).setting.toLower());
    case Target::Screenshot: return QStringLiteral("Skærmskud");
    case Target::Icon: return QStringLiteral("Ikon");
    }
    return QString();
}

} // namespace PadImport

QList<QPair<QString, QString>> PadImportPlan::catalogueValues() const
{
    QList<QPair<QString, QString>> values;
    for (const PadImportLine &line : lines) {
        if (!line.taken)
            continue;
        switch (line.target) {
        case PadImportLine::Target::Title: values.append({CatalogueKeys::name(TextKey::Titel), line.value}); break;
        case PadImportLine::Target::ShortText: values.append({CatalogueKeys::name(TextKey::Global), line.value}); break;
        case PadImportLine::Target::WebPage: values.append({CatalogueKeys::name(TextKey::Webside), line.value}); break;
        case PadImportLine::Target::Folder: values.append({CatalogueKeys::name(TextKey::Folder), line.value}); break;
        case PadImportLine::Target::Setup: values.append({CatalogueKeys::name(TextKey::Setup), line.value}); break;
        case PadImportLine::Target::Categories:
            for (Category category : CatalogueKeys::categories) {
                const QString name = CatalogueKeys::name(category);
                const QStringList named = line.value.split(QLatin1Char(','), Qt::SkipEmptyParts);
                if (std::any_of(named.begin(), named.end(), [&](const QString &given) {
                        return given.trimmed().compare(name, Qt::CaseInsensitive) == 0;
                    }))
                    values.append({name, Catalogue::setFlagValue()});
            }
            break;
        case PadImportLine::Target::Description:
        case PadImportLine::Target::Screenshot:
        case PadImportLine::Target::Icon: break;
        }
    }
    return values;
}

QString PadImportPlan::folder(const QString &itemFolder) const
{
    for (const PadImportLine &line : lines) {
        if (line.target == PadImportLine::Target::Folder && line.taken)
            return line.value;
    }
    return itemFolder;
}
