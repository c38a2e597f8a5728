#include "rules/ProblemPlace.h"

#include "rules/ReportTerms.h"

namespace ProblemPlace {

Part part(Problem::Kind kind)
{
    using Kind = Problem::Kind;
    switch (kind) {
    case Kind::EmptyTitle:
    case Kind::TitleTooWide: return Part::Title;
    case Kind::NoCategory: return Part::Categories;
    case Kind::NoFolder:
    case Kind::FolderMissing:
    case Kind::FolderIsFile:
    case Kind::SharedFolder: return Part::Folder;
    case Kind::NoSetup:
    case Kind::SetupMissing: return Part::Setup;
    case Kind::RunMissing: return Part::Run;
    case Kind::ExtraMissing: return Part::Extra;
    case Kind::ScreenshotMissing:
    case Kind::ScreenshotDamaged: return Part::Screenshot;
    case Kind::IconMissing:
    case Kind::IconDamaged: return Part::Icon;
    case Kind::DescriptionMissing:
    case Kind::DescriptionUnreadable:
    case Kind::DescriptionEmpty:
    case Kind::UnknownWords:
    case Kind::LanguageWithoutText:
    case Kind::LanguageCutShort:
    case Kind::TranslationBehind: return Part::Description;
    case Kind::FlagReadsUnset:
    case Kind::UnknownKey:
    case Kind::DuplicateKey:
    case Kind::LineWithoutEquals:
    case Kind::KeyInOtherCase:
    case Kind::DiffersFromFixed: return Part::Keys;
    case Kind::FreeNumbers:
    case Kind::FixedItemMissing:
    case Kind::SectionNotAnItem:
    case Kind::DuplicateSection:
    case Kind::LockFileLeft: return Part::None;
    }
    return Part::None;
}

QString partName(Part part)
{
    switch (part) {
    case Part::None: return QString();
    case Part::Title: return QStringLiteral("Titel");
    case Part::Categories: return QStringLiteral("Kategorier");
    case Part::Folder: return QStringLiteral("Mappe");
    case Part::Setup: return QStringLiteral("Installation");
    case Part::Run: return QStringLiteral("Program");
    case Part::Extra: return QStringLiteral("Ekstra");
    case Part::Screenshot: return QStringLiteral("Skærmbillede");
    case Part::Icon: return QStringLiteral("Ikon");
    case Part::Description: return QStringLiteral("Beskrivelse");
    case Part::Keys: return QStringLiteral("Nøgler");
    }
    return QString();
}

std::optional<TextKey> field(Part part)
{
    switch (part) {
    case Part::Title: return TextKey::Titel;
    case Part::Folder: return TextKey::Folder;
    case Part::Setup: return TextKey::Setup;
    case Part::Run: return TextKey::Run;
    case Part::Extra: return TextKey::Ekstra;
    default: return std::nullopt;
    }
}

// A description's problem names its language first, as an adjective ("norske") or by its name.
std::optional<DescriptionLanguage> language(const Problem &problem)
{
    if (part(problem.kind) != Part::Description || problem.arguments.isEmpty())
        return std::nullopt;
    const QString named = problem.arguments.first();
    for (const DescriptionLanguageInfo &info : DescriptionLanguages::all()) {
        if (ReportTerms::languageAdjective(info.language) == named || ReportTerms::languageName(info.language) == named)
            return info.language;
    }
    return std::nullopt;
}

} // namespace ProblemPlace
