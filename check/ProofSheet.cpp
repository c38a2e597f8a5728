#include "check/ProofSheet.h"

#include "pad/ProducerNotes.h"
#include "rules/CatalogueCheck.h"
#include "rules/ReportTerms.h"

#include <QFileInfo>

namespace {

const char *const styleSheet = R"css(
:root { --ink: #1d2330; --muted: #6b7280; --line: #d9dde5; --paper: #ffffff; --ground: #eef1f5;
        --black: rgb(0,0,0); --blue: rgb(0,0,255); --red: rgb(255,0,0); --ok: #1f7a3a; }
* { box-sizing: border-box; }
body { margin: 0; background: var(--ground); color: var(--ink);
       font: 14px/1.45 "Liberation Sans", Arial, Helvetica, sans-serif; }
.page { max-width: 1100px; margin: 0 auto; padding: 24px; }
h1 { font-size: 26px; margin: 0 0 4px; }
.catalogue { color: var(--muted); margin: 0 0 16px; word-break: break-all; }
.summary { background: var(--paper); border: 1px solid var(--line); border-radius: 10px; padding: 18px 22px;
           margin-bottom: 22px; display: grid; grid-template-columns: 1fr 1fr 1fr; gap: 18px; }
.summary h2 { font-size: 13px; text-transform: uppercase; letter-spacing: .06em; color: var(--muted); margin: 0 0 8px; }
.figures { display: grid; grid-template-columns: auto auto; gap: 12px 22px; justify-content: start; }
.figure b { display: block; font-size: 28px; line-height: 1.1; }
.figure span { color: var(--muted); font-size: 12px; }
.figure.bad b { color: var(--red); }
.figure.good b { color: var(--ok); }
table.counts { border-collapse: collapse; width: 100%; font-size: 13px; }
table.counts td { padding: 2px 6px 2px 0; border-bottom: 1px solid #f0f2f5; vertical-align: top; }
table.counts td.n { text-align: right; font-weight: bold; width: 3em; }
table.counts td.items { color: var(--muted); }
.all-good { color: var(--ok); font-weight: bold; }
.catalogue-problems { grid-column: 1 / -1; margin: 0; padding-left: 20px; color: var(--red); }
.card { background: var(--paper); border: 1px solid var(--line); border-radius: 10px; margin: 0 0 18px;
        padding: 14px 18px 16px; break-inside: avoid; page-break-inside: avoid; }
.card.has-problems { border-left: 6px solid var(--red); }
.card.clean { border-left: 6px solid var(--ok); }
.card-head { display: flex; align-items: center; gap: 12px; border-bottom: 1px solid var(--line);
             padding-bottom: 10px; margin-bottom: 12px; }
.number { font-size: 22px; font-weight: bold; color: var(--muted); min-width: 2.2em; }
.icon { width: 32px; height: 32px; image-rendering: pixelated; border: 1px solid var(--line); }
.icon.none { display: inline-block; background: repeating-linear-gradient(45deg, #fff, #fff 4px, #f3d0d0 4px, #f3d0d0 8px); }
.title { font: bold 16px Arial, "Liberation Sans", sans-serif; margin: 0; color: var(--black); }
.title.too-wide { color: var(--red); }
.title.empty { color: var(--muted); font-style: italic; }
.width { font-size: 12px; color: var(--muted); margin-left: auto; white-space: nowrap; }
.card-body { display: grid; grid-template-columns: 256px 1fr; gap: 18px; }
.shot { margin: 0; }
.shot img { display: block; width: 256px; border: 1px solid var(--line); border-radius: 4px; }
.shot .none { width: 256px; height: 192px; border: 2px dashed var(--red); border-radius: 4px; display: flex;
              align-items: center; justify-content: center; color: var(--red); font-weight: bold; }
.shot figcaption { font-size: 12px; color: var(--muted); margin-top: 3px; }
dl.facts { display: grid; grid-template-columns: max-content 1fr; gap: 3px 12px; margin: 0; font-size: 13px;
           align-content: start; }
dl.facts dt { color: var(--muted); }
dl.facts dd { margin: 0; word-break: break-word; }
.tag { display: inline-block; border: 1px solid #b9c7dd; background: #eef3fb; border-radius: 10px; padding: 0 8px;
       margin: 0 4px 3px 0; font-size: 12px; }
.tag.flag { border-color: #d8c58f; background: #fbf6e6; }
.no-category { color: var(--red); font-weight: bold; }
.mark-black { color: var(--black); } .mark-blue { color: var(--blue); } .mark-red { color: var(--red); }
.mark-none { color: var(--muted); font-style: italic; }
.mark-note { font-size: 11px; color: var(--muted); }
section.producer { margin: 12px 0 0; padding: 4px 12px; background: var(--ground); border-radius: 6px; }
section.producer h3 { font-size: 13px; margin: 4px 0; }
ul.problems { margin: 12px 0 0; padding: 8px 12px 8px 30px; background: #fff1f1; border-radius: 6px; color: #a40000; }
.descriptions { display: grid; grid-template-columns: 1fr 1fr; gap: 10px 16px; margin-top: 14px; }
.description { border: 1px solid var(--line); border-radius: 6px; padding: 6px 10px 8px; min-width: 0; }
.description h3 { font-size: 12px; margin: 0 0 4px; color: var(--muted); text-transform: uppercase; letter-spacing: .05em; }
.description h3 span { text-transform: none; letter-spacing: 0; font-weight: normal; }
.description.bad { border-color: #f0b4b4; background: #fff7f7; }
.description .state { color: var(--red); font-weight: bold; }
.rtf { max-height: 15em; overflow: auto; font-family: "MS Sans Serif", "Liberation Sans", Arial, sans-serif; }
.rtf p { margin: 0; }
.cut { margin: .2em 0 0; color: #555; font-style: italic; }
.unknown-word { text-decoration: underline wavy #ff0000; text-decoration-skip-ink: none; }
ul.warnings { margin: 8px 0 0; padding: 6px 12px 6px 30px; background: #fff8e1; border-radius: 6px; color: #7a5600; }
footer { color: var(--muted); font-size: 12px; text-align: center; margin-top: 8px; }
@media print {
  @page { size: A4; margin: 10mm; }
  body { background: #fff; font-size: 10px; }
  .page { max-width: none; padding: 0; }
  h1 { font-size: 18px; }
  .summary, .card { border-radius: 0; }
  .summary { break-after: page; }
  .card { padding: 6px 10px 8px; margin-bottom: 8px; }
  .card-head { padding-bottom: 4px; margin-bottom: 6px; }
  .card-body { grid-template-columns: 160px 1fr; gap: 10px; }
  .shot img, .shot .none { width: 160px; }
  .shot .none { height: 120px; }
  dl.facts { font-size: 10px; gap: 1px 10px; }
  ul.problems { margin-top: 6px; padding: 4px 8px 4px 22px; }
  .descriptions { grid-template-columns: repeat(4, 1fr); gap: 6px; margin-top: 6px; }
  .description { padding: 3px 6px 4px; }
  .rtf { overflow: hidden; max-height: 8.5em; zoom: .8; }
  * { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
}
)css";

QString escaped(const QString &text) { return text.toHtmlEscaped(); }

QString markClass(FileAvailability availability)
{
    switch (availability) {
    case FileAvailability::InItemFolder: return QStringLiteral("mark-black");
    case FileAvailability::InDanishEditionOnly: return QStringLiteral("mark-blue");
    case FileAvailability::Missing: return QStringLiteral("mark-red");
    }
    return QString();
}

QString figure(int value, const QString &label, const QString &tone = QString())
{
    return QStringLiteral("<div class=\"figure %1\"><b>%2</b><span>%3</span></div>")
        .arg(tone, QString::number(value), escaped(label));
}

QString countsTable(const QMap<Problem::Kind, int> &counts, const QString &kind)
{
    QString html = QStringLiteral("<table class=\"counts %1\">").arg(kind);
    for (auto count = counts.cbegin(); count != counts.cend(); ++count) {
        html += QStringLiteral("<tr data-code=\"%1\"><td class=\"n\">%2</td><td>%3</td></tr>")
                    .arg(Problem{count.key(), {}}.code(), QString::number(count.value()),
                         escaped(Problem::summary(count.key())));
    }
    return html + QStringLiteral("</table>");
}

QString summary(const CatalogueReport &report)
{
    int itemsWithProblems = 0;
    for (const ItemReport &item : report.items)
        itemsWithProblems += item.problems.isEmpty() ? 0 : 1;
    const int total = report.problemCount();

    QString html = QStringLiteral("<section class=\"summary\">");
    html += QStringLiteral("<div><h2>Overblik</h2><div class=\"figures\">");
    html += figure(int(report.items.size()), QStringLiteral("punkter"));
    html += figure(report.highestItemNumber, QStringLiteral("højeste nummer"));
    html += figure(total, QStringLiteral("problemer"), total ? QStringLiteral("bad") : QStringLiteral("good"));
    html += figure(itemsWithProblems, QStringLiteral("punkter med problemer"),
                   itemsWithProblems ? QStringLiteral("bad") : QStringLiteral("good"));
    html += figure(report.warningCount(), QStringLiteral("advarsler"));
    html += QStringLiteral("</div><p>Fast.MQV: %1</p></div>")
                .arg(report.fixedCatalogue ? QStringLiteral("punkt 24–42 er sammenlignet")
                                           : QStringLiteral("findes ikke"));

    html += QStringLiteral("<div><h2>Problemer</h2>");
    const QMap<Problem::Kind, int> counts = report.problemCounts();
    if (counts.isEmpty())
        html += QStringLiteral("<p class=\"all-good\">Ingen problemer fundet.</p>");
    else
        html += countsTable(counts, QStringLiteral("problem-counts"));
    if (const QMap<Problem::Kind, int> warnings = report.warningCounts(); !warnings.isEmpty())
        html += countsTable(warnings, QStringLiteral("warning-counts"));
    html += QStringLiteral("</div>");

    html += QStringLiteral("<div><h2>Punkter pr. kategori</h2><table class=\"counts category-counts\">");
    for (Category category : CatalogueKeys::categories) {
        QList<int> numbers;
        for (const ItemReport &item : report.items) {
            if (item.categories.contains(category))
                numbers.append(item.number);
        }
        QStringList texts;
        for (int number : numbers)
            texts.append(QString::number(number));
        html += QStringLiteral("<tr><td class=\"n\">%1</td><td>%2</td><td class=\"items\">%3</td></tr>")
                    .arg(QString::number(numbers.size()), escaped(CatalogueKeys::name(category)),
                         texts.join(QStringLiteral(", ")));
    }
    html += QStringLiteral("</table></div>");

    if (!report.problems.isEmpty()) {
        html += QStringLiteral("<ul class=\"catalogue-problems\">");
        for (const Problem &problem : report.problems)
            html += QStringLiteral("<li data-code=\"%1\">%2</li>").arg(problem.code(), escaped(problem.text()));
        html += QStringLiteral("</ul>");
    }
    return html + QStringLiteral("</section>");
}

QString fileFact(const NamedFileReport &file)
{
    QString value;
    if (file.name.isEmpty()) {
        // Only the installer must be named; the editor marks every empty file field red.
        value = file.key == TextKey::Setup ? QStringLiteral("<span class=\"mark-red\">ingen</span>")
                                           : QStringLiteral("<span class=\"mark-none\">ingen</span>");
    } else {
        value = QStringLiteral("<span class=\"%1\">%2</span>").arg(markClass(file.availability), escaped(file.name));
        if (file.availability != FileAvailability::InItemFolder)
            value += QStringLiteral(" <span class=\"mark-note\">(%1)</span>")
                         .arg(escaped(ReportTerms::danish(file.availability, true)));
    }
    return QStringLiteral("<dt>%1</dt><dd data-file=\"%2\">%3</dd>")
        .arg(escaped(ReportTerms::fileRole(file.key)), CatalogueKeys::name(file.key), value);
}

QString facts(const ItemReport &item)
{
    QString categories;
    for (Category category : item.categories)
        categories += QStringLiteral("<span class=\"tag\">%1</span>").arg(escaped(CatalogueKeys::name(category)));
    if (categories.isEmpty())
        categories = QStringLiteral("<span class=\"no-category\">ingen kategori</span>");
    QString flags;
    if (item.fullVersion)
        flags += QStringLiteral("<span class=\"tag flag\">Fuldversion</span>");
    if (item.mustRegister)
        flags += QStringLiteral("<span class=\"tag flag\">Skal registreres</span>");

    QString html = QStringLiteral("<dl class=\"facts\">");
    html += QStringLiteral("<dt>Kategorier</dt><dd class=\"categories\">%1</dd>").arg(categories);
    if (!flags.isEmpty())
        html += QStringLiteral("<dt>Mærker</dt><dd class=\"flags\">%1</dd>").arg(flags);
    if (!item.shortText.isEmpty())
        html += QStringLiteral("<dt>Kort tekst</dt><dd>%1</dd>").arg(escaped(item.shortText));
    const QString folderClass = item.folderState == FolderState::Present ? QStringLiteral("mark-black")
                                                                         : QStringLiteral("mark-red");
    html += QStringLiteral("<dt>Mappe</dt><dd class=\"%1\">%2</dd>")
                .arg(folderClass, item.folder.isEmpty() ? QStringLiteral("(ingen)") : escaped(item.folder));
    for (const NamedFileReport &file : item.files)
        html += fileFact(file);
    if (!item.webPage.isEmpty())
        html += QStringLiteral("<dt>Webside</dt><dd>%1</dd>").arg(escaped(item.webPage));
    return html + QStringLiteral("</dl>");
}

QString screenshot(const ItemReport &item)
{
    const PictureReport &shot = item.screenshot;
    if (shot.state == PictureReport::State::Present && !shot.dataUri.isEmpty()) {
        return QStringLiteral("<figure class=\"shot\"><img alt=\"Skærmbillede\" src=\"%1\"><figcaption>%2 × "
                              "%3</figcaption></figure>")
            .arg(shot.dataUri, QString::number(shot.size.width()), QString::number(shot.size.height()));
    }
    const QString text = item.folderState == FolderState::Present
        ? QStringLiteral("Skærmbillede ") + ReportTerms::danish(shot.state)
        : QStringLiteral("Ingen mappe");
    return QStringLiteral("<figure class=\"shot\"><div class=\"none\">%1</div></figure>").arg(escaped(text));
}

QString descriptions(const ItemReport &item)
{
    if (item.folderState != FolderState::Present)
        return QString();
    QString html = QStringLiteral("<div class=\"descriptions\">");
    for (const DescriptionReport &description : item.descriptions) {
        if (!description.checked)
            continue;
        const bool present = description.state == DescriptionReport::State::Present;
        html += QStringLiteral("<section class=\"description%1\" data-language=\"%2\"><h3>%2 <span>%3</span></h3>")
                    .arg(present ? QString() : QStringLiteral(" bad"), ReportTerms::languageName(description.language),
                         escaped(description.fileName));
        if (present)
            html += QStringLiteral("<div class=\"rtf\">%1</div>").arg(description.html);
        if (present && !description.cutNote.isEmpty())
            html += QStringLiteral("<p class=\"cut\">%1</p>").arg(escaped(description.cutNote));
        else
            html += QStringLiteral("<p class=\"state\">%1</p>").arg(escaped(ReportTerms::danish(description.state)));
        html += QStringLiteral("</section>");
    }
    return html + QStringLiteral("</div>");
}

// What the program's author allows, kept when its description file was taken in.
QString producerNotes(const ItemReport &item, const QString &catalogueFile)
{
    const ProducerNotes notes = ProducerNotes::read(catalogueFile, item.folder);
    if (notes.isEmpty())
        return {};
    QString html = QStringLiteral("<section class=\"producer\"><h3>Til producenten</h3>");
    if (!notes.distributionPermissions.isEmpty())
        html += QStringLiteral("<p>Distribution: %1</p>").arg(escaped(notes.distributionPermissions));
    if (!notes.eula.isEmpty())
        html += QStringLiteral("<p>Licens: %1</p>").arg(escaped(notes.eula));
    return html + QStringLiteral("</section>");
}

QString card(const ItemReport &item, const QString &catalogueFile)
{
    QString html = QStringLiteral("<article class=\"card %1\" id=\"punkt-%2\" data-number=\"%2\">")
                       .arg(item.problems.isEmpty() ? QStringLiteral("clean") : QStringLiteral("has-problems"),
                            QString::number(item.number));
    html += QStringLiteral("<header class=\"card-head\"><span class=\"number\">%1</span>").arg(item.number);
    if (!item.icon.dataUri.isEmpty())
        html += QStringLiteral("<img class=\"icon\" alt=\"Ikon\" src=\"%1\">").arg(item.icon.dataUri);
    else
        html += QStringLiteral("<span class=\"icon none\" title=\"Ikon %1\"></span>")
                    .arg(escaped(ReportTerms::danish(item.icon.state)));
    if (item.title.isEmpty())
        html += QStringLiteral("<h2 class=\"title empty\">(ingen titel)</h2>");
    else
        html += QStringLiteral("<h2 class=\"title%1\">%2</h2>")
                    .arg(item.titleTooWide() ? QStringLiteral(" too-wide") : QString(), escaped(item.title));
    if (item.titleWidth && !item.title.isEmpty())
        html += QStringLiteral("<span class=\"width\">%1 / %2 px</span>").arg(*item.titleWidth).arg(TitleWidth::limit);
    html += QStringLiteral("</header><div class=\"card-body\">") + screenshot(item) + facts(item) +
        QStringLiteral("</div>");
    if (!item.problems.isEmpty()) {
        html += QStringLiteral("<ul class=\"problems\">");
        for (const Problem &problem : item.problems)
            html += QStringLiteral("<li data-code=\"%1\">%2</li>").arg(problem.code(), escaped(problem.text()));
        html += QStringLiteral("</ul>");
    }
    if (!item.warnings.isEmpty()) {
        html += QStringLiteral("<ul class=\"warnings\">");
        for (const Problem &warning : item.warnings)
            html += QStringLiteral("<li class=\"warning\" data-code=\"%1\">%2</li>")
                        .arg(warning.code(), escaped(warning.text()));
        html += QStringLiteral("</ul>");
    }
    return html + producerNotes(item, catalogueFile) + descriptions(item) + QStringLiteral("</article>\n");
}

} // namespace

namespace ProofSheet {

QByteArray write(const CatalogueReport &report)
{
    const QString catalogue = report.shownFile;
    QString html = QStringLiteral(
                       "<!DOCTYPE html>\n<html lang=\"da\"><head><meta charset=\"utf-8\">"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                       "<title>Korrekturark – %1</title><style>%2</style></head>\n<body><div class=\"page\">")
                       .arg(escaped(QFileInfo(report.catalogueFile).fileName()), QString::fromUtf8(styleSheet));
    html += QStringLiteral("<h1>Korrekturark</h1><p class=\"catalogue\">%1</p>\n").arg(escaped(catalogue));
    html += summary(report) + QLatin1Char('\n');
    html += QStringLiteral("<main>\n");
    for (const ItemReport &item : report.items)
        html += card(item, report.catalogueFile);
    html += QStringLiteral("</main><footer>Lavet af mqvcheck efter editorens regler.</footer></div></body></html>\n");
    return html.toUtf8();
}

} // namespace ProofSheet
