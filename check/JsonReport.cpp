#include "check/JsonReport.h"

#include "rules/CatalogueCheck.h"
#include "rules/ReportTerms.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonArray problemsJson(const QList<Problem> &problems)
{
    QJsonArray array;
    for (const Problem &problem : problems)
        array.append(QJsonObject{{QStringLiteral("code"), problem.code()}, {QStringLiteral("text"), problem.text()}});
    return array;
}

QJsonArray numbersJson(const QList<int> &numbers)
{
    QJsonArray array;
    for (int number : numbers)
        array.append(number);
    return array;
}

QJsonObject pictureJson(const PictureReport &picture)
{
    QJsonObject object{{QStringLiteral("state"), ReportTerms::code(picture.state)}};
    if (picture.size.isValid()) {
        object.insert(QStringLiteral("width"), picture.size.width());
        object.insert(QStringLiteral("height"), picture.size.height());
    }
    return object;
}

QJsonObject itemJson(const ItemReport &item)
{
    QJsonArray categories;
    for (Category category : item.categories)
        categories.append(CatalogueKeys::name(category));
    QJsonObject files;
    for (const NamedFileReport &file : item.files) {
        files.insert(
            CatalogueKeys::name(file.key),
            QJsonObject{{QStringLiteral("name"), file.name},
                        {QStringLiteral("state"), ReportTerms::code(file.availability, !file.name.isEmpty())}});
    }
    QJsonObject descriptions;
    for (const DescriptionReport &description : item.descriptions) {
        if (!description.checked)
            continue;
        QJsonObject object{{QStringLiteral("file"), description.fileName},
                           {QStringLiteral("state"), ReportTerms::code(description.state)}};
        if (description.state == DescriptionReport::State::Present) {
            object.insert(QStringLiteral("firstWords"), description.firstWords);
            object.insert(QStringLiteral("wordCount"), description.wordCount);
            object.insert(QStringLiteral("unknownWords"), QJsonArray::fromStringList(description.unknownWords));
        }
        descriptions.insert(ReportTerms::languageName(description.language), object);
    }
    QJsonArray flags;
    for (const QPair<QString, QString> &flag : item.flagsReadingUnset)
        flags.append(QJsonObject{{QStringLiteral("key"), flag.first}, {QStringLiteral("value"), flag.second}});
    QJsonArray keysInOtherCase;
    for (const QPair<QString, QString> &key : item.keysInOtherCase)
        keysInOtherCase.append(QJsonObject{{QStringLiteral("key"), key.first}, {QStringLiteral("readAs"), key.second}});

    QJsonObject object{
        {QStringLiteral("number"), item.number},
        {QStringLiteral("title"), item.title},
        {QStringLiteral("titleTooWide"), item.titleTooWide()},
        {QStringLiteral("shortText"), item.shortText},
        {QStringLiteral("webPage"), item.webPage},
        {QStringLiteral("categories"), categories},
        {QStringLiteral("fullVersion"), item.fullVersion},
        {QStringLiteral("mustRegister"), item.mustRegister},
        {QStringLiteral("folder"), item.folder},
        {QStringLiteral("folderState"), ReportTerms::code(item.folderState)},
        {QStringLiteral("files"), files},
        {QStringLiteral("screenshot"), pictureJson(item.screenshot)},
        {QStringLiteral("icon"), pictureJson(item.icon)},
        {QStringLiteral("descriptions"), descriptions},
        {QStringLiteral("flagsReadingUnset"), flags},
        {QStringLiteral("unknownKeys"), QJsonArray::fromStringList(item.unknownKeys)},
        {QStringLiteral("duplicateKeys"), QJsonArray::fromStringList(item.duplicateKeys)},
        {QStringLiteral("linesWithoutEquals"), QJsonArray::fromStringList(item.linesWithoutEquals)},
        {QStringLiteral("keysInOtherCase"), keysInOtherCase},
        {QStringLiteral("sharesFolderWith"), numbersJson(item.sharesFolderWith)},
        {QStringLiteral("differsFromFixed"), QJsonArray::fromStringList(item.differsFromFixed)},
        {QStringLiteral("problems"), problemsJson(item.problems)},
        {QStringLiteral("warnings"), problemsJson(item.warnings)},
    };
    if (item.titleWidth)
        object.insert(QStringLiteral("titleWidth"), *item.titleWidth);
    return object;
}

} // namespace

namespace JsonReport {

QByteArray write(const CatalogueReport &report)
{
    QJsonObject root{{QStringLiteral("catalogue"), report.catalogueFile}};
    if (!report.readable()) {
        root.insert(QStringLiteral("error"), report.error);
        return QJsonDocument(root).toJson();
    }
    QJsonArray items;
    for (const ItemReport &item : report.items)
        items.append(itemJson(item));
    root.insert(QStringLiteral("fixedCatalogue"), report.fixedCatalogue);
    root.insert(QStringLiteral("highestItemNumber"), report.highestItemNumber);
    root.insert(QStringLiteral("freeNumbers"), numbersJson(report.freeNumbers));
    QJsonArray languages;
    for (DescriptionLanguage language : report.languages)
        languages.append(ReportTerms::languageName(language));
    root.insert(QStringLiteral("languages"), languages);
    root.insert(QStringLiteral("sectionsNotItems"), QJsonArray::fromStringList(report.sectionsNotItems));
    root.insert(QStringLiteral("duplicateSections"), QJsonArray::fromStringList(report.duplicateSections));
    root.insert(QStringLiteral("problemCount"), report.problemCount());
    root.insert(QStringLiteral("warningCount"), report.warningCount());
    root.insert(QStringLiteral("problems"), problemsJson(report.problems));
    root.insert(QStringLiteral("items"), items);
    return QJsonDocument(root).toJson();
}

} // namespace JsonReport
