// How the profile layer compares with just reading the catalogue's bytes. Start-up alone makes
// some 800 reads, each of which opens and scans the file afresh, so a read should stay within a
// small multiple of the raw read. Ratios against the raw read are printed at the end.
#include "RatioReporter.h"
#include "catalogue/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

const QString catalogueName = QStringLiteral(".\\Z.MQV");

QByteArray itemSection(int item)
{
    const QByteArray number = QByteArray::number(item);
    const QByteArray yesOrNo = item % 3 == 0 ? "Ja" : "Nope";
    QByteArray section = "[Z" + number + "]\r\n";
    section += "ZProgram=" + number + "\r\n";
    section += "Spil=" + yesOrNo + "\r\n";
    section += "Galleri=Nope\r\n";
    section += "Barn=" + yesOrNo + "\r\n";
    section += "V\xE6rksted=Nope\r\n";
    section += "Skole=Ja\r\n";
    section += "Internet=" + yesOrNo + "\r\n";
    section += "Tilbeh\xF8r=Nope\r\n";
    section += "Software=Ja\r\n";
    section += "Titel=Tegneprogram " + number + " Pro\r\n";
    section += "Global=Et komplet tegne- og billedbehandlingsprogram med lag, filtre og \x80-priser\r\n";
    section += "Folder=Programmer\\Tegn" + number + "\r\n";
    section += "Setup=Setup.exe\r\n";
    section += "Run=Tegn" + number + ".exe\r\n";
    section += "Ekstra=L\xE6smig.txt\r\n";
    section += "Fuldversion=Ja\r\n";
    section += "Webside=http://www.tegneprogram" + number + ".dk/\r\n";
    section += "Registrer=" + yesOrNo + "\r\n";
    return section;
}

// A full catalogue in a folder of its own, which is the current folder while it lives.
class CatalogueFolder {
public:
    CatalogueFolder()
    {
        QByteArray bytes = "[Generelt]\r\nSprog=0\r\n";
        for (int item = 1; item <= 70; ++item)
            bytes += itemSection(item);
        QFile file(folder_.filePath("Z.MQV"));
        if (!folder_.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !QDir::setCurrent(folder_.path()))
            throw std::runtime_error("cannot set up the catalogue");
    }

private:
    QTemporaryDir folder_;
};

void RawRead(benchmark::State &state)
{
    for (auto _ : state) {
        QFile file(QStringLiteral("Z.MQV"));
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open the catalogue");
        benchmark::DoNotOptimize(file.readAll());
    }
}

void ReadString(benchmark::State &state, const char *section, const char *key)
{
    const ProfileFile profile(catalogueName);
    for (auto _ : state)
        benchmark::DoNotOptimize(profile.ReadString(section, key, "Nope"));
}

void SectionExists(benchmark::State &state, const char *section)
{
    const ProfileFile profile(catalogueName);
    for (auto _ : state)
        benchmark::DoNotOptimize(profile.SectionExists(section));
}

void WriteStringChanged(benchmark::State &state)
{
    ProfileFile profile(catalogueName);
    const QString titles[] = {QStringLiteral("Tegneprogram Pro"), QStringLiteral("Tegneprogram Pro 2")};
    int round = 0;
    for (auto _ : state)
        profile.WriteString("Z35", "Titel", titles[++round % 2]);
}

void WriteStringUnchanged(benchmark::State &state)
{
    ProfileFile profile(catalogueName);
    profile.WriteString("Z35", "Titel", "Tegneprogram 35 Pro");
    for (auto _ : state)
        profile.WriteString("Z35", "Titel", "Tegneprogram 35 Pro");
}

} // namespace

BENCHMARK(RawRead);
BENCHMARK_CAPTURE(ReadString, Z1, "Z1", "Titel");
BENCHMARK_CAPTURE(ReadString, Z35, "Z35", "Folder");
BENCHMARK_CAPTURE(ReadString, Z70LastKey, "Z70", "Registrer");
BENCHMARK_CAPTURE(SectionExists, Z70, "Z70");
BENCHMARK_CAPTURE(SectionExists, Missing, "Z71");
BENCHMARK(WriteStringChanged);
BENCHMARK(WriteStringUnchanged);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    const CatalogueFolder catalogue;
    RatioReporter reporter("RawRead");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
