#include "pad/PadRules.h"

#include "catalogue/PadCategories.h"
#include "pad/PadFields.h"

#include <QRegularExpression>

namespace PadRules {

namespace {

QString shortened(const QString &value) { return value.size() > 80 ? value.left(80) + QStringLiteral("…") : value; }

void checkField(const PadFields::Field &field, const QString &path, const PadDocument &document,
                std::vector<PadFinding> &findings)
{
    const QString value = document.value(path);
    if (value.isEmpty()) {
        if (field.required)
            findings.push_back({QStringLiteral("missing"), path, QStringLiteral("Feltet mangler eller er tomt.")});
        return;
    }
    if (value.size() > field.maximum) {
        findings.push_back({QStringLiteral("over-limit"), path,
                            QStringLiteral("%1 tegn, højst %2.").arg(value.size()).arg(field.maximum)});
        return;
    }
    // Sites that take the files in count the limit in bytes of UTF-8, which letters such as "æ"
    // take two of.
    if (const qsizetype bytes = value.toUtf8().size(); bytes > field.maximum) {
        findings.push_back({QStringLiteral("over-limit-in-bytes"), path,
                            QStringLiteral("%1 tegn, men %2 byte; højst %3, hvor der tælles i byte.")
                                .arg(value.size())
                                .arg(bytes)
                                .arg(field.maximum)});
    }
    if (field.pattern.isEmpty())
        return;
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(field.pattern));
    if (!pattern.match(value).hasMatch()) {
        findings.push_back({QStringLiteral("pattern"), path,
                            QStringLiteral("\"%1\" følger ikke formatets regel.").arg(shortened(value))});
    }
}

} // namespace

std::vector<PadFinding> check(const PadDocument &document)
{
    std::vector<PadFinding> findings;
    if (!document.readable)
        return findings;
    for (const PadFields::Field &field : PadFields::programFields())
        checkField(field, field.path, document, findings);
    const QString classPath = QStringLiteral("Program_Info/Program_Category_Class");
    const QString programClass = document.value(classPath);
    if (!programClass.isEmpty() && !PadCategories::categoriesOf(programClass)) {
        findings.push_back({QStringLiteral("unknown-category"), classPath,
                            QStringLiteral("\"%1\" er ikke en af formatets programklasser.").arg(programClass)});
    }
    if (document.languages.isEmpty())
        findings.push_back(
            {QStringLiteral("missing"), PadFields::descriptionsGroup, QStringLiteral("Filen har ingen beskrivelser.")});
    for (const QString &language : document.languages) {
        for (const PadFields::Field &field : PadFields::descriptionFields()) {
            const QString path = PadFields::descriptionsGroup + QLatin1Char('/') + language + QLatin1Char('/') +
                field.path;
            checkField(field, path, document, findings);
        }
    }
    return findings;
}

std::vector<PadFinding> report(const PadDocument &document)
{
    std::vector<PadFinding> findings = document.findings;
    for (PadFinding &finding : check(document))
        findings.push_back(std::move(finding));
    return findings;
}

QString reportText(const std::vector<PadFinding> &findings)
{
    QString text;
    for (const PadFinding &finding : findings) {
        if (finding.line > 0)
            text += QStringLiteral("Linje %1: ").arg(finding.line);
        if (!finding.field.isEmpty())
            text += finding.field + QStringLiteral(": ");
        text += finding.text + QLatin1Char('\n');
    }
    return text;
}

} // namespace PadRules
