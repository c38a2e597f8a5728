// Reading and writing a large formatted description as RTF, against Qt's own HTML reader and
// writer on the same document in the same run. Ratios are printed at the end.
#include "GuiBenchmarkMain.h"
#include "description/RtfReader.h"
#include "description/RtfWriter.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>

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
        "Programmet", "gør", "det", "nemt", "at", "holde", "styr", "på", "dine", "billeder", "og", "filer",
        "på", "harddisken.", "Værktøjet", "kører", "på", "alle", "maskiner", "med", "Windows,", "også", "ældre",
        "udgaver.", "Blåbærgrød", "Ærø", "Øresund", "smørrebrød", "installér", "først", "hjælpefilen", "—",
        "se", "“Læs", "mig”", "før", "du", "går", "i", "gang.", "Prisen", "er", "25", "€", "inkl.", "moms."};
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

struct Fixture {
    QTextDocument document;
    QByteArray rtf;
    QString html;

    Fixture()
    {
        buildDescription(document);
        rtf = RtfWriter::write(document);
        html = document.toHtml();
    }
};

Fixture &fixture()
{
    static Fixture instance;
    return instance;
}

void rtfRead(benchmark::State &state)
{
    QTextDocument document;
    for (auto _ : state)
        benchmark::DoNotOptimize(RtfReader::read(fixture().rtf, document));
}

void htmlRead(benchmark::State &state)
{
    QTextDocument document;
    for (auto _ : state)
        document.setHtml(fixture().html);
}

void rtfWrite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(RtfWriter::write(fixture().document));
}

void htmlWrite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture().document.toHtml());
}

BENCHMARK(rtfRead)->Name("RtfReader::read")->Unit(benchmark::kMillisecond);
BENCHMARK(htmlRead)->Name("QTextDocument::setHtml")->Unit(benchmark::kMillisecond);
BENCHMARK(rtfWrite)->Name("RtfWriter::write")->Unit(benchmark::kMillisecond);
BENCHMARK(htmlWrite)->Name("QTextDocument::toHtml")->Unit(benchmark::kMillisecond);

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
        std::printf("\nRTF document: %lld bytes, %d paragraphs; HTML of the same document: %lld characters\n",
                    static_cast<long long>(fixture().rtf.size()), fixture().document.blockCount(),
                    static_cast<long long>(fixture().html.size()));
        ratio("RtfReader::read", "QTextDocument::setHtml");
        ratio("RtfWriter::write", "QTextDocument::toHtml");
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
    return runGuiBenchmarks(argc, argv, reporter, [] { fixture(); });
}
