#include "pad/ProducerNotes.h"
#include "support/IniBytes.h"
#include "support/TempFolder.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using Files = QMap<QString, QByteArray>;

// The whole-disc check as a user runs it: the real mqvcheck program on catalogues built with one
// problem each, judged by its JSON, its exit status and the files it leaves behind.
class TestMqvCheck : public QObject {
    Q_OBJECT
private slots:
    void reportsEachProblem_data();
    void reportsEachProblem();
    void cannotReadCatalogue_data();
    void cannotReadCatalogue();
    void checksTheChosenLanguages_data();
    void checksTheChosenLanguages();
    void answersItsCommandLine_data();
    void answersItsCommandLine();
    void writesNothingButItsOutput();
    void reportsAnEditorsLockFile();
    void tableIsColouredOnlyOnATerminal();
    void proofSheetHasACardPerItem();
    void proofSheetCutsALongDescription();
    void proofSheetShowsTheProducersNotes();
    void warnsOfUnknownWordsAndLanguagesOutOfStep();
    void warnsOfTranslationsBehindTheDanishWords();
    void embedsNothingFromOutsideTheTree();
    void checksAProgramDescriptionFile();
};

namespace {

const QString catalogueFolder = QStringLiteral("Udgaver/Norsk");
const QString itemFolder = QStringLiteral("Udgaver/Norsk/Prog/");

struct CheckRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

CheckRun runCheck(const QStringList &arguments, const QString &workingFolder)
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(MQVCHECK_EXECUTABLE), arguments);
    CheckRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray imageBytes(const char *format, QSize size = QSize(64, 48))
{
    // A pattern, so the picture's data runs well past its headers.
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7) ^ (y * 13), x + y, (x * y) & 0xFF));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray rtf(const QByteArray &text)
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + text + "\\par}";
}

// One sound item in a folder of its own, every file in place.
Files soundItem()
{
    return {
        {itemFolder + QStringLiteral("Shot.jpg"), imageBytes("JPG", QSize(320, 240))},
        {itemFolder + QStringLiteral("Ikon.bmp"), imageBytes("BMP", QSize(32, 32))},
        {itemFolder + QStringLiteral("DK.RTF"), rtf("Et godt program til b\\'f8rn og voksne.")},
        {itemFolder + QStringLiteral("No.RTF"), rtf("Et godt program.")},
        {itemFolder + QStringLiteral("Sv.RTF"), rtf("Ett bra program.")},
        {itemFolder + QStringLiteral("Fi.RTF"), rtf("Hyv\\'e4 ohjelma.")},
        {itemFolder + QStringLiteral("Setup.exe"), "MZ"},
    };
}

const QStringList soundKeys = {QStringLiteral("Titel=Skak"), QStringLiteral("Spil=Ja"), QStringLiteral("Folder=Prog"),
                               QStringLiteral("Setup=Setup.exe")};

QStringList withKey(const QString &line)
{
    const QString key = line.section(QLatin1Char('='), 0, 0);
    QStringList keys;
    for (const QString &existing : soundKeys) {
        if (existing.section(QLatin1Char('='), 0, 0) != key)
            keys.append(existing);
    }
    if (!line.endsWith(QLatin1String("=-")))
        keys.append(line);
    return keys;
}

void writeCatalogue(const TempFolder &folder, const QStringList &itemKeys, const QStringList &moreLines, const Files &files)
{
    Files all = soundItem();
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        all.insert(file.key(), file.value());
    for (auto file = all.cbegin(); file != all.cend(); ++file) {
        if (!file.value().isNull())
            folder.writeFile(file.key(), file.value());
    }
    folder.writeFile(catalogueFolder + QStringLiteral("/Z.MQV"),
                     iniBytes(QStringList{QStringLiteral("[Z1]")} + itemKeys + moreLines));
}

// A JSON value as compact text, object keys in order.
QString compact(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QStringList problemCodes(const QJsonArray &problems)
{
    QStringList codes;
    for (const QJsonValue &problem : problems)
        codes.append(problem.toObject().value(QStringLiteral("code")).toString());
    return codes;
}

QJsonValue field(QJsonValue value, const QString &path)
{
    for (const QString &name : path.split(QLatin1Char('.')))
        value = value.toObject().value(name);
    return value;
}

QString fingerprint(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        QByteArray hash;
        if (info.isFile() && file.open(QIODevice::ReadOnly))
            hash = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex();
        entries.append(info.filePath() + QLatin1Char(' ') + QString::number(info.lastModified().toMSecsSinceEpoch())
                       + QLatin1Char(' ') + QString::fromLatin1(hash));
    }
    entries.sort();
    return entries.join(QLatin1Char('\n'));
}

} // namespace

void TestMqvCheck::reportsEachProblem_data()
{
    QTest::addColumn<QStringList>("itemKeys");
    QTest::addColumn<QStringList>("moreLines");
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("codes"); // item 1's problems
    QTest::addColumn<QString>("path");      // a field of item 1, else of the whole report
    QTest::addColumn<QString>("json");      // its value, as compact JSON

    const QStringList none;
    const QString shot = itemFolder + QStringLiteral("Shot.jpg");
    const QString icon = itemFolder + QStringLiteral("Ikon.bmp");
    const QByteArray jpeg = imageBytes("JPG", QSize(320, 240));

    QTest::newRow("sound") << soundKeys << none << Files() << none << "screenshot" << R"({"height":240,"state":"present","width":320})";
    QTest::newRow("empty title") << withKey("Titel=") << none << Files() << QStringList{"empty-title"} << "title" << R"("")";
    QTest::newRow("no category") << withKey("Spil=-") << none << Files() << QStringList{"no-category"} << "categories" << "[]";
    QTest::newRow("title too wide") << withKey("Titel=" + QString(40, 'W')) << none << Files()
                                    << QStringList{"title-too-wide"} << "titleTooWide" << "true";
    QTest::newRow("no folder") << withKey("Folder=-") << none << Files() << QStringList{"no-folder", "setup-missing"}
                               << "folderState" << R"("none")";
    QTest::newRow("folder missing") << withKey("Folder=Andet") << none << Files()
                                    << QStringList{"folder-missing", "setup-missing"} << "folderState" << R"("missing")";
    QTest::newRow("folder is a file") << withKey("Folder=Prog\\Setup.exe") << none << Files()
                                      << QStringList{"folder-is-file", "setup-missing"} << "folderState" << R"("file")";
    QTest::newRow("folder in other case") << withKey("Folder=PROG") << none << Files() << none << "folderState" << R"("present")";
    QTest::newRow("no setup") << withKey("Setup=-") << none << Files() << QStringList{"no-setup"} << "files.Setup"
                              << R"({"name":"","state":"none"})";
    QTest::newRow("setup missing") << withKey("Setup=Ingen.exe") << none << Files() << QStringList{"setup-missing"}
                                   << "files.Setup.state" << R"("missing")";
    QTest::newRow("setup only in the Danish edition")
        << withKey("Setup=Dansk.exe") << none << Files{{"Dansk/Prog/Dansk.exe", "MZ"}} << none << "files.Setup.state"
        << R"("danishEdition")";
    QTest::newRow("setup in other case") << withKey("Setup=SETUP.EXE") << none << Files() << none << "files.Setup.state"
                                         << R"("itemFolder")";
    QTest::newRow("run missing") << withKey("Run=Spil.exe") << none << Files() << QStringList{"run-missing"}
                                 << "files.Run.state" << R"("missing")";
    QTest::newRow("extra missing") << withKey("Ekstra=Hjælp.txt") << none << Files() << QStringList{"extra-missing"}
                                   << "files.Ekstra.name" << R"("Hjælp.txt")";
    QTest::newRow("screenshot missing") << soundKeys << none << Files{{shot, QByteArray()}}
                                        << QStringList{"screenshot-missing"} << "screenshot" << R"({"state":"missing"})";
    QTest::newRow("screenshot truncated") << soundKeys << none << Files{{shot, jpeg.left(jpeg.size() / 2)}}
                                          << QStringList{"screenshot-damaged"} << "screenshot"
                                          << R"({"height":240,"state":"damaged","width":320})";
    QTest::newRow("screenshot not a JPEG") << soundKeys << none << Files{{shot, QByteArray(5000, 'x')}}
                                           << QStringList{"screenshot-damaged"} << "screenshot" << R"({"state":"damaged"})";
    QTest::newRow("screenshot is a folder") << soundKeys << none << Files{{shot, QByteArray()}, {shot + "/x", "x"}}
                                            << QStringList{"screenshot-missing"} << "screenshot.state" << R"("missing")";
    QTest::newRow("icon missing") << soundKeys << none << Files{{icon, QByteArray()}} << QStringList{"icon-missing"}
                                  << "icon.state" << R"("missing")";
    QTest::newRow("icon damaged") << soundKeys << none << Files{{icon, "BM\x10\x00garbage"}} << QStringList{"icon-damaged"}
                                  << "icon.state" << R"("damaged")";
    QTest::newRow("description missing") << soundKeys << none << Files{{itemFolder + "Sv.RTF", QByteArray()}}
                                         << QStringList{"description-missing"} << "descriptions.Svensk"
                                         << R"({"file":"Sv.RTF","state":"missing"})";
    QTest::newRow("description empty") << soundKeys << none << Files{{itemFolder + "No.RTF", rtf("")}}
                                       << QStringList{"description-empty"} << "descriptions.Norsk.state" << R"("empty")";
    QTest::newRow("description damaged") << soundKeys << none << Files{{itemFolder + "Fi.RTF", "{\\rtf1{{{\\b Hei"}}
                                         << none << "descriptions.Finsk.firstWords" << R"("Hei")";
    QTest::newRow("description too large to be one")
        << soundKeys << none << Files{{itemFolder + "Fi.RTF", QByteArray(17 * 1024 * 1024, ' ')}}
        << QStringList{"description-unreadable"} << "descriptions.Finsk.state" << R"("unreadable")";
    QTest::newRow("description is binary data") << soundKeys << none << Files{{itemFolder + "Sv.RTF", QByteArray(5000, '\x01')}}
                                                << QStringList{"description-unreadable"} << "descriptions.Svensk.state" << R"("unreadable")";
    QTest::newRow("description in other case") << soundKeys << none
                                               << Files{{itemFolder + "DK.RTF", QByteArray()}, {itemFolder + "dk.rtf", rtf("Hej")}}
                                               << none << "descriptions.Dansk.firstWords" << R"("Hej")";
    QTest::newRow("description first words") << soundKeys << none << Files() << none << "descriptions.Dansk.firstWords"
                                             << R"("Et godt program til børn og voksne.")";
    QTest::newRow("description long") << soundKeys << none << Files{{itemFolder + "DK.RTF", rtf(QByteArray("Et godt program til b\\'f8rn og voksne. ").repeated(300))}}
                                      << none << "descriptions.Dansk.firstWords" << R"("Et godt program til børn og voksne. Et godt program til børn…")";
    QTest::newRow("description text after a long header")
        << soundKeys << none << Files{{itemFolder + "DK.RTF", "{\\rtf1\\ansi{\\fonttbl" + QByteArray("{\\f1 Arial;}").repeated(500) + "}\\f0 Hej\\par}"}}
        << none << "descriptions.Dansk.firstWords" << R"("Hej")";
    QTest::newRow("flags reading unset") << withKey("Spil=Nej") << QStringList{"Skole=1", "Galleri="} << Files()
                                         << QStringList{"no-category", "flag-reads-unset", "flag-reads-unset"}
                                         << "flagsReadingUnset" << R"([{"key":"Spil","value":"Nej"},{"key":"Skole","value":"1"}])";
    QTest::newRow("flag in small letters") << withKey("Spil=ja") << none << Files() << none << "categories" << R"(["Spil"])";
    QTest::newRow("unknown key") << soundKeys << QStringList{"Farve=Rød", "titel=Skak"} << Files()
                                 << QStringList{"unknown-key", "duplicate-key"} << "unknownKeys" << R"(["Farve"])";
    QTest::newRow("duplicate key") << soundKeys << QStringList{"Titel=Dame", "TITEL=Mølle"} << Files()
                                   << QStringList{"duplicate-key"} << "duplicateKeys" << R"(["Titel"])";
    QTest::newRow("line without equals") << soundKeys << QStringList{"  Galleri Ja", "; a comment"} << Files()
                                         << QStringList{"line-without-equals"} << "linesWithoutEquals" << R"(["Galleri Ja"])";
    QTest::newRow("key in other case") << withKey("Setup=-") << QStringList{"SETUP=Setup.exe", "VÆRKSTED=Ja"} << Files()
                                       << QStringList{"key-in-other-case", "key-in-other-case"} << "keysInOtherCase"
                                       << R"([{"key":"SETUP","readAs":"Setup"},{"key":"VÆRKSTED","readAs":"Værksted"}])";
    QTest::newRow("sections past the last item") << soundKeys << QStringList{"[Z71]", "Titel=For sent", "[Z05]", "Titel=Nul", "[Flytter]"}
                                                 << Files() << none << "sectionsNotItems" << R"(["Z71","Z05"])";
    QTest::newRow("duplicate section") << soundKeys << QStringList{"[z1]", "Titel=Igen"} << Files() << none
                                       << "duplicateSections" << R"(["z1"])";
    QTest::newRow("shared folder") << soundKeys << QStringList{"[Z2]", "Titel=Dame", "Spil=Ja", "Folder=prog\\", "Setup=Setup.exe"}
                                   << Files() << QStringList{"shared-folder"} << "sharesFolderWith" << "[2]";
    QTest::newRow("free numbers") << soundKeys << QStringList{"[Z4]", "Global="} << Files() << none << "freeNumbers" << "[2,3]";
}

void TestMqvCheck::reportsEachProblem()
{
    QFETCH(QStringList, itemKeys);
    QFETCH(QStringList, moreLines);
    QFETCH(Files, files);
    QFETCH(QStringList, codes);
    QFETCH(QString, path);
    QFETCH(QString, json);

    TempFolder folder;
    writeCatalogue(folder, itemKeys, moreLines, files);
    const CheckRun run = runCheck({QStringLiteral("--json"), catalogueFolder}, folder.path());
    const QJsonObject report = run.json();
    const QJsonArray items = report.value(QStringLiteral("items")).toArray();
    QVERIFY2(!items.isEmpty(), run.out + run.err);
    const QJsonObject item = items.first().toObject();
    QCOMPARE(item.value(QStringLiteral("number")).toInt(), 1);
    QCOMPARE(problemCodes(item.value(QStringLiteral("problems")).toArray()), codes);
    const int problemCount = report.value(QStringLiteral("problemCount")).toInt();
    QCOMPARE(run.exitCode, problemCount == 0 ? 0 : 1);

    const QJsonValue found = item.contains(path.section(QLatin1Char('.'), 0, 0)) ? field(item, path) : field(report, path);
    QCOMPARE(compact(found), json);
}

// A Norwegian edition whose items have Danish and Norwegian descriptions only.
void TestMqvCheck::checksTheChosenLanguages_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("languages");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("described"); // the languages item 1's report describes, sorted

    const QStringList missing = {"description-missing", "description-missing"};
    QTest::newRow("all four") << QStringList() << R"(["Dansk","Norsk","Svensk","Finsk"])" << missing
                              << "Dansk Finsk Norsk Svensk";
    QTest::newRow("the edition's own") << QStringList{"--edition"} << R"(["Norsk"])" << QStringList() << "Norsk";
    QTest::newRow("listed") << QStringList{"--languages", "svensk,Dansk"} << R"(["Dansk","Svensk"])"
                            << QStringList{"description-missing"} << "Dansk Svensk";
    QTest::newRow("listed with =") << QStringList{"--languages=Finsk"} << R"(["Finsk"])"
                                   << QStringList{"description-missing"} << "Finsk";
}

void TestMqvCheck::checksTheChosenLanguages()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, languages);
    QFETCH(QStringList, codes);
    QFETCH(QString, described);

    TempFolder folder;
    writeCatalogue(folder, soundKeys, {"[Generelt]", "Sprog=Norsk"},
                   {{itemFolder + "Sv.RTF", QByteArray()}, {itemFolder + "Fi.RTF", QByteArray()}});
    const CheckRun run = runCheck(arguments + QStringList{"--json", catalogueFolder}, folder.path());
    QCOMPARE(compact(run.json().value(QStringLiteral("languages"))), languages);
    const QJsonObject item = run.json().value(QStringLiteral("items")).toArray().first().toObject();
    QCOMPARE(problemCodes(item.value(QStringLiteral("problems")).toArray()), codes);
    QCOMPARE(item.value(QStringLiteral("descriptions")).toObject().keys().join(' '), described);
}

void TestMqvCheck::answersItsCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");

    QTest::newRow("help") << QStringList{"--help"} << 0 << QByteArray("Brug: mqvcheck [tilvalg] [KATALOG]") << QByteArray();
    QTest::newRow("version") << QStringList{"-v"} << 0 << QByteArray("mqvcheck " MQV_VERSION "\n") << QByteArray();
    QTest::newRow("unknown option") << QStringList{"--sprog"} << 2 << QByteArray()
                                    << QByteArray("mqvcheck: Ukendt tilvalg: --sprog. Se mqvcheck --help.\n");
    QTest::newRow("unknown language") << QStringList{"--languages", "Dansk,Tysk"} << 2 << QByteArray()
                                      << QByteArray("mqvcheck: --languages vil have sprog blandt");
    QTest::newRow("edition and list") << QStringList{"--edition", "--languages", "Dansk"} << 2 << QByteArray()
                                      << QByteArray("mqvcheck: --edition og --languages");
    QTest::newRow("html without a file") << QStringList{"--html"} << 2 << QByteArray() << QByteArray("mqvcheck: --html mangler");
    QTest::newRow("pad without a file") << QStringList{"--pad"} << 2 << QByteArray() << QByteArray("mqvcheck: --pad mangler");
    QTest::newRow("pad and a catalogue") << QStringList{"--pad", "a.xml", "Z.MQV"} << 2 << QByteArray() << QByteArray("mqvcheck: --pad tjekker en PAD-fil alene");
}

void TestMqvCheck::answersItsCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);

    TempFolder folder;
    const CheckRun run = runCheck(arguments, folder.path());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.out.startsWith(out), run.out);
    QVERIFY2(run.err.startsWith(err), run.err);
    QCOMPARE(run.out.isEmpty(), out.isEmpty());
}

void TestMqvCheck::cannotReadCatalogue_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<Files>("files");

    QTest::newRow("no catalogue in the folder") << catalogueFolder << Files{{catalogueFolder + "/Fast.MQV", "[Z24]\r\n"}};
    QTest::newRow("catalogue is a folder") << catalogueFolder << Files{{catalogueFolder + "/Z.MQV/x", "x"}};
    QTest::newRow("catalogue in UTF-16") << catalogueFolder << Files{{catalogueFolder + "/Z.MQV", "\xFF\xFE[\0Z\0"}};
    QTest::newRow("folder does not exist") << "Ingen/Steder" << Files();
    QTest::newRow("file does not exist") << catalogueFolder + "/Andet.MQV" << Files{{catalogueFolder + "/Z.MQV", "[Z1]\r\nTitel=A\r\n"}};
}

void TestMqvCheck::cannotReadCatalogue()
{
    QFETCH(QString, argument);
    QFETCH(Files, files);

    TempFolder folder;
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        folder.writeFile(file.key(), file.value());
    const CheckRun json = runCheck({QStringLiteral("--json"), argument}, folder.path());
    QCOMPARE(json.exitCode, 2);
    QVERIFY(!json.json().value(QStringLiteral("error")).toString().isEmpty());
    QVERIFY(!json.err.isEmpty());
    const CheckRun table = runCheck({argument}, folder.path());
    QCOMPARE(table.exitCode, 2);
    QVERIFY(table.out.startsWith("Katalog: "));
}

// The check reads a catalogue that the editor may have open; the only file it makes is the page
// it is asked for. Its table is plain text when nobody watches it on a terminal.
void TestMqvCheck::writesNothingButItsOutput()
{
    TempFolder folder;
    writeCatalogue(folder, withKey("Spil=Nej"), {"[Z30]", "Titel=Fast"},
                   {{catalogueFolder + "/Fast.MQV", iniBytes({"[Z30]", "Titel=Fast", "Spil=Nej", "[Z31]", "Titel=Ny"})}});
    const QString before = fingerprint(folder.path());
    const CheckRun table = runCheck({}, folder.filePath(catalogueFolder));
    QCOMPARE(table.exitCode, 1);
    QVERIFY(!table.out.contains('\x1b'));
    QVERIFY(table.out.contains("Afviger fra Fast.MQV i Spil"));
    QCOMPARE(fingerprint(folder.path()), before);

    const CheckRun json = runCheck({"--json", catalogueFolder + "/z.mqv"}, folder.path());
    QCOMPARE(json.exitCode, 1);
    const QJsonArray items = json.json().value(QStringLiteral("items")).toArray();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(1).toObject().value(QStringLiteral("differsFromFixed")).toArray(), QJsonArray{"Spil"});
    QCOMPARE(problemCodes(json.json().value(QStringLiteral("problems")).toArray()),
             (QStringList{"free-numbers", "fixed-item-missing"}));
    QCOMPARE(fingerprint(folder.path()), before);
}

// The mark an editor leaves beside the catalogue while it is open must not go onto the disc.
void TestMqvCheck::reportsAnEditorsLockFile()
{
    TempFolder folder;
    writeCatalogue(folder, soundKeys, {},
                   {{catalogueFolder + "/.~lock.Z.MQV#", "Anne Berg,anne,maskine-2,09.12.2026 12:34,4242;\n"}});
    const CheckRun run = runCheck({"--json", catalogueFolder}, folder.path());
    QCOMPARE(run.exitCode, 1);
    const QJsonArray problems = run.json().value(QStringLiteral("problems")).toArray();
    QCOMPARE(problemCodes(problems), QStringList{"lock-file-left"});
    QCOMPARE(problems.at(0).toObject().value("text").toString(),
             QString("L\u00E5sefilen .~lock.Z.MQV# ligger ved kataloget (\u00E5bent hos Anne Berg p\u00E5 maskine-2 siden "
                     "09.12.2026 12:34) og m\u00E5 ikke med p\u00E5 disken"));
}

// Under script(1) the check's output is a terminal, as when a person runs it.
void TestMqvCheck::tableIsColouredOnlyOnATerminal()
{
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty())
        QSKIP("script(1) is not installed");
    TempFolder folder;
    writeCatalogue(folder, withKey("Titel="), {}, {});
    const QStringList arguments = {"-qec", QStringLiteral(MQVCHECK_EXECUTABLE " ") + catalogueFolder, "/dev/null"};
    QProcess terminal;
    terminal.setWorkingDirectory(folder.path());
    for (const bool noColour : {false, true}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (noColour)
            environment.insert(QStringLiteral("NO_COLOR"), QStringLiteral("1"));
        else
            environment.remove(QStringLiteral("NO_COLOR"));
        terminal.setProcessEnvironment(environment);
        terminal.start(script, arguments);
        QVERIFY(terminal.waitForFinished(60000));
        QCOMPARE(terminal.exitCode(), 1);
        const QByteArray out = terminal.readAllStandardOutput();
        QVERIFY(out.contains("Titlen er tom"));
        QCOMPARE(out.contains("\x1b[1;31m"), !noColour);
    }
}

namespace {

// The page split into its cards, by item number.
QMap<int, QString> cardsOf(const QString &page)
{
    QMap<int, QString> cards;
    static const QRegularExpression card(QStringLiteral(R"x(<article class="card[^"]*" id="punkt-(\d+)"[^>]*>(.*?)</article>)x"),
                                         QRegularExpression::DotMatchesEverythingOption);
    for (const QRegularExpressionMatch &match : card.globalMatch(page))
        cards.insert(match.captured(1).toInt(), match.captured(2));
    return cards;
}

QStringList codesIn(const QString &html)
{
    QStringList codes;
    static const QRegularExpression item(QStringLiteral(R"x(<li data-code="([a-z-]+)">)x"));
    for (const QRegularExpressionMatch &match : item.globalMatch(html))
        codes.append(match.captured(1));
    return codes;
}

} // namespace

void TestMqvCheck::proofSheetHasACardPerItem()
{
    TempFolder folder;
    writeCatalogue(folder, withKey("Titel=" + QString(40, 'W')),
                   {"[Z2]", "Titel=Tegning", "Skole=Ja", "Folder=Tegn", "Setup=Dansk.exe", "[Z3]", "Titel=Tom"},
                   {{"Dansk/Tegn/Dansk.exe", "MZ"}, {catalogueFolder + "/Tegn/DK.RTF", rtf("{\\b Fed} tekst")}});
    const CheckRun run = runCheck({"--html", "ark.html", catalogueFolder}, folder.path());
    QCOMPARE(run.exitCode, 1);
    const QString page = QString::fromUtf8(folder.readFile("ark.html"));
    QVERIFY(page.startsWith("<!DOCTYPE html>"));
    QVERIFY(!page.contains(QRegularExpression(QStringLiteral(R"x((src|href)="(?!data:))x"))));

    const QMap<int, QString> cards = cardsOf(page);
    QCOMPARE(cards.keys(), (QList<int>{1, 2, 3}));
    QVERIFY(cards[1].contains(R"(<h2 class="title too-wide">)"));
    QCOMPARE(codesIn(cards[1]), QStringList{"title-too-wide"});
    QCOMPARE(cards[1].count(QStringLiteral("src=\"data:image/")), 2);  // screenshot and icon
    QCOMPARE(cards[1].count(QStringLiteral("<div class=\"rtf\">")), 4);
    QVERIFY(cards[1].contains(QStringLiteral("børn og voksne")));

    QVERIFY(cards[2].contains(R"(<span class="mark-blue">Dansk.exe</span>)"));
    QVERIFY(cards[2].contains(QRegularExpression(QStringLiteral("font-weight:[67]00[^>]*>Fed</span>"))));
    QCOMPARE(codesIn(cards[2]), (QStringList{"screenshot-missing", "icon-missing", "description-missing",
                                             "description-missing", "description-missing"}));
    QVERIFY(cards[2].contains("Den norske beskrivelse (No.RTF) mangler"));
    QCOMPARE(codesIn(cards[3]), (QStringList{"no-category", "no-folder", "no-setup"}));
    QVERIFY(cards[3].contains(R"(<span class="no-category">)"));

    QVERIFY(page.contains(R"(<tr data-code="description-missing"><td class="n">3</td>)"));
}

// What a program's author allows, kept when its description file was taken in, is on its card.
void TestMqvCheck::proofSheetShowsTheProducersNotes()
{
    TempFolder folder;
    writeCatalogue(folder, withKey("Titel=Skak"), {"[Z2]", "Titel=Tegning", "Folder=Tegn"}, {});
    ProducerNotes{"Må lægges på cover-cd'er <frit>.", QString()}.keep(
        folder.filePath(catalogueFolder + "/Z.MQV"), "tegn");
    runCheck({"--html", "ark.html", catalogueFolder}, folder.path());
    const QMap<int, QString> cards = cardsOf(QString::fromUtf8(folder.readFile("ark.html")));
    QVERIFY(!cards[1].contains("Til producenten"));
    QVERIFY(cards[2].contains("<h3>Til producenten</h3><p>Distribution: Må lægges på cover-cd'er &lt;frit&gt;.</p>"));
}

// A description of megabytes is shown by its beginning, so the page can still be printed.
void TestMqvCheck::proofSheetCutsALongDescription()
{
    TempFolder folder;
    QByteArray longText = "{\\rtf1\\ansi ";
    while (longText.size() < 2 * 1024 * 1024)
        longText += "{\\b Fed} tekst og {\\i mere} tekst.\\par ";
    writeCatalogue(folder, withKey("Titel=Lang"), {}, {{itemFolder + "DK.RTF", longText + "}"}});
    const CheckRun run = runCheck({"--no-spelling", "--html", "ark.html", catalogueFolder}, folder.path());
    QVERIFY(run.exitCode == 0 || run.exitCode == 1);
    const QString page = QString::fromUtf8(folder.readFile("ark.html"));
    QVERIFY2(page.size() < 300 * 1024, qPrintable(QString::number(page.size())));
    QVERIFY(page.contains(QRegularExpression(QStringLiteral(R"(<p class="cut">[\d.]+ af [\d.]+ tegn er ikke vist\.</p>)"))));
    QVERIFY(page.contains(QRegularExpression(QStringLiteral("font-weight:[67]00[^>]*>Fed</span>"))));
}

// Words no dictionary knows and languages left behind are warnings: listed, counted and
// underlined on the proof sheet, but the check of an item otherwise clean still passes.
void TestMqvCheck::warnsOfUnknownWordsAndLanguagesOutOfStep()
{
    TempFolder folder;
    writeCatalogue(folder, withKey("Titel=Skakmester"), {},
                   {{itemFolder + "DK.RTF", rtf("Skakmester l\\'e6rer dig at spille skak, trin for trin, med "
                                                "hj\\'e6lp fra en tr\\'e6ner og mange opgaver")},
                    {itemFolder + "No.RTF", rtf("Skakmester l\\'e6rer deg \\'e5 spille sjakk, trinn for trinn, med "
                                                "hjelp fra en trenner og mange oppgaver")},
                    {itemFolder + "Sv.RTF", rtf("Skakmester l\\'e4r dig spela schack")},
                    {itemFolder + "Fi.RTF", rtf("Skakmester")}});
    const CheckRun run = runCheck({"--json", "--html", "ark.html", catalogueFolder}, folder.path());
    QCOMPARE(run.exitCode, 0);
    const QJsonObject report = run.json();
    const QJsonObject item = report.value("items").toArray().first().toObject();
    QCOMPARE(compact(field(item, "descriptions.Dansk.unknownWords")), R"([])");
    QCOMPARE(compact(field(item, "descriptions.Norsk.unknownWords")), R"(["trenner"])");
    QCOMPARE(problemCodes(item.value("warnings").toArray()),
             (QStringList{"unknown-words", "language-cut-short", "language-cut-short"}));
    QCOMPARE(report.value("warningCount").toInt(), 3);
    QCOMPARE(report.value("problemCount").toInt(), 0);
    const QString page = QString::fromUtf8(folder.readFile("ark.html"));
    QVERIFY(page.contains(QRegularExpression(R"(<span class="unknown-word">(<[^>]*>)*trenner<)")));
    QCOMPARE(page.count(R"(<span class="unknown-word">)"), 1);

    const CheckRun table = runCheck({"--no-spelling", catalogueFolder}, folder.path());
    QVERIFY(!table.out.contains("trenner"));
}

// A translation records in its own file the Danish words it was written against; formatting the
// Danish text differently changes none of them.
void TestMqvCheck::warnsOfTranslationsBehindTheDanishWords()
{
    const auto writtenAgainst = [](const QByteArray &text, const QString &danish) {
        return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + text + "\\par{\\*\\zcdkilde "
            + danish.toUtf8().toHex() + "}}";
    };
    TempFolder folder;
    writeCatalogue(folder, soundKeys, {},
                   {{itemFolder + "DK.RTF", rtf("Et {\\b godt} program til b\\'f8rn og voksne.")},
                    {itemFolder + "No.RTF", writtenAgainst("Et godt program.", "Et godt program til børn og voksne.")},
                    {itemFolder + "Sv.RTF", writtenAgainst("Ett bra program.", "Et godt program til børn.")}});
    const CheckRun run = runCheck({"--json", "--no-spelling", catalogueFolder}, folder.path());
    QCOMPARE(run.exitCode, 0);
    const QJsonObject item = run.json().value("items").toArray().first().toObject();
    QCOMPARE(compact(item.value("warnings")),
             R"([{"code":"translation-behind","text":"Svensk er ikke ført ajour efter den danske tekst"}])");
    QCOMPARE(field(item, "descriptions.Svensk.firstWords").toString(), QString("Ett bra program."));
}

// A description or screenshot that links out of the catalogue's tree is none of the item's: a
// proof sheet passed around must not carry somebody's private file.
void TestMqvCheck::embedsNothingFromOutsideTheTree()
{
    TempFolder folder;
    QTemporaryDir outside;
    for (const auto &[name, bytes] : {std::pair{QStringLiteral("privat.rtf"), rtf("adgangskode hemmelig")},
                                      std::pair{QStringLiteral("privat.jpg"), imageBytes("JPG", QSize(320, 240))}}) {
        QFile file(outside.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) > 0);
    }
    writeCatalogue(folder, withKey("Titel=Skakmester"), {},
                   {{itemFolder + "DK.RTF", QByteArray()}, {itemFolder + "Shot.jpg", QByteArray()}});
    QVERIFY(QFile::link(outside.filePath("privat.rtf"), folder.filePath(itemFolder + "DK.RTF")));
    QVERIFY(QFile::link(outside.filePath("privat.jpg"), folder.filePath(itemFolder + "Shot.jpg")));
    const CheckRun run = runCheck({"--json", "--html", "ark.html", catalogueFolder}, folder.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.out.contains("hemmelig"));
    const QJsonObject item = run.json().value("items").toArray().first().toObject();
    QCOMPARE(field(item, "descriptions.Dansk.state").toString(), QString("unreadable"));
    QCOMPARE(field(item, "screenshot.state").toString(), QString("missing"));
    const QByteArray page = folder.readFile("ark.html");
    QVERIFY(!page.contains("hemmelig"));
    QCOMPARE(page.count("data:image/jpeg"), 0);
}

// The report of a submission, before anything is taken in: as a table, as JSON, and a file that is
// no program description at all.
void TestMqvCheck::checksAProgramDescriptionFile()
{
    TempFolder folder;
    const QString pads = QStringLiteral(MQV_SOURCE_DIR "/tests/data/pad/");
    const CheckRun table = runCheck({"--pad", pads + "defect-over-limit.xml"}, folder.path());
    QCOMPARE(table.exitCode, 1);
    QVERIFY2(table.out.contains("Klasse:  Games & Entertainment::Kids → Spil, Barn\n"), table.out);
    QVERIFY2(table.out.endsWith("Program_Descriptions/Danish/Char_Desc_45: 59 tegn, højst 45.\n1 fund.\n"), table.out);

    const CheckRun clean = runCheck({"--json", "--pad", pads + "skak.xml"}, folder.path());
    QCOMPARE(clean.exitCode, 0);
    const QJsonObject report = clean.json();
    QCOMPARE(report.value("findingCount").toInt(), 0);
    QCOMPARE(report.value("program").toObject().value("categories").toArray(), (QJsonArray{"Spil", "Barn"}));
    QCOMPARE(report.value("languages").toArray(), (QJsonArray{"English", "Danish", "Norwegian"}));

    folder.writeFile("noget.xml", "<html><body>PAD</body></html>");
    const CheckRun refused = runCheck({"--json", "--pad", "noget.xml"}, folder.path());
    QCOMPARE(refused.exitCode, 2);
    QCOMPARE(refused.json().value("readable").toBool(true), false);
    QCOMPARE(refused.json().value("findings").toArray().first().toObject().value("code").toString(), QStringLiteral("not-pad"));
}

QTEST_GUILESS_MAIN(TestMqvCheck)
#include "tst_mqvcheck.moc"
