#include "rules/ReportTerms.h"

namespace {

template <typename State>
struct Term {
    State state;
    const char *code;
    const char *danish;
};

const Term<FolderState> folderTerms[] = {
    {FolderState::Present, "present", "findes"},
    {FolderState::NotNamed, "none", "ingen"},
    {FolderState::Missing, "missing", "mangler"},
    {FolderState::IsFile, "file", "er en fil"},
};

const Term<FileAvailability> fileTerms[] = {
    {FileAvailability::InItemFolder, "itemFolder", "findes"},
    {FileAvailability::InDanishEditionOnly, "danishEdition", "kun i den danske udgave"},
    {FileAvailability::Missing, "missing", "mangler"},
};
const Term<FileAvailability> unnamedFile = {FileAvailability::Missing, "none", "ingen"};

const Term<PictureReport::State> pictureTerms[] = {
    {PictureReport::State::Missing, "missing", "mangler"},
    {PictureReport::State::Damaged, "damaged", "kan ikke læses"},
    {PictureReport::State::Present, "present", "findes"},
};

const Term<DescriptionReport::State> descriptionTerms[] = {
    {DescriptionReport::State::Missing, "missing", "mangler"},
    {DescriptionReport::State::Unreadable, "unreadable", "kan ikke læses"},
    {DescriptionReport::State::Empty, "empty", "tom"},
    {DescriptionReport::State::Present, "present", "findes"},
};

template <typename State, std::size_t N>
const Term<State> &termOf(const Term<State> (&terms)[N], State state)
{
    for (const Term<State> &term : terms) {
        if (term.state == state)
            return term;
    }
    Q_UNREACHABLE();
}

const Term<FileAvailability> &fileTerm(FileAvailability availability, bool named)
{
    return named ? termOf(fileTerms, availability) : unnamedFile;
}

} // namespace

namespace ReportTerms {

QString code(FolderState state) { return QString::fromLatin1(termOf(folderTerms, state).code); }
QString code(FileAvailability availability, bool named)
{
    return QString::fromLatin1(fileTerm(availability, named).code);
}
QString code(PictureReport::State state) { return QString::fromLatin1(termOf(pictureTerms, state).code); }
QString code(DescriptionReport::State state) { return QString::fromLatin1(termOf(descriptionTerms, state).code); }

QString danish(FolderState state) { return QString::fromUtf8(termOf(folderTerms, state).danish); }
QString danish(FileAvailability availability, bool named)
{
    return QString::fromUtf8(fileTerm(availability, named).danish);
}
QString danish(PictureReport::State state) { return QString::fromUtf8(termOf(pictureTerms, state).danish); }
QString danish(DescriptionReport::State state) { return QString::fromUtf8(termOf(descriptionTerms, state).danish); }

QString fileRole(TextKey key)
{
    switch (key) {
    case TextKey::Setup: return QStringLiteral("Installation");
    case TextKey::Run: return QStringLiteral("Program");
    case TextKey::Ekstra: return QStringLiteral("Ekstra");
    default: return CatalogueKeys::name(key);
    }
}

QString languageName(DescriptionLanguage language) { return DescriptionLanguages::info(language).setting; }

QString languageAdjective(DescriptionLanguage language)
{
    switch (language) {
    case DescriptionLanguage::Dansk: return QStringLiteral("danske");
    case DescriptionLanguage::Norsk: return QStringLiteral("norske");
    case DescriptionLanguage::Svensk: return QStringLiteral("svenske");
    case DescriptionLanguage::Finsk: return QStringLiteral("finske");
    }
    return QString();
}

} // namespace ReportTerms
