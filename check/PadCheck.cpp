#include "check/PadCheck.h"

#include "catalogue/PadCategories.h"
#include "pad/PadReader.h"
#include "pad/PadRules.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString nameField = QStringLiteral("Program_Info/Program_Name");
const QString versionField = QStringLiteral("Program_Info/Program_Version");
const QString typeField = QStringLiteral("Program_Info/Program_Type");
const QString classField = QStringLiteral("Program_Info/Program_Category_Class");

QStringList categoryNames(const PadDocument &document)
{
    QStringList names;
    for (Category category : PadCategories::categoriesOf(document.value(classField)).value_or(std::vector<Category>()))
        names << CatalogueKeys::name(category);
    return names;
}

QByteArray table(const QString &file, const PadDocument &document, const std::vector<PadFinding> &findings)
{
    QString text = QStringLiteral("PAD-fil: %1\n").arg(QDir::toNativeSeparators(file));
    if (document.readable) {
        text += QStringLiteral("Program: %1 %2 (%3)\n")
                    .arg(document.value(nameField), document.value(versionField), document.value(typeField));
        text += QStringLiteral("Klasse:  %1 → %2\n")
                    .arg(document.value(classField), categoryNames(document).join(QStringLiteral(", ")));
        text += QStringLiteral("Sprog:   %1\n").arg(document.languages.join(QStringLiteral(", ")));
    }
    text += QLatin1Char('\n') + PadRules::reportText(findings);
    text += findings.empty() ? QStringLiteral("Intet fundet.\n") : QStringLiteral("%1 fund.\n").arg(findings.size());
    return text.toUtf8();
}

QByteArray json(const QString &file, const PadDocument &document, const std::vector<PadFinding> &findings)
{
    QJsonArray listed;
    for (const PadFinding &finding : findings) {
        QJsonObject object{{QStringLiteral("code"), finding.code}, {QStringLiteral("text"), finding.text}};
        if (!finding.field.isEmpty())
            object.insert(QStringLiteral("field"), finding.field);
        if (finding.line > 0)
            object.insert(QStringLiteral("line"), finding.line);
        listed.append(object);
    }
    QJsonObject report{{QStringLiteral("file"), QFileInfo(file).absoluteFilePath()},
                       {QStringLiteral("readable"), document.readable},
                       {QStringLiteral("findingCount"), int(findings.size())},
                       {QStringLiteral("findings"), listed}};
    if (document.readable) {
        report.insert(QStringLiteral("program"),
                      QJsonObject{{QStringLiteral("name"), document.value(nameField)},
                                  {QStringLiteral("version"), document.value(versionField)},
                                  {QStringLiteral("type"), document.value(typeField)},
                                  {QStringLiteral("class"), document.value(classField)},
                                  {QStringLiteral("categories"), QJsonArray::fromStringList(categoryNames(document))}});
        report.insert(QStringLiteral("languages"), QJsonArray::fromStringList(document.languages));
    }
    return QJsonDocument(report).toJson();
}

} // namespace

namespace PadCheck {

int run(const QString &file, bool asJson, std::FILE *out)
{
    const PadDocument document = PadReader::readFile(file);
    const std::vector<PadFinding> findings = PadRules::report(document);
    const QByteArray report = asJson ? json(file, document, findings) : table(file, document, findings);
    std::fwrite(report.constData(), 1, std::size_t(report.size()), out);
    std::fflush(out);
    if (!document.readable)
        return 2;
    return findings.empty() ? 0 : 1;
}

} // namespace PadCheck
