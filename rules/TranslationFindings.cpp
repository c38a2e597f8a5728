#include "rules/TranslationFindings.h"

#include "description/TranslationSource.h"
#include "rules/ItemReport.h"
#include "rules/ReportTerms.h"

namespace TranslationFindings {

void addWarnings(ItemReport &report)
{
    std::optional<QString> danish;
    bool danishRead = false;
    for (const DescriptionReport &description : report.descriptions) {
        if (!description.writtenAgainst)
            continue;
        if (!danishRead) {
            danish = TranslationSource::danishWordsIn(report.folder);
            danishRead = true;
        }
        if (danish && *danish != *description.writtenAgainst)
            report.warnings.append(
                {Problem::Kind::TranslationBehind, {ReportTerms::languageName(description.language)}});
    }
}

} // namespace TranslationFindings
