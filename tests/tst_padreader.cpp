#include "catalogue/PadCategories.h"
#include "pad/PadImportPlan.h"
#include "pad/PadReader.h"
#include "pad/PadRules.h"

#include "support/TempFolder.h"

#include <QtTest>

#include <algorithm>

// Program description files as they come: the public ones kept in tests/data/pad, and copies of
// a small one with each fault real files have.
class TestPadReader : public QObject {
    Q_OBJECT
private slots:
    void faultsAreReadAsMeantAndReported_data();
    void faultsAreReadAsMeantAndReported();
    void publicFilesAreReadAndChecked_data();
    void publicFilesAreReadAndChecked();
    void everyProgramClassHasItsCategories();
    void eachFieldIsPlannedWhereItGoes_data();
    void eachFieldIsPlannedWhereItGoes();
    void whatIsNoProgramDescriptionIsRefused();
};

namespace {

QString padFile(const QString &name) { return QStringLiteral(MQV_SOURCE_DIR "/tests/data/pad/") + name; }

// Each kind of finding once: a broken tag is reported wherever the parser stumbles over it.
QStringList codes(const std::vector<PadFinding> &findings)
{
    QStringList codes;
    for (const PadFinding &finding : findings)
        codes << finding.code;
    codes.removeDuplicates();
    return codes;
}

const QString danish45 = QStringLiteral("Program_Descriptions/Danish/Char_Desc_45");

} // namespace

void TestPadReader::faultsAreReadAsMeantAndReported_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("report");

    QTest::newRow("clean") << "skak.xml" << danish45 << "Skak for børn" << QStringList();
    QTest::newRow("UTF-8 declared over Windows-1252") << "defect-utf8-declared-windows-bytes.xml" << danish45 << "Skak for børn" << QStringList{"encoding"};
    QTest::newRow("bare ampersand") << "defect-raw-ampersand.xml" << "Company_Info/Company_Name" << "Brikker & Bonde" << QStringList{"raw-ampersand"};
    QTest::newRow("numeric references") << "defect-numeric-references.xml" << danish45 << "Skak – for børn" << QStringList{"windows-reference"};
    QTest::newRow("unclosed tag, its text") << "defect-unclosed-tag.xml" << "Program_Descriptions/Danish/Char_Desc_80" << "Skak for børn med en venlig lærer" << QStringList{"xml"};
    QTest::newRow("unclosed tag, the next field") << "defect-unclosed-tag.xml" << "Program_Descriptions/Danish/Char_Desc_250" << "Skak for børn med en venlig lærer, der forklarer hvert træk." << QStringList{"xml"};
    QTest::newRow("over the limit") << "defect-over-limit.xml" << danish45 << "Skak for børn med en venlig lærer, der forklarer hvert træk" << QStringList{"over-limit"};
    QTest::newRow("cut inside a character") << "defect-cut-in-bytes.xml" << danish45 << "Skak for b" << QStringList{"cut-character"};
}

void TestPadReader::faultsAreReadAsMeantAndReported()
{
    QFETCH(QString, file);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QStringList, report);

    const PadDocument document = PadReader::readFile(padFile(file));
    QVERIFY(document.readable);
    QCOMPARE(document.value(field), value);
    QCOMPARE(document.value(QStringLiteral("Program_Info/Program_Name")), QStringLiteral("Skakmester"));
    QCOMPARE(document.languages, (QStringList{"English", "Danish", "Norwegian"}));
    QCOMPARE(codes(PadRules::report(document)), report);
}

void TestPadReader::publicFilesAreReadAndChecked_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("programClass");
    QTest::addColumn<QString>("report");

    QTest::newRow("qvge") << "qvge-pad_file.xml" << "Qt Visual Graph Editor" << "Graphic Apps::Editors" << "Web_Info/Application_URLs/Application_Screenshot_URL: \"https://user-images.githubusercontent.com/19762856/85934275-2a985480-b8e1-11ea-8…\" følger ikke formatets regel.\n";
    QTest::newRow("hstr") << "hstr-pad.xml" << "HSTR" << "System Utilities::Shell Tools" << "Program_Descriptions/English/Char_Desc_80: 90 tegn, højst 80.\n";
}

void TestPadReader::publicFilesAreReadAndChecked()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QString, programClass);
    QFETCH(QString, report);

    const PadDocument document = PadReader::readFile(padFile(file));
    QVERIFY(document.readable);
    QCOMPARE(document.value(QStringLiteral("Program_Info/Program_Name")), name);
    QCOMPARE(document.value(QStringLiteral("Program_Info/Program_Category_Class")), programClass);
    QCOMPARE(document.languages, QStringList{QStringLiteral("English")});
    QCOMPARE(PadRules::reportText(PadRules::report(document)), report);
}

// Each class of the format's list, spelled as the list has it, with the categories it goes into.
void TestPadReader::everyProgramClassHasItsCategories()
{
    const struct {
        const char *programClass;
        const char *categories;
    } rows[] = {
        {"Audio & Multimedia::Audio Encoders/Decoders", "Software"},
        {"Audio & Multimedia::Audio File Players", "Software"},
        {"Audio & Multimedia::Audio File Recorders", "Software"},
        {"Audio & Multimedia::CD Burners", "Tilbehør"},
        {"Audio & Multimedia::CD Players", "Software"},
        {"Audio & Multimedia::Multimedia Creation Tools", "Værksted"},
        {"Audio & Multimedia::Music Composers", "Værksted"},
        {"Audio & Multimedia::Other", "Software"},
        {"Audio & Multimedia::Presentation Tools", "Software"},
        {"Audio & Multimedia::Rippers & Converters", "Software"},
        {"Audio & Multimedia::Speech", "Software"},
        {"Audio & Multimedia::Video Tools", "Værksted"},
        {"Business::Accounting & Finance", "Software"},
        {"Business::Calculators & Converters", "Software"},
        {"Business::Databases & Tools", "Software"},
        {"Business::Helpdesk & Remote PC", "Software"},
        {"Business::Inventory & Barcoding", "Software"},
        {"Business::Investment Tools", "Software"},
        {"Business::Math & Scientific Tools", "Software"},
        {"Business::Office Suites & Tools", "Software"},
        {"Business::Other", "Software"},
        {"Business::PIMS & Calendars", "Software"},
        {"Business::Project Management", "Software"},
        {"Business::Vertical Market Apps", "Software"},
        {"Communications::Chat & Instant Messaging", "Internet"},
        {"Communications::Dial Up & Connection Tools", "Internet"},
        {"Communications::E-Mail Clients", "Internet"},
        {"Communications::E-Mail List Management", "Internet"},
        {"Communications::Fax Tools", "Internet"},
        {"Communications::Newsgroup Clients", "Internet"},
        {"Communications::Other Comms Tools", "Internet"},
        {"Communications::Other E-Mail Tools", "Internet"},
        {"Communications::Pager Tools", "Internet"},
        {"Communications::Telephony", "Internet"},
        {"Communications::Web/Video Cams", "Internet"},
        {"Desktop::Clocks & Alarms", "Tilbehør"},
        {"Desktop::Cursors & Fonts", "Galleri"},
        {"Desktop::Icons", "Galleri"},
        {"Desktop::Other", "Tilbehør"},
        {"Desktop::Screen Savers: Art", "Galleri"},
        {"Desktop::Screen Savers: Cartoons", "Galleri"},
        {"Desktop::Screen Savers: Nature", "Galleri"},
        {"Desktop::Screen Savers: Other", "Galleri"},
        {"Desktop::Screen Savers: People", "Galleri"},
        {"Desktop::Screen Savers: Science", "Galleri"},
        {"Desktop::Screen Savers: Seasonal", "Galleri"},
        {"Desktop::Screen Savers: Vehicles", "Galleri"},
        {"Desktop::Themes & Wallpaper", "Galleri"},
        {"Development::Active X", "Værksted"},
        {"Development::Basic, VB, VB DotNet", "Værksted"},
        {"Development::C / C++ / C#", "Værksted"},
        {"Development::Compilers & Interpreters", "Værksted"},
        {"Development::Components & Libraries", "Værksted"},
        {"Development::Debugging", "Værksted"},
        {"Development::Delphi", "Værksted"},
        {"Development::Help Tools", "Værksted"},
        {"Development::Install & Setup", "Værksted"},
        {"Development::Management & Distribution", "Værksted"},
        {"Development::Other", "Værksted"},
        {"Development::Source Editors", "Værksted"},
        {"Education::Computer", "Skole"},
        {"Education::Dictionaries", "Skole"},
        {"Education::Geography", "Skole"},
        {"Education::Kids", "Skole,Barn"},
        {"Education::Languages", "Skole"},
        {"Education::Mathematics", "Skole"},
        {"Education::Other", "Skole"},
        {"Education::Reference Tools", "Skole"},
        {"Education::Science", "Skole"},
        {"Education::Teaching & Training Tools", "Skole"},
        {"Games & Entertainment::Action", "Spil"},
        {"Games & Entertainment::Adventure & Roleplay", "Spil"},
        {"Games & Entertainment::Arcade", "Spil"},
        {"Games & Entertainment::Board", "Spil"},
        {"Games & Entertainment::Card", "Spil"},
        {"Games & Entertainment::Casino & Gambling", "Spil"},
        {"Games & Entertainment::Kids", "Spil,Barn"},
        {"Games & Entertainment::Online Gaming", "Spil"},
        {"Games & Entertainment::Other", "Spil"},
        {"Games & Entertainment::Puzzle & Word Games", "Spil"},
        {"Games & Entertainment::Simulation", "Spil"},
        {"Games & Entertainment::Sports", "Spil"},
        {"Games & Entertainment::Strategy & War Games", "Spil"},
        {"Games & Entertainment::Tools & Editors", "Spil"},
        {"Graphic Apps::Animation Tools", "Værksted"},
        {"Graphic Apps::CAD", "Værksted"},
        {"Graphic Apps::Converters & Optimizers", "Værksted"},
        {"Graphic Apps::Editors", "Værksted"},
        {"Graphic Apps::Font Tools", "Værksted"},
        {"Graphic Apps::Gallery & Cataloging Tools", "Galleri"},
        {"Graphic Apps::Icon Tools", "Værksted"},
        {"Graphic Apps::Other", "Værksted"},
        {"Graphic Apps::Screen Capture", "Tilbehør"},
        {"Graphic Apps::Viewers", "Galleri"},
        {"Home & Hobby::Astrology/Biorhythms/Mystic", "Software"},
        {"Home & Hobby::Astronomy", "Software"},
        {"Home & Hobby::Cataloging", "Software"},
        {"Home & Hobby::Food & Drink", "Software"},
        {"Home & Hobby::Genealogy", "Software"},
        {"Home & Hobby::Health & Nutrition", "Software"},
        {"Home & Hobby::Other", "Software"},
        {"Home & Hobby::Personal Finance", "Software"},
        {"Home & Hobby::Personal Interest", "Software"},
        {"Home & Hobby::Recreation", "Software"},
        {"Home & Hobby::Religion", "Software"},
        {"Network & Internet::Ad Blockers", "Internet"},
        {"Network & Internet::Browser Tools", "Internet"},
        {"Network & Internet::Browsers", "Internet"},
        {"Network & Internet::Download Managers", "Internet"},
        {"Network & Internet::File Sharing/Peer to Peer", "Internet"},
        {"Network & Internet::FTP Clients", "Internet"},
        {"Network & Internet::Network Monitoring", "Internet"},
        {"Network & Internet::Other", "Internet"},
        {"Network & Internet::Remote Computing", "Internet"},
        {"Network & Internet::Search/Lookup Tools", "Internet"},
        {"Network & Internet::Terminal & Telnet Clients", "Internet"},
        {"Network & Internet::Timers & Time Synch", "Internet"},
        {"Network & Internet::Trace & Ping Tools", "Internet"},
        {"Security & Privacy::Access Control", "Tilbehør"},
        {"Security & Privacy::Anti-Spam & Anti-Spy Tools", "Tilbehør"},
        {"Security & Privacy::Anti-Virus Tools", "Tilbehør"},
        {"Security & Privacy::Covert Surveillance", "Tilbehør"},
        {"Security & Privacy::Encryption Tools", "Tilbehør"},
        {"Security & Privacy::Other", "Tilbehør"},
        {"Security & Privacy::Password Managers", "Tilbehør"},
        {"Servers::Firewall & Proxy Servers", "Internet"},
        {"Servers::FTP Servers", "Internet"},
        {"Servers::Mail Servers", "Internet"},
        {"Servers::News Servers", "Internet"},
        {"Servers::Other Server Applications", "Internet"},
        {"Servers::Telnet Servers", "Internet"},
        {"Servers::Web Servers", "Internet"},
        {"System Utilities::Automation Tools", "Tilbehør"},
        {"System Utilities::Backup & Restore", "Tilbehør"},
        {"System Utilities::Benchmarking", "Tilbehør"},
        {"System Utilities::Clipboard Tools", "Tilbehør"},
        {"System Utilities::File & Disk Management", "Tilbehør"},
        {"System Utilities::File Compression", "Tilbehør"},
        {"System Utilities::Launchers & Task Managers", "Tilbehør"},
        {"System Utilities::Other", "Tilbehør"},
        {"System Utilities::Printer", "Tilbehør"},
        {"System Utilities::Registry Tools", "Tilbehør"},
        {"System Utilities::Shell Tools", "Tilbehør"},
        {"System Utilities::System Maintenance", "Tilbehør"},
        {"System Utilities::Text/Document Editors", "Software"},
        {"Web Development::ASP & PHP", "Værksted,Internet"},
        {"Web Development::E-Commerce", "Værksted,Internet"},
        {"Web Development::Flash Tools", "Værksted,Internet"},
        {"Web Development::HTML Tools", "Værksted,Internet"},
        {"Web Development::Java & JavaScript", "Værksted,Internet"},
        {"Web Development::Log Analysers", "Værksted,Internet"},
        {"Web Development::Other", "Værksted,Internet"},
        {"Web Development::Site Administration", "Værksted,Internet"},
        {"Web Development::Wizards & Components", "Værksted,Internet"},
        {"Web Development::XML/CSS Tools", "Værksted,Internet"},
    };
    QCOMPARE(PadCategories::all().size(), std::size(rows));
    for (const auto &row : rows) {
        const auto categories = PadCategories::categoriesOf(QString::fromUtf8(row.programClass));
        QVERIFY2(categories, row.programClass);
        QStringList names;
        for (Category category : *categories)
            names << CatalogueKeys::name(category);
        QCOMPARE(names.join(QLatin1Char(',')), QString::fromUtf8(row.categories));
    }
    QVERIFY(!PadCategories::categoriesOf(QStringLiteral("Games & Entertainment::board")));
}

void TestPadReader::whatIsNoProgramDescriptionIsRefused()
{
    for (const QByteArray &bytes : {QByteArray(), QByteArray("<html><body>PAD</body></html>"),
                                    QByteArray("\xFF\xFE<\x00X\x00", 6), QByteArray(PadReader::maximumSize + 1, ' ')}) {
        const PadDocument document = PadReader::read(bytes);
        QVERIFY(!document.readable);
        QVERIFY(!document.findings.empty());
    }
}

void TestPadReader::eachFieldIsPlannedWhereItGoes_data()
{
    QTest::addColumn<DescriptionLanguage>("edition");
    QTest::addColumn<QString>("shortText");
    QTest::addColumn<QString>("danishDescription");

    QTest::newRow("Danish edition") << DescriptionLanguage::Dansk << "Kort tekst=Skak for børn (45 tegn) +"
                                    << "Beskrivelse, dansk=Skak for børn med en venlig lærer, der forklarer hvert træk og viser bedre. (450 tegn) +";
    QTest::newRow("Swedish edition") << DescriptionLanguage::Svensk << "Kort tekst=[Oversæt] Chess for children (45 tegn, engelsk: skal oversættes) +"
                                     << "Beskrivelse, dansk=Skak for børn med en venlig lærer, der forklarer hvert træk og viser bedre. (450 tegn) +";
}

// What a new item gets from the small description file in two editions: each line's caption, value,
// where it comes from, and whether it is taken (+) or only offered (-).
void TestPadReader::eachFieldIsPlannedWhereItGoes()
{
    QFETCH(DescriptionLanguage, edition);
    QFETCH(QString, shortText);
    QFETCH(QString, danishDescription);

    TempFolder folder;
    folder.writeFile("Skakmester/SKAKSETUP.EXE", "MZ");
    const PadImportPlan plan = PadImport::plan(PadReader::readFile(padFile("skak.xml")), QString(), edition);
    QStringList lines;
    for (const PadImportLine &line : plan.lines)
        lines << QStringLiteral("%1=%2 (%3) %4").arg(PadImport::caption(line), line.value, line.note, line.taken ? "+" : "-");
    const QString english = "[Oversæt] Chess for children.\nA friendly teacher explains every move. (2000 tegn, engelsk: skal oversættes) -";
    QCOMPARE(lines, (QStringList{
        "Titel=Skakmester 2.1 (med version 2.1: slet den, hvis den ikke skal med) +",
        shortText,
        "Webside=https://skak.example.org/ () +",
        "Mappe=Skakmester (findes) +",
        "Setup=SkakSetup.exe (findes i mappen) +",
        "Kategorier=Spil, Barn (Games & Entertainment::Kids) +",
        danishDescription,
        "Beskrivelse, norsk=Sjakk for barn med en vennlig lærer. (250 tegn) +",
        "Beskrivelse, svensk=" + english,
        "Beskrivelse, finsk=" + english,
        "Skærmskud=https://skak.example.org/shot.png (hentes som Shot.jpg) -",
        "Ikon=https://skak.example.org/icon.png (hentes som Ikon.bmp, 32 × 32) -",
    }));
    QCOMPARE(plan.distributionPermissions, QStringLiteral("Må frit lægges på cover-cd'er."));

    QStringList stored;
    for (const auto &[key, value] : plan.catalogueValues())
        stored << key + "=" + value;
    QCOMPARE(stored.mid(4), (QStringList{"Setup=SkakSetup.exe", "Spil=Ja", "Barn=Ja"}));
}

QTEST_GUILESS_MAIN(TestPadReader)
#include "tst_padreader.moc"
