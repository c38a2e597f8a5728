#include "description/DescriptionLanguage.h"

namespace DescriptionLanguages {

const std::array<DescriptionLanguageInfo, 4> &all()
{
    static const std::array<DescriptionLanguageInfo, 4> table = {{
        {DescriptionLanguage::Dansk, QStringLiteral("Dansk"), QStringLiteral("DK.RTF"), QStringLiteral("DK.rtf"),
         QStringLiteral("DK.RTF"), QStringLiteral("DK.RTF"), QStringLiteral("DK.RTF"), QString(),
         QStringLiteral("Sprog: Dansk"), 1030},
        {DescriptionLanguage::Norsk, QStringLiteral("Norsk"), QStringLiteral("No.RTF"), QStringLiteral("No.rtf"),
         QStringLiteral("No.RTF"), QStringLiteral("NO.RTF"), QStringLiteral("NO.RTF"), QStringLiteral("Sprog: Norsk"),
         QStringLiteral("Sprog: Norsk"), 1044},
        {DescriptionLanguage::Svensk, QStringLiteral("Svensk"), QStringLiteral("Sv.RTF"), QStringLiteral("Sv.rtf"),
         QStringLiteral("Sv.RTF"), QStringLiteral("SV.RTF"), QStringLiteral("SV.RTF"), QStringLiteral("Sprog: Svensk"),
         QStringLiteral("Sprog: Svensk"), 1053},
        {DescriptionLanguage::Finsk, QStringLiteral("Finsk"), QStringLiteral("Fi.RTF"), QStringLiteral("Fi.rtf"),
         QStringLiteral("Fi.RTF"), QStringLiteral("FI.RTF"), QStringLiteral("FI.RTF"), QStringLiteral("Sprog: Finnsk"),
         QStringLiteral("Sprog: Finsk"), 1035},
    }};
    return table;
}

const DescriptionLanguageInfo &info(DescriptionLanguage language) { return all()[std::size_t(language)]; }

DescriptionLanguage fromSetting(const QString &setting)
{
    for (const DescriptionLanguageInfo &entry : all()) {
        if (entry.language != DescriptionLanguage::Dansk && entry.setting == setting)
            return entry.language;
    }
    return DescriptionLanguage::Dansk;
}

} // namespace DescriptionLanguages
