#include "editor/CatalogueSearch.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueKeys.h"
#include "description/DescriptionFile.h"
#include "description/DescriptionLanguage.h"
#include "description/RtfReader.h"
#include "files/LocalPath.h"

#include <QTextDocument>

namespace {

constexpr qsizetype excerptContext = 40;

std::optional<QString> excerptOf(const QString &text, const QString &wanted)
{
    const QString oneLine = text.simplified();
    const qsizetype at = oneLine.indexOf(wanted, 0, Qt::CaseInsensitive);
    if (at < 0)
        return std::nullopt;
    const qsizetype begin = qMax<qsizetype>(0, at - excerptContext);
    const qsizetype end = qMin(oneLine.size(), at + wanted.size() + excerptContext);
    QString excerpt = oneLine.mid(begin, end - begin);
    if (begin > 0)
        excerpt.prepend(QChar(0x2026));
    if (end < oneLine.size())
        excerpt.append(QChar(0x2026));
    return excerpt;
}

QString descriptionText(const QString &folder, const DescriptionLanguageInfo &language)
{
    const DescriptionFile::Contents file = DescriptionFile::contents(LocalPath::join(folder, language.shownTestedName));
    QTextDocument document;
    if (file.reading != DescriptionFile::Reading::Read || !RtfReader::read(file.bytes, document))
        return QString();
    return document.toPlainText();
}

} // namespace

namespace CatalogueSearch {

QList<Hit> find(const ProfileReader &catalogue, const QString &text, const std::optional<ShownDescription> &shown)
{
    const QString wanted = text.simplified();
    QList<Hit> hits;
    if (wanted.isEmpty())
        return hits;
    for (int number = Catalogue::FirstItemNumber; number <= Catalogue::LastItemNumber; ++number) {
        const QString section = Catalogue::SectionName(number);
        if (!catalogue.SectionExists(section))
            continue;
        const QString title = catalogue.ReadString(section, CatalogueKeys::name(TextKey::Titel), QString());
        const auto look = [&](const QString &where, const QString &content) {
            if (const std::optional<QString> excerpt = excerptOf(content, wanted))
                hits.append({number, title, where, *excerpt});
        };
        look(QStringLiteral("Titel"), title);
        look(QStringLiteral("Kort tekst"),
             catalogue.ReadString(section, CatalogueKeys::name(TextKey::Global), QString()));
        const QString folder = catalogue.ReadString(section, CatalogueKeys::name(TextKey::Folder), QString());
        // Without a folder there are no descriptions; the root folder is not searched for them.
        if (folder.isEmpty() || !LocalPath::folderExists(folder))
            continue;
        for (const DescriptionLanguageInfo &language : DescriptionLanguages::all()) {
            const bool isShown = shown && shown->number == number && shown->language == language.setting;
            look(language.setting, isShown ? shown->text : descriptionText(folder, language));
        }
    }
    return hits;
}

} // namespace CatalogueSearch
