// Reading and writing a large formatted description as RTF, against Qt's own HTML reader and
// writer on the same document in the same run. Ratios are printed at the end.
#include "GuiBenchmarkMain.h"
#include "description/RtfPicture.h"
#include "description/RtfReader.h"
#include "description/RtfRowFormat.h"
#include "description/RtfWriter.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <cstdio>
#include <map>
#include <string>

namespace {

// About a megabyte of RTF: many paragraphs of Danish text in mixed fonts, sizes, colours and
// styles, a few runs per sentence.
constexpr qsizetype targetRtfSize = 1024 * 1024;

void buildDescription(QTextDocument &document)
{
    static const char *const words[] = {
        "Programmet", "gør",      "det",      "nemt",       "at",        "holde",       "styr",        "på",
        "dine",       "billeder", "og",       "filer",      "på",        "harddisken.", "Værktøjet",   "kører",
        "på",         "alle",     "maskiner", "med",        "Windows,",  "også",        "ældre",       "udgaver.",
        "Blåbærgrød", "Ærø",      "Øresund",  "smørrebrød", "installér", "først",       "hjælpefilen", "—",
        "se",         "“Læs",     "mig”",     "før",        "du",        "går",         "i",           "gang.",
        "Prisen",     "er",       "25",       "€",          "inkl.",     "moms."};
    static const char *const families[] = {"MS Sans Serif", "Arial", "Times New Roman", "Tahoma"};
    static const QColor colours[] = {Qt::black, QColor(0, 128, 0), QColor(255, 0, 0), QColor(0, 0, 255)};
    QRandomGenerator random(2024);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (int paragraph = 0; RtfWriter::write(document).size() < targetRtfSize; ++paragraph) {
        for (int batch = 0; batch < 50; ++batch) {
            if (paragraph + batch > 0) {
                QTextBlockFormat block;
                block.setLeftMargin(random.bounded(3) * 10.0);
                block.setAlignment(random.bounded(5) == 0 ? Qt::AlignHCenter : Qt::AlignLeft);
                cursor.insertBlock(block);
            }
            for (int run = 0; run < 6; ++run) {
                QTextCharFormat format;
                format.setFontFamilies({QString::fromLatin1(families[random.bounded(4)])});
                format.setFontPointSize(random.bounded(2) ? 10 : 12);
                format.setForeground(colours[random.bounded(4)]);
                format.setFontWeight(random.bounded(3) == 0 ? QFont::Bold : QFont::Normal);
                format.setFontItalic(random.bounded(4) == 0);
                QString text;
                for (int word = 0; word < 12; ++word)
                    text += QString::fromUtf8(words[random.bounded(int(std::size(words)))]) + u' ';
                cursor.insertText(text, format);
            }
        }
    }
    cursor.endEditBlock();
}

// A description with 50 tables of 3 x 4 cells and 20 pictures (PNG photos of 200 x 150 and
// metafiles), text between them.
void buildTablesAndPictures(QTextDocument &document)
{
    QRandomGenerator random(2025);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextCharFormat text;
    text.setFontFamilies({QStringLiteral("Arial")});
    text.setFontPointSize(10);
    RtfRowFormat row{108, -108, {2000, 4000, 6000, 8000}};
    QTextTableFormat tableFormat;
    row.applyTo(tableFormat);
    for (int table = 0; table < 50; ++table) {
        cursor.insertText(QStringLiteral("Tabel %1 viser priserne på Blåbærgrød og Ærø-øl.").arg(table), text);
        QTextTable *inserted = cursor.insertTable(3, 4, tableFormat);
        for (int cell = 0; cell < 12; ++cell)
            inserted->cellAt(cell / 4, cell % 4)
                .firstCursorPosition()
                .insertText(QStringLiteral("Celle %1 med lidt tekst").arg(cell), text);
        cursor = inserted->lastCursorPosition();
        cursor.movePosition(QTextCursor::NextBlock);
        if (table % 5 == 2 || table % 5 == 4) {
            RtfPicture picture;
            if (table % 5 == 2) {
                QImage image(200, 150, QImage::Format_RGB32);
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        image.setPixel(x, y, qRgb(x + int(random.bounded(40)), y + int(random.bounded(40)), 128));
                QBuffer buffer(&picture.data);
                buffer.open(QIODevice::WriteOnly);
                image.save(&buffer, "PNG");
                picture.type = "pngblip";
                picture.width = 200;
                picture.height = 150;
            } else {
                for (int byte = 0; byte < 20000; ++byte)
                    picture.data.append(char(random.bounded(256)));
                picture.type = "wmetafile8";
                picture.width = 5000;
                picture.height = 3000;
                picture.goalWidth = 2835;
                picture.goalHeight = 1701;
            }
            QTextCharFormat shown = text;
            shown.merge(picture.toImageFormat(document));
            cursor.insertText(QString(QChar::ObjectReplacementCharacter), shown);
        }
    }
    cursor.endEditBlock();
}

struct Fixture {
    QTextDocument document;
    QByteArray rtf;
    QString html;

    explicit Fixture(void (*build)(QTextDocument &))
    {
        build(document);
        rtf = RtfWriter::write(document);
        html = document.toHtml();
    }
};

Fixture &fixture(int which)
{
    static Fixture description(buildDescription);
    static Fixture tables(buildTablesAndPictures);
    return which == 0 ? description : tables;
}

// Argument 0: the 1 MB description; 1: the tables and pictures.
void rtfRead(benchmark::State &state)
{
    QTextDocument document;
    for (auto _ : state)
        benchmark::DoNotOptimize(RtfReader::read(fixture(int(state.range(0))).rtf, document));
}

void htmlRead(benchmark::State &state)
{
    QTextDocument document;
    for (auto _ : state)
        document.setHtml(fixture(int(state.range(0))).html);
}

void rtfWrite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(RtfWriter::write(fixture(int(state.range(0))).document));
}

void htmlWrite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture(int(state.range(0))).document.toHtml());
}

BENCHMARK(rtfRead)->Name("RtfReader::read")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(htmlRead)->Name("QTextDocument::setHtml")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(rtfWrite)->Name("RtfWriter::write")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(htmlWrite)->Name("QTextDocument::toHtml")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Prints each measurement relative to its baseline once all have run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration)
                seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (int which : {0, 1}) {
            const Fixture &measured = fixture(which);
            std::printf("\n%s: RTF %lld bytes, %d paragraphs; HTML of the same document: %lld characters\n",
                        which == 0 ? "Description" : "50 tables and 20 pictures",
                        static_cast<long long>(measured.rtf.size()), measured.document.blockCount(),
                        static_cast<long long>(measured.html.size()));
            const std::string argument = "/" + std::to_string(which);
            ratio("RtfReader::read" + argument, "QTextDocument::setHtml" + argument);
            ratio("RtfWriter::write" + argument, "QTextDocument::toHtml" + argument);
        }
    }

private:
    void ratio(const std::string &measured, const std::string &baseline) const
    {
        const auto a = seconds_.find(measured);
        const auto b = seconds_.find(baseline);
        if (a != seconds_.end() && b != seconds_.end())
            std::printf("%s / %s = %.2f\n", measured.c_str(), baseline.c_str(), a->second / b->second);
    }

    std::map<std::string, double> seconds_;
};

} // namespace

int main(int argc, char **argv)
{
    RatioReporter reporter;
    return runGuiBenchmarks(argc, argv, reporter, [] {
        fixture(0);
        fixture(1);
    });
}
