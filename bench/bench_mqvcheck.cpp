// The whole-disc check on a full catalogue: 70 items, each with a 1024 x 768 photo-like
// screenshot, an icon, an installer and four formatted descriptions of about 20 KB. Measured
// against just reading every byte of those files in the same run; ratios are printed at the end.
#include "GuiBenchmarkMain.h"
#include "PhotoLikeImage.h"
#include "catalogue/Catalogue.h"
#include "check/ProofSheet.h"
#include "check/TableReport.h"
#include "description/DescriptionLanguage.h"
#include "description/RtfWriter.h"
#include "display/JpegDecoder.h"
#include "rules/CatalogueCheck.h"
#include "spelling/SpellingDictionaries.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int itemCount = 70;
constexpr qsizetype descriptionSize = 20 * 1024;

// One description per language, about 20 KB of RTF; items differ in their heading's number.
QByteArray description(const QString &language)
{
    static const char *const words[] = {"Programmet", "gør",        "det",       "nemt",  "at",
                                        "holde",      "styr",       "på",        "dine",  "billeder,",
                                        "Ærø",        "smørrebrød", "installér", "først", "hjælpefilen."};
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat heading;
    heading.setFontFamilies({QStringLiteral("Arial")});
    heading.setFontPointSize(14);
    heading.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("Punkt @@ (%1)").arg(language), heading);
    QByteArray rtf;
    for (int run = 0; run % 16 != 0 || (rtf = RtfWriter::write(document)).size() < descriptionSize; ++run) {
        if (run % 8 == 0)
            cursor.insertBlock();
        QTextCharFormat format;
        format.setFontFamilies({QStringLiteral("MS Sans Serif")});
        format.setFontPointSize(run % 3 ? 8 : 10);
        format.setFontWeight(run % 5 == 0 ? QFont::Bold : QFont::Normal);
        format.setFontItalic(run % 7 == 0);
        format.setForeground(run % 4 == 0 ? QColor(0, 128, 0) : QColor(Qt::black));
        QString text;
        for (int word = 0; word < 10; ++word)
            text += QString::fromUtf8(words[(run * 7 + word) % int(std::size(words))]) + u' ';
        cursor.insertText(text, format);
    }
    return rtf;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the benchmark catalogue");
}

class FullCatalogue {
public:
    FullCatalogue()
    {
        QByteArray catalogue;
        QImage icon(32, 32, QImage::Format_RGB32);
        const QImage photo = photoLikeImage();
        QList<QByteArray> descriptions;
        for (const DescriptionLanguageInfo &language : DescriptionLanguages::all())
            descriptions.append(description(language.setting));
        for (int n = 1; n <= itemCount; ++n) {
            const QString folder = QStringLiteral("Programmer/P%1/").arg(n);
            catalogue += QStringLiteral("[Z%1]\r\nTitel=Program nummer %1\r\nSpil=Ja\r\nFolder=Programmer\\P%1\r\n"
                                        "Setup=Setup.exe\r\nGlobal=Et program\r\n")
                             .arg(n)
                             .toLatin1();
            QDir().mkpath(dir_.filePath(folder));
            QImage shot = photo;
            QPainter(&shot).drawText(40, 40, QString::number(n));
            if (!shot.save(dir_.filePath(folder + QStringLiteral("Shot.jpg")), "jpeg", 85))
                qFatal("cannot write the benchmark screenshot");
            icon.fill(QColor::fromHsv(n * 5, 200, 200));
            icon.save(dir_.filePath(folder + QStringLiteral("Ikon.bmp")), "bmp");
            writeFile(dir_.filePath(folder + QStringLiteral("Setup.exe")), QByteArray(4096, 'M'));
            for (const DescriptionLanguageInfo &language : DescriptionLanguages::all()) {
                QByteArray text = descriptions.at(int(language.language));
                writeFile(dir_.filePath(folder + language.shownTestedName), text.replace("@@", QByteArray::number(n)));
            }
        }
        writeFile(dir_.filePath(QStringLiteral("Z.MQV")), catalogue);
        // The check reads these; of an installer it only asks whether it is there.
        QDirIterator files(dir_.path(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (!path.endsWith(QLatin1String("Setup.exe")))
                paths_.append(path);
        }
        QDir::setCurrent(dir_.path());
    }

    const QStringList &paths() const { return paths_; }

private:
    QTemporaryDir dir_;
    QStringList paths_;
};

const FullCatalogue &catalogue()
{
    static const FullCatalogue instance;
    return instance;
}

void readAllFiles(benchmark::State &state)
{
    for (auto _ : state) {
        qint64 total = 0;
        for (const QString &path : catalogue().paths()) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                total += file.readAll().size();
        }
        benchmark::DoNotOptimize(total);
    }
}

// What the table cannot do without: every screenshot's compressed data decoded once, on one core.
void decodeEveryScreenshot(benchmark::State &state)
{
    const QStringList shots = catalogue().paths().filter(QStringLiteral("Shot.jpg"));
    for (auto _ : state) {
        for (const QString &path : shots)
            benchmark::DoNotOptimize(JpegDecoder::decode(path, QSize(1, 1)));
    }
}

void checkAsTable(benchmark::State &state)
{
    for (auto _ : state) {
        const CatalogueReport report = CatalogueCheck::run(Catalogue::fileName(), ItemInspection::Options());
        benchmark::DoNotOptimize(TableReport::write(report, false));
    }
}

// As the program runs it: the dictionaries are opened anew for every check.
void checkAsTableWithSpelling(benchmark::State &state)
{
    for (auto _ : state) {
        ItemInspection::Options options;
        options.dictionaries = std::make_shared<SpellingDictionaries>();
        const CatalogueReport report = CatalogueCheck::run(Catalogue::fileName(), options);
        benchmark::DoNotOptimize(TableReport::write(report, false));
    }
}

// The same with the dictionaries open already: the words' own cost.
void checkAsTableWithOpenDictionaries(benchmark::State &state)
{
    ItemInspection::Options options;
    options.dictionaries = std::make_shared<SpellingDictionaries>();
    for (const DescriptionLanguageInfo &language : DescriptionLanguages::all())
        options.dictionaries->of(language.setting);
    for (auto _ : state) {
        const CatalogueReport report = CatalogueCheck::run(Catalogue::fileName(), options);
        benchmark::DoNotOptimize(TableReport::write(report, false));
    }
}

void checkAsProofSheet(benchmark::State &state)
{
    ItemInspection::Options options;
    options.proofSheet = true;
    for (auto _ : state) {
        const CatalogueReport report = CatalogueCheck::run(Catalogue::fileName(), options);
        benchmark::DoNotOptimize(ProofSheet::write(report));
    }
}

// Real time is what the user waits; the CPU time of all threads tells the work apart from the
// waiting when the machine is busy with other things.
BENCHMARK(readAllFiles)->Name("read every file")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(decodeEveryScreenshot)
    ->Name("decode every screenshot, one core")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(checkAsTable)->Name("mqvcheck table")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(checkAsTableWithOpenDictionaries)
    ->Name("mqvcheck table, spelling, dictionaries open")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(checkAsTableWithSpelling)
    ->Name("mqvcheck table, spelling")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(checkAsProofSheet)
    ->Name("mqvcheck --html")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                realSeconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
                cpuSeconds_[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        qint64 bytes = 0;
        for (const QString &path : catalogue().paths())
            bytes += QFileInfo(path).size();
        std::printf("\n%lld files, %lld bytes; %d threads\n", static_cast<long long>(catalogue().paths().size()),
                    static_cast<long long>(bytes), QThread::idealThreadCount());
        ratio("decode every screenshot, one core", "read every file");
        ratio("mqvcheck table", "read every file");
        ratio("mqvcheck --html", "read every file");
        ratio("mqvcheck table, spelling", "mqvcheck table");
        ratio("mqvcheck table, spelling, dictionaries open", "mqvcheck table");
    }

private:
    void ratio(const std::string &measured, const std::string &baseline) const
    {
        if (!realSeconds_.count(measured) || !realSeconds_.count(baseline))
            return;
        std::printf("%s / %s = %.2f real time, %.2f CPU time\n", measured.c_str(), baseline.c_str(),
                    realSeconds_.at(measured) / realSeconds_.at(baseline),
                    cpuSeconds_.at(measured) / cpuSeconds_.at(baseline));
    }

    std::map<std::string, double> realSeconds_;
    std::map<std::string, double> cpuSeconds_;
};

} // namespace

int main(int argc, char **argv)
{
    RatioReporter reporter;
    return runGuiBenchmarks(argc, argv, reporter, [] { catalogue(); });
}
