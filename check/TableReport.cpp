#include "check/TableReport.h"

#include "rules/CatalogueCheck.h"
#include "rules/ReportTerms.h"

namespace {

enum class Tone { Plain, Good, Danish, Bad, Dim, Warning };

class Table {
public:
    explicit Table(bool coloured)
        : coloured_(coloured)
    {
    }

    // Pads to width characters before colouring, so columns line up either way.
    void cell(const QString &text, int width, Tone tone = Tone::Plain)
    {
        QString padded = text.size() > width ? text.left(width - 1) + QChar(0x2026) : text;
        padded = padded.leftJustified(width);
        out_ += paint(padded, tone) + QLatin1Char(' ');
    }

    void line(const QString &text = QString(), Tone tone = Tone::Plain)
    {
        while (out_.endsWith(QLatin1Char(' ')))
            out_.chop(1);
        out_ += paint(text, tone) + QLatin1Char('\n');
    }

    QByteArray bytes() const { return out_.toUtf8(); }

private:
    QString paint(const QString &text, Tone tone) const
    {
        if (!coloured_ || text.trimmed().isEmpty())
            return text;
        const char *code = "";
        switch (tone) {
        case Tone::Plain: return text;
        case Tone::Good: code = "32"; break;
        case Tone::Danish: code = "34"; break;
        case Tone::Bad: code = "1;31"; break;
        case Tone::Dim: code = "2"; break;
        case Tone::Warning: code = "33"; break;
        }
        return QStringLiteral("\x1b[%1m").arg(QLatin1String(code)) + text + QStringLiteral("\x1b[0m");
    }

    bool coloured_;
    QString out_;
};

void fileCell(Table &table, const NamedFileReport &file)
{
    if (file.name.isEmpty()) {
        table.cell(QStringLiteral("-"), 7, file.key == TextKey::Setup ? Tone::Bad : Tone::Dim);
        return;
    }
    switch (file.availability) {
    case FileAvailability::InItemFolder: table.cell(QStringLiteral("ok"), 7, Tone::Good); break;
    case FileAvailability::InDanishEditionOnly: table.cell(QStringLiteral("dansk"), 7, Tone::Danish); break;
    case FileAvailability::Missing: table.cell(QStringLiteral("mangler"), 7, Tone::Bad); break;
    }
}

void pictureCell(Table &table, const PictureReport &picture, bool showSize, int width)
{
    switch (picture.state) {
    case PictureReport::State::Missing: table.cell(QStringLiteral("mangler"), width, Tone::Bad); break;
    case PictureReport::State::Damaged: table.cell(QStringLiteral("defekt"), width, Tone::Bad); break;
    case PictureReport::State::Present:
        table.cell(showSize ? QStringLiteral("%1x%2").arg(picture.size.width()).arg(picture.size.height())
                            : QStringLiteral("ok"),
                   width, Tone::Good);
        break;
    }
}

void descriptionCell(Table &table, const DescriptionReport &description)
{
    switch (description.state) {
    case DescriptionReport::State::Missing: table.cell(QStringLiteral("--"), 3, Tone::Bad); break;
    case DescriptionReport::State::Unreadable: table.cell(QStringLiteral("??"), 3, Tone::Bad); break;
    case DescriptionReport::State::Empty: table.cell(QStringLiteral("0"), 3, Tone::Bad); break;
    case DescriptionReport::State::Present:
        // Words no dictionary knows are counted in the language's column.
        if (description.unknownWords.isEmpty())
            table.cell(QStringLiteral("ok"), 3, Tone::Good);
        else
            table.cell(QString::number(description.unknownWords.size()), 3, Tone::Warning);
        break;
    }
}

void itemLine(Table &table, const ItemReport &item)
{
    table.cell(QString::number(item.number).rightJustified(3), 3);
    table.cell(item.title.isEmpty() ? QStringLiteral("(ingen titel)") : item.title, 30,
               item.title.isEmpty() || item.titleTooWide() ? Tone::Bad : Tone::Plain);
    table.cell(QString::number(item.categories.size()), 3, item.categories.isEmpty() ? Tone::Bad : Tone::Plain);
    if (item.folderState == FolderState::Present)
        table.cell(QStringLiteral("ok"), 7, Tone::Good);
    else
        table.cell(ReportTerms::danish(item.folderState), 7, Tone::Bad);
    for (const NamedFileReport &file : item.files)
        fileCell(table, file);
    const bool folderThere = item.folderState == FolderState::Present;
    if (folderThere) {
        pictureCell(table, item.screenshot, true, 9);
        pictureCell(table, item.icon, false, 7);
        for (const DescriptionReport &description : item.descriptions)
            description.checked ? descriptionCell(table, description) : table.cell(QStringLiteral("·"), 3, Tone::Dim);
    }
    table.line();
    for (const Problem &problem : item.problems)
        table.line(QStringLiteral("      ! ") + problem.text(), Tone::Bad);
    for (const Problem &warning : item.warnings)
        table.line(QStringLiteral("      ~ ") + warning.text(), Tone::Warning);
}

} // namespace

namespace TableReport {

QByteArray write(const CatalogueReport &report, bool coloured)
{
    Table table(coloured);
    table.line(QStringLiteral("Katalog: ") + report.shownFile);
    if (!report.readable()) {
        table.line(report.error, Tone::Bad);
        return table.bytes();
    }
    table.line(QStringLiteral("%1 punkter, højeste nummer %2; Fast.MQV %3")
                   .arg(report.items.size())
                   .arg(report.highestItemNumber)
                   .arg(report.fixedCatalogue ? QStringLiteral("sammenlignet") : QStringLiteral("findes ikke")));
    if (report.languages.size() < int(DescriptionLanguages::all().size())) {
        QStringList names;
        for (DescriptionLanguage language : report.languages)
            names.append(ReportTerms::languageName(language));
        table.line(QStringLiteral("Beskrivelser tjekket på: ") + names.join(QStringLiteral(", ")));
    }
    for (const Problem &problem : report.problems)
        table.line(QStringLiteral("! ") + problem.text(), Tone::Bad);
    table.line();

    table.cell(QStringLiteral("Nr"), 3);
    table.cell(QStringLiteral("Titel"), 30);
    table.cell(QStringLiteral("Kat"), 3);
    table.cell(QStringLiteral("Mappe"), 7);
    table.cell(QStringLiteral("Setup"), 7);
    table.cell(QStringLiteral("Run"), 7);
    table.cell(QStringLiteral("Ekstra"), 7);
    table.cell(QStringLiteral("Shot"), 9);
    table.cell(QStringLiteral("Ikon"), 7);
    for (const DescriptionLanguageInfo &language : DescriptionLanguages::all())
        table.cell(language.shownTestedName.left(2), 3);
    table.line();
    for (const ItemReport &item : report.items)
        itemLine(table, item);

    table.line();
    const QMap<Problem::Kind, int> counts = report.problemCounts();
    for (auto count = counts.cbegin(); count != counts.cend(); ++count)
        table.line(QStringLiteral("%1  %2").arg(count.value(), 3).arg(Problem::summary(count.key())));
    const QMap<Problem::Kind, int> warnings = report.warningCounts();
    for (auto count = warnings.cbegin(); count != warnings.cend(); ++count)
        table.line(QStringLiteral("%1  %2").arg(count.value(), 3).arg(Problem::summary(count.key())), Tone::Warning);
    const int total = report.problemCount();
    if (total == 0)
        table.line(QStringLiteral("Ingen problemer."), Tone::Good);
    else
        table.line(QStringLiteral("%1 problemer i alt.").arg(total), Tone::Bad);
    if (const int warned = report.warningCount())
        table.line(QStringLiteral("%1 advarsler (ukendte ord, sprog der ikke følges ad).").arg(warned), Tone::Warning);
    return table.bytes();
}

} // namespace TableReport
