#include "rules/Problem.h"

#include <QList>

namespace {

struct KindText {
    Problem::Kind kind;
    const char *code;
    const char *summary;
    const char *text; // %1, %2 ... are the arguments
};

// Danish quotation marks: »...«.
const QList<KindText> &kindTexts()
{
    static const QList<KindText> texts = {
        {Problem::Kind::EmptyTitle, "empty-title", "Ingen titel", "Titlen er tom, så punktet står ikke i menuerne"},
        {Problem::Kind::NoCategory, "no-category", "Ingen kategori", "Punktet er ikke i nogen kategori"},
        {Problem::Kind::TitleTooWide, "title-too-wide", "Titlen er for bred",
         "Titlen er %1 pixel bred, men der er kun plads til %2"},
        {Problem::Kind::NoFolder, "no-folder", "Ingen mappe", "Der er ikke angivet nogen mappe"},
        {Problem::Kind::FolderMissing, "folder-missing", "Mappen findes ikke", "Mappen »%1« findes ikke"},
        {Problem::Kind::FolderIsFile, "folder-is-file", "Mappen er en fil", "»%1« er en fil, ikke en mappe"},
        {Problem::Kind::NoSetup, "no-setup", "Ingen installationsfil", "Der er ikke angivet nogen installationsfil"},
        {Problem::Kind::SetupMissing, "setup-missing", "Installationsfilen mangler",
         "Installationsfilen »%1« findes hverken i mappen eller i den danske udgave"},
        {Problem::Kind::RunMissing, "run-missing", "Programfilen mangler",
         "Programfilen »%1« findes hverken i mappen eller i den danske udgave"},
        {Problem::Kind::ExtraMissing, "extra-missing", "Ekstrafilen mangler",
         "Ekstrafilen »%1« findes hverken i mappen eller i den danske udgave"},
        {Problem::Kind::ScreenshotMissing, "screenshot-missing", "Skærmbillede mangler", "Skærmbilledet %1 mangler"},
        {Problem::Kind::ScreenshotDamaged, "screenshot-damaged", "Skærmbillede kan ikke læses",
         "Skærmbilledet %1 kan ikke læses"},
        {Problem::Kind::IconMissing, "icon-missing", "Ikon mangler", "Ikonet %1 mangler"},
        {Problem::Kind::IconDamaged, "icon-damaged", "Ikon kan ikke læses", "Ikonet %1 kan ikke læses"},
        {Problem::Kind::DescriptionMissing, "description-missing", "Beskrivelse mangler",
         "Den %1 beskrivelse (%2) mangler"},
        {Problem::Kind::DescriptionUnreadable, "description-unreadable", "Beskrivelse kan ikke læses",
         "Den %1 beskrivelse (%2) kan ikke læses"},
        {Problem::Kind::DescriptionEmpty, "description-empty", "Beskrivelse er tom", "Den %1 beskrivelse (%2) er tom"},
        {Problem::Kind::FlagReadsUnset, "flag-reads-unset", "Mærke med en værdi, der læses som nej",
         "»%1« har værdien »%2«, som editoren læser som ikke sat"},
        {Problem::Kind::UnknownKey, "unknown-key", "Ukendt nøgle", "Ukendt nøgle »%1«"},
        {Problem::Kind::DuplicateKey, "duplicate-key", "Nøgle står to gange",
         "Nøglen »%1« står to gange; editoren læser kun den første"},
        {Problem::Kind::LineWithoutEquals, "line-without-equals", "Linje uden »=«",
         "Linjen »%1« har intet »=«, så editoren springer den over"},
        {Problem::Kind::KeyInOtherCase, "key-in-other-case", "Nøgle med andre store og små bogstaver",
         "Nøglen »%1« læses som »%2«"},
        {Problem::Kind::SharedFolder, "shared-folder", "Mappe delt med et andet punkt", "Deler mappe med punkt %1"},
        {Problem::Kind::DiffersFromFixed, "differs-from-fixed", "Afviger fra Fast.MQV", "Afviger fra Fast.MQV i %1"},
        {Problem::Kind::FreeNumbers, "free-numbers", "Ledige numre", "Ledige numre under det højeste (%1): %2"},
        {Problem::Kind::FixedItemMissing, "fixed-item-missing", "Fast punkt mangler",
         "Punkt %1 findes i Fast.MQV, men ikke i kataloget"},
        {Problem::Kind::SectionNotAnItem, "section-not-an-item", "Afsnit uden for Z1-Z70",
         "Afsnittet [%1] læses ikke: editoren kender kun punkterne Z1 til Z70"},
        {Problem::Kind::DuplicateSection, "duplicate-section", "Afsnit står to gange",
         "Afsnittet [%1] står to gange; editoren læser kun det første"},
        {Problem::Kind::LockFileLeft, "lock-file-left", "Låsefil i mappen",
         "Låsefilen %1 ligger ved kataloget (åbent hos %2) og må ikke med på disken"},
        {Problem::Kind::UnknownWords, "unknown-words", "Ukendte ord", "Ukendte ord i den %1 beskrivelse: %2"},
        {Problem::Kind::LanguageWithoutText, "language-without-text", "Sprog uden tekst",
         "Den %1 beskrivelse har ingen tekst, men andre sprog har"},
        {Problem::Kind::LanguageCutShort, "language-cut-short", "Sprog med under halvt så mange ord",
         "Den %1 beskrivelse har %2 ord, under halvdelen af de %3 i den længste"},
        {Problem::Kind::TranslationBehind, "translation-behind", "Oversættelse ikke ført ajour",
         "%1 er ikke ført ajour efter den danske tekst"},
    };
    return texts;
}

const KindText &textOf(Problem::Kind kind)
{
    for (const KindText &text : kindTexts()) {
        if (text.kind == kind)
            return text;
    }
    Q_UNREACHABLE();
}

// One pass, so an argument holding "%2" (a file name may) stays as it is.
QString filledIn(const QString &pattern, const QStringList &arguments)
{
    QString result;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('%') && i + 1 < pattern.size() && pattern.at(i + 1).isDigit()) {
            result += arguments.value(pattern.at(i + 1).digitValue() - 1);
            ++i;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace

bool Problem::isWarning() const
{
    return kind == Kind::UnknownWords || kind == Kind::LanguageWithoutText || kind == Kind::LanguageCutShort ||
        kind == Kind::TranslationBehind;
}

QString Problem::code() const { return QString::fromLatin1(textOf(kind).code); }

QString Problem::text() const { return filledIn(QString::fromUtf8(textOf(kind).text), arguments); }

QString Problem::summary(Kind kind) { return QString::fromUtf8(textOf(kind).summary); }

QString Problem::numberList(const QList<int> &numbers)
{
    QStringList texts;
    for (int number : numbers)
        texts.append(QString::number(number));
    if (texts.size() < 2)
        return texts.join(QString());
    const QString last = texts.takeLast();
    return texts.join(QStringLiteral(", ")) + QStringLiteral(" og ") + last;
}
