// What one "next item" step costs on a full catalogue: the description is saved, the next item
// found and shown with its screenshot and description. Broken down into the catalogue reads of a
// display, the screenshot decode (against a full-size decode of the same file), and the
// description load and save.

#include "PhotoLikeImage.h"
#include "app/EditMQV.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueItem.h"
#include "catalogue/JpegDecoder.h"
#include "description/DescriptionFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

const QSize shownSize(300, 225);
constexpr int descriptionBytes = 20 * 1024;

// About 20 KB of RTF with the formats descriptions use.
QTextDocument *formattedDescription()
{
    auto *document = new QTextDocument;
    QTextCursor cursor(document);
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Arial")});
    plain.setFontPointSize(10);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat red = plain;
    red.setForeground(QColor(255, 0, 0));
    for (int paragraph = 0; ; ++paragraph) {
        cursor.insertText(QStringLiteral("Afsnit %1: ").arg(paragraph), bold);
        cursor.insertText(QStringLiteral("Programmet kører på alle maskiner og kræver ingen installation. "), plain);
        cursor.insertText(QStringLiteral("Bemærk: "), red);
        cursor.insertText(QStringLiteral("gem dine filer, før du går videre til næste skærmbillede."), plain);
        if (DescriptionFile::save(QStringLiteral("probe.rtf"), *document) && QFile(QStringLiteral("probe.rtf")).size() >= descriptionBytes)
            break;
        cursor.insertBlock();
    }
    QFile::remove(QStringLiteral("probe.rtf"));
    return document;
}

// 70 items, each with its own folder, a 1024 x 768 screenshot and a 20 KB description.
class FullCatalogue {
public:
    FullCatalogue()
    {
        QDir::setCurrent(dir_.path());
        const QImage screenshot = photoLikeImage();
        QTextDocument *description = formattedDescription();
        ProfileFile catalogue(Catalogue::fileName());
        for (int n = 1; n <= Catalogue::LastItemNumber; ++n) {
            const QString folder = QStringLiteral("Programmer\\Program%1").arg(n);
            QDir().mkpath(QStringLiteral("Programmer/Program%1").arg(n));
            screenshot.save(QStringLiteral("Programmer/Program%1/Shot.jpg").arg(n), "jpeg", 85);
            DescriptionFile::save(folder + QStringLiteral("\\DK.RTF"), *description);
            CatalogueItem item(catalogue, n);
            item.setText(TextKey::Titel, QStringLiteral("Program nummer %1").arg(n));
            item.setText(TextKey::Global, QStringLiteral("Et godt program"));
            item.setText(TextKey::Folder, folder);
            item.setText(TextKey::Setup, QStringLiteral("Setup.exe"));
            item.setText(TextKey::Webside, QStringLiteral("www.example.com"));
            item.setFlag(FlagKey::Spil, n % 2 == 0);
            item.setFlag(FlagKey::Software, n % 2 == 1);
        }
        delete description;
    }

private:
    QTemporaryDir dir_;
};

const FullCatalogue &fullCatalogue()
{
    static const FullCatalogue catalogue;
    return catalogue;
}

void BM_NextItemStep(benchmark::State &state)
{
    fullCatalogue();
    TMQVEdit window;
    for (auto _ : state)
        window.FremClick();
}
BENCHMARK(BM_NextItemStep)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_CatalogueReadsOfOneDisplay(benchmark::State &state)
{
    fullCatalogue();
    ProfileFile catalogue(Catalogue::fileName());
    int number = 0;
    for (auto _ : state) {
        number = number % Catalogue::LastItemNumber + 1;
        const CatalogueItem item(catalogue, number);
        benchmark::DoNotOptimize(catalogue.SectionExists(item.section()));
        for (FlagKey flag : CatalogueKeys::flagKeys)
            benchmark::DoNotOptimize(item.flag(flag));
        for (TextKey text : {TextKey::Titel, TextKey::Titel, TextKey::Folder, TextKey::Setup, TextKey::Run,
                             TextKey::Ekstra, TextKey::Global, TextKey::Webside})
            benchmark::DoNotOptimize(item.text(text));
    }
}
BENCHMARK(BM_CatalogueReadsOfOneDisplay)->Unit(benchmark::kMillisecond);

void BM_ScreenshotDecodeScaled(benchmark::State &state)
{
    fullCatalogue();
    for (auto _ : state)
        benchmark::DoNotOptimize(JpegDecoder::decode(QStringLiteral("Programmer/Program1/Shot.jpg"), shownSize).constBits());
}
BENCHMARK(BM_ScreenshotDecodeScaled)->Unit(benchmark::kMillisecond);

void BM_ScreenshotDecodeFullSize(benchmark::State &state)
{
    fullCatalogue();
    for (auto _ : state)
        benchmark::DoNotOptimize(JpegDecoder::decode(QStringLiteral("Programmer/Program1/Shot.jpg")).constBits());
}
BENCHMARK(BM_ScreenshotDecodeFullSize)->Unit(benchmark::kMillisecond);

void BM_DescriptionLoad(benchmark::State &state)
{
    fullCatalogue();
    QTextDocument document;
    for (auto _ : state)
        DescriptionFile::load(QStringLiteral("Programmer\\Program1\\DK.RTF"), document);
}
BENCHMARK(BM_DescriptionLoad)->Unit(benchmark::kMillisecond);

// A changed description is written out; an unchanged one is only compared with the file.
void BM_DescriptionSaveChanged(benchmark::State &state)
{
    fullCatalogue();
    QTextDocument document;
    DescriptionFile::load(QStringLiteral("Programmer\\Program1\\DK.RTF"), document);
    for (auto _ : state) {
        state.PauseTiming();
        QFile stale(QStringLiteral("Programmer/Program2/DK.RTF"));
        stale.open(QIODevice::WriteOnly);
        stale.write("{\\rtf1 old}");
        stale.close();
        state.ResumeTiming();
        DescriptionFile::save(QStringLiteral("Programmer\\Program2\\DK.RTF"), document);
    }
}
BENCHMARK(BM_DescriptionSaveChanged)->Unit(benchmark::kMillisecond);

void BM_DescriptionSaveUnchanged(benchmark::State &state)
{
    fullCatalogue();
    QTextDocument document;
    DescriptionFile::load(QStringLiteral("Programmer\\Program1\\DK.RTF"), document);
    for (auto _ : state)
        DescriptionFile::save(QStringLiteral("Programmer\\Program1\\DK.RTF"), document);
}
BENCHMARK(BM_DescriptionSaveUnchanged)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
