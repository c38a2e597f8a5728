#include "catalogue/Catalogue.h"
#include "catalogue/CategoryMenus.h"
#include "catalogue/FixedItemImport.h"
#include "catalogue/FolderOperations.h"
#include "catalogue/ItemMove.h"
#include "catalogue/ItemSearch.h"
#include "catalogue/OutsideChange.h"
#include "catalogue/ProfileFile.h"
#include "files/Windows1252.h"
#include "description/DescriptionLanguage.h"
#include "support/IniBytes.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

using IntList = QList<int>;

// The rules behind the window that need no window: flags, searches over item numbers, moves,
// the fixed-item import, the category listings and folder operations.
class TestCatalogueRules : public QObject {
    Q_OBJECT
private slots:
    void outsideChangeToTheShownItem_data();
    void outsideChangeToTheShownItem();
    void flagTest_data();
    void flagTest();
    void sectionNames();
    void previousAndNext_data();
    void previousAndNext();
    void settleOnChosenNumber_data();
    void settleOnChosenNumber();
    void newItemNumber_data();
    void newItemNumber();
    void freeNumbersAboveAndBelow_data();
    void freeNumbersAboveAndBelow();
    void moveCarriesNonEmptyKeysInOrder();
    void moveOfAnEmptyItemKeepsTheItem();
    void moveNeedsSourceAndFreeDestination();
    void importReplacesFixedItems();
    void importTwiceEqualsOnce();
    void categoryListings();
    void eraseCategory();
    void exchangeSwapsNumbersMoveByMove_data();
    void exchangeSwapsNumbersMoveByMove();
    void entryNumbers();
    void folderNames_data();
    void folderNames();
    void createFolderOnlyMakesTheLastLevel();
    void renameFolder();
    void otherItemInFolder_data();
    void otherItemInFolder();
    void languageFromSetting_data();
    void languageFromSetting();
    void nearestStorableText_data();
    void nearestStorableText();
};

namespace {

ItemSearch::Exists existing(const IntList &numbers)
{
    return [numbers](int n) { return numbers.contains(n); };
}

} // namespace

void TestCatalogueRules::flagTest_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("set");
    QTest::newRow("Ja") << "Ja" << true;
    QTest::newRow("ja") << "ja" << true;
    QTest::newRow("JA") << "JA" << true;
    QTest::newRow("jA") << "jA" << true;
    QTest::newRow("Nej") << "Nej" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("Nope") << "Nope" << false;
    QTest::newRow("spaces") << " Ja" << false;
    QTest::newRow("Ja!") << "Ja!" << false;
    QTest::newRow("a with ring") << QString::fromUtf8("J\u00E5") << false;
}

void TestCatalogueRules::flagTest()
{
    QFETCH(QString, value);
    QFETCH(bool, set);
    QCOMPARE(Catalogue::isFlagSet(value), set);
}

void TestCatalogueRules::sectionNames()
{
    QCOMPARE(Catalogue::SectionName(1), QString("Z1"));
    QCOMPARE(Catalogue::SectionName(24), QString("Z24"));
    QCOMPARE(Catalogue::SectionName(70), QString("Z70"));
}

void TestCatalogueRules::previousAndNext_data()
{
    QTest::addColumn<IntList>("items");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("next");
    QTest::newRow("1 and 70, at 1") << IntList{1, 70} << 1 << 70 << 70;
    QTest::newRow("1 only") << IntList{1} << 1 << 1 << 1;
    QTest::newRow("3 and 5, at 3") << IntList{3, 5} << 3 << 1 << 5;
    QTest::newRow("1, 4, 9 at 9") << IntList{1, 4, 9} << 9 << 4 << 1;
    QTest::newRow("4 and 9 at 9") << IntList{4, 9} << 9 << 4 << 1;
    QTest::newRow("8 and 9 at 9") << IntList{8, 9} << 9 << 8 << 1;
    QTest::newRow("at 70") << IntList{2, 70} << 70 << 2 << 1;
    QTest::newRow("empty catalogue") << IntList{} << 5 << 1 << 1;
}

void TestCatalogueRules::previousAndNext()
{
    QFETCH(IntList, items);
    QFETCH(int, current);
    QFETCH(int, previous);
    QFETCH(int, next);
    QCOMPARE(ItemSearch::previousStop(current, existing(items)), previous);
    QCOMPARE(ItemSearch::nextStop(current, existing(items)), next);
}

void TestCatalogueRules::settleOnChosenNumber_data()
{
    QTest::addColumn<IntList>("items");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("settled");   // 0: none
    QTest::newRow("up to the next item") << IntList{4, 8} << 6 << 4 << 8;
    QTest::newRow("down with nothing below") << IntList{4, 8} << 2 << 4 << 8;
    QTest::newRow("down to the item below") << IntList{4, 8} << 7 << 8 << 4;
    QTest::newRow("up past the last wraps to the first") << IntList{4, 8} << 9 << 8 << 4;
    QTest::newRow("the chosen item itself") << IntList{4, 8} << 8 << 8 << 8;
    QTest::newRow("empty catalogue") << IntList{} << 6 << 1 << 0;
    QTest::newRow("item 71 is never an item") << IntList{4, 71} << 70 << 5 << 4;
}

void TestCatalogueRules::settleOnChosenNumber()
{
    QFETCH(IntList, items);
    QFETCH(int, chosen);
    QFETCH(int, current);
    QFETCH(int, settled);
    QCOMPARE(ItemSearch::settleOn(chosen, current, existing(items)).value_or(0), settled);
}

void TestCatalogueRules::newItemNumber_data()
{
    QTest::addColumn<IntList>("items");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("number");   // 0: none
    QTest::newRow("first free above") << IntList{5, 6} << 5 << 7;
    QTest::newRow("the shown number when free") << IntList{5} << 3 << 3;
    IntList upper;
    for (int n = 60; n <= 70; ++n)
        upper << n;
    QTest::newRow("nearest free below when none above") << (upper << 58) << 60 << 59;
    IntList all;
    for (int n = 1; n <= 70; ++n)
        all << n;
    QTest::newRow("all taken") << all << 12 << 0;
}

void TestCatalogueRules::newItemNumber()
{
    QFETCH(IntList, items);
    QFETCH(int, current);
    QFETCH(int, number);
    QCOMPARE(ItemSearch::freeNumberForNewItem(current, existing(items)).value_or(0), number);
}

void TestCatalogueRules::freeNumbersAboveAndBelow_data()
{
    QTest::addColumn<IntList>("items");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("above");   // 0: none
    QTest::addColumn<int>("below");
    QTest::newRow("jumps over neighbours") << IntList{3, 4, 5, 6, 7} << 5 << 8 << 2;
    QTest::newRow("at 70") << IntList{70} << 70 << 0 << 69;
    QTest::newRow("at 1") << IntList{1, 2} << 1 << 3 << 0;
    QTest::newRow("current has no section") << IntList{4} << 5 << 5 << 5;
}

void TestCatalogueRules::freeNumbersAboveAndBelow()
{
    QFETCH(IntList, items);
    QFETCH(int, current);
    QFETCH(int, above);
    QFETCH(int, below);
    QCOMPARE(ItemSearch::freeNumberAbove(current, existing(items)).value_or(0), above);
    QCOMPARE(ItemSearch::freeNumberBelow(current, existing(items)).value_or(0), below);
}

void TestCatalogueRules::moveCarriesNonEmptyKeysInOrder()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z3]", "Webside=w", "Registrer=Ja", "Titel=T", "Spil=ja", "Setup=",
                                        "Other=x", "Global=g", "[Z4]", "Titel=Keep"}));
    ProfileFile catalogue(".\\Z.MQV");
    QVERIFY(ItemMove::moveSection(catalogue, "Z3", "Z9"));
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z4]", "Titel=Keep", "[Z9]", "Spil=ja", "Titel=T", "Global=g",
                                                 "Webside=w", "Registrer=Ja"}));
}

void TestCatalogueRules::moveOfAnEmptyItemKeepsTheItem()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z3]", "Titel=", "Global="}));
    ProfileFile catalogue(".\\Z.MQV");
    QVERIFY(ItemMove::moveSection(catalogue, "Z3", "Z5"));
    QVERIFY(!catalogue.SectionExists("Z3"));
    QVERIFY(catalogue.SectionExists("Z5"));
    QCOMPARE(catalogue.ReadString("Z5", "Titel", "missing"), QString());
}

void TestCatalogueRules::moveNeedsSourceAndFreeDestination()
{
    TempFolder folder;
    const QByteArray before = iniBytes({"[Z3]", "Titel=A", "[Z4]", "Titel=B"});
    folder.writeFile("Z.MQV", before);
    ProfileFile catalogue(".\\Z.MQV");
    QVERIFY(!ItemMove::moveSection(catalogue, "Z3", "Z4"));
    QVERIFY(!ItemMove::moveSection(catalogue, "Z7", "Z8"));
    QCOMPARE(folder.readFile("Z.MQV"), before);
}

void TestCatalogueRules::exchangeSwapsNumbersMoveByMove_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<int>("moves");
    QTest::newRow("occupied target") << iniBytes({"[Z3]", "Titel=A", "[Z5]", "Titel=B"})
                                     << iniBytes({"[Z5]", "Titel=A", "[Z3]", "Titel=B"}) << 3;
    QTest::newRow("free target") << iniBytes({"[Z3]", "Titel=A"}) << iniBytes({"[Z5]", "Titel=A"}) << 1;
}

void TestCatalogueRules::exchangeSwapsNumbersMoveByMove()
{
    QFETCH(QByteArray, before);
    TempFolder folder;
    folder.writeFile("Z.MQV", before);
    ProfileFile catalogue(".\\Z.MQV");
    int moves = 0;
    ItemMove::exchange(catalogue, "Z3", "Z5", [&] { ++moves; });
    QTEST(folder.readFile("Z.MQV"), "after");
    QTEST(moves, "moves");
}

void TestCatalogueRules::importReplacesFixedItems()
{
    TempFolder folder;
    folder.writeFile("Fast.MQV", iniBytes({"[Z23]", "Titel=Never", "[Z24]", "Titel=Fixed", "Spil=Nej", "Global=g",
                                           "Folder=F", "[Z25]", "Titel=Other", "[Z30]", "Titel=", "[Z43]",
                                           "Titel=Never"}));
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Mine", "[Z24]", "Titel=Old", "Registrer=Ja", "[Z25]",
                                        "Titel=Old", "Webside=old", "[Z30]", "Titel=Gone", "[Z31]", "Titel=Stays"}));
    const ProfileFile source(".\\Fast.MQV");
    ProfileFile target(".\\Z.MQV");
    FixedItemImport::importFixedItems(source, target);
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z1]", "Titel=Mine", "[Z31]", "Titel=Stays", "[Z24]", "Spil=Ja",
                                                 "Titel=Fixed", "Folder=F", "Global=g", "[Z25]", "Titel=Other"}));
    QVERIFY(!target.SectionExists("Z30"));
    QVERIFY(!target.SectionExists("Z23"));
}

void TestCatalogueRules::importTwiceEqualsOnce()
{
    TempFolder folder;
    folder.writeFile("Fast.MQV", iniBytes({"[Z24]", "Titel=A", "Galleri=x", "[Z42]", "Titel=B", "Webside=w"}));
    folder.writeFile("Z.MQV", iniBytes({"[Z2]", "Titel=Mine"}));
    const ProfileFile source(".\\Fast.MQV");
    ProfileFile target(".\\Z.MQV");
    FixedItemImport::importFixedItems(source, target);
    const QByteArray once = folder.readFile("Z.MQV");
    FixedItemImport::importFixedItems(source, target);
    QCOMPARE(folder.readFile("Z.MQV"), once);
}

void TestCatalogueRules::categoryListings()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "ZProgram=Ja", "[Z2]", "Titel=B", "Spil=ja", "Barn=JA",
                                        "[Z3]", "Spil=Ja", "[Z4]", "Titel=C", "Internet=Ja", "Galleri=Nope",
                                        "[Z7]", "Titel=D", "Galleri=Ja", "Skole=J a"}));
    ProfileFile catalogue(".\\Z.MQV");
    const CategoryMenus::Contents contents = CategoryMenus::collect(catalogue);
    using CategoryMenus::Menu;
    auto names = [&](Menu menu) {
        QStringList result;
        for (const CategoryMenus::Entry &entry : contents.entries(menu))
            result << entry.objectName + "=" + entry.caption;
        return result;
    };
    QCOMPARE(names(Menu::ZProgrammer), QStringList({"Z1=A"}));
    QCOMPARE(names(Menu::Boern), QStringList({"B2=B"}));
    QCOMPARE(names(Menu::Spil), QStringList({"S2=B"}));
    QCOMPARE(names(Menu::Internet), QStringList({"G4=C"}));
    QCOMPARE(names(Menu::Galleri), QStringList({"V7=D"}));
    QCOMPARE(names(Menu::Skole), QStringList());
    using CategoryMenus::Listing;
    QCOMPARE(contents.lines(Listing::ZProgrammer), QStringList({"A"}));
    QCOMPARE(contents.lines(Listing::JuniorListe), QStringList({"B"}));
    QCOMPARE(contents.lines(Listing::SpilListe), QStringList());
    QCOMPARE(contents.lines(Listing::GalleriListe), QStringList({"C"}));
    QCOMPARE(contents.lines(Listing::VaerkstedListe), QStringList({"D"}));
}

void TestCatalogueRules::eraseCategory()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Spil=ja", "[Z2]", "Titel=B", "Spil=Nej", "[Z3]",
                                        "Titel=C", "Spil=JA", "ZProgram=Ja"}));
    ProfileFile catalogue(".\\Z.MQV");
    CategoryMenus::eraseCategory(catalogue, "Spil");
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z2]", "Titel=B", "Spil=Nej"}));
}

void TestCatalogueRules::entryNumbers()
{
    QCOMPARE(CategoryMenus::itemNumberOfEntry("S7"), 7);
    QCOMPARE(CategoryMenus::itemNumberOfEntry("Z70"), 70);
}

void TestCatalogueRules::folderNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("plain") << "Skak" << true;
    QTest::newRow("nested") << "Programmer\\Skak og m\u00F8lle" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("question mark") << "Hvad?" << false;
    QTest::newRow("colon") << "a:b" << false;
    QTest::newRow("trailing dot") << "Navn." << false;
    QTest::newRow("trailing space") << "Navn " << false;
    QTest::newRow("control character") << "a\tb" << false;
}

void TestCatalogueRules::folderNames()
{
    QFETCH(QString, name);
    QFETCH(bool, allowed);
    QCOMPARE(FolderOperations::isAllowedName(name), allowed);
}

void TestCatalogueRules::createFolderOnlyMakesTheLastLevel()
{
    TempFolder folder;
    folder.makeFolder("Programmer");
    folder.writeFile("Fil", "x");
    QVERIFY(FolderOperations::createFolder("programmer\\Nyt Spil"));
    QVERIFY(QFileInfo(folder.filePath("Programmer/Nyt Spil")).isDir());
    QVERIFY(!FolderOperations::createFolder("Mangler\\Nyt"));
    QVERIFY(!FolderOperations::createFolder("PROGRAMMER\\nyt spil"));
    QVERIFY(!FolderOperations::createFolder("fil"));
    QVERIFY(!FolderOperations::createFolder(""));
}

void TestCatalogueRules::renameFolder()
{
    TempFolder folder;
    folder.writeFile("Gammel/Shot.jpg", "x");
    folder.writeFile("Fil", "x");
    QVERIFY(!FolderOperations::renameFolder("Gammel", "fil"));
    QVERIFY(!FolderOperations::renameFolder("Mangler", "Ny"));
    QVERIFY(!FolderOperations::renameFolder("", "Ny"));
    QVERIFY(FolderOperations::renameFolder("GAMMEL", "Ny"));
    QVERIFY(QFileInfo::exists(folder.filePath("Ny/Shot.jpg")));
    QVERIFY(FolderOperations::renameFolder("ny", "NY"));
    QVERIFY(QFileInfo::exists(folder.filePath("NY/Shot.jpg")));
}

void TestCatalogueRules::otherItemInFolder_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("found"); // 0: none
    QTest::newRow("other letters") << 5 << "PROGRAMMER\\skak" << 1;
    QTest::newRow("the folder above") << 5 << "Programmer\\" << 1;
    QTest::newRow("own folder, a longer name beside it") << 1 << "Programmer\\Skak" << 0;
    QTest::newRow("absolute") << 5 << "%1\\Andet" << 3;
    QTest::newRow("missing folder") << 5 << "Mangler" << 0;
}

void TestCatalogueRules::otherItemInFolder()
{
    QFETCH(int, item);
    QFETCH(QString, name);
    QFETCH(int, found);
    TempFolder folder;
    for (const char *made : {"Programmer/Skak", "Programmer/Skakspil", "Andet"})
        folder.makeFolder(made);
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Folder=Programmer\\Skak", "[Z2]", "Folder=Mangler", "[Z3]",
                                        "Folder=" + QDir::currentPath() + "/Andet", "[Z4]", "Folder=Programmer\\Skakspil"}));
    const ProfileFile catalogue(".\\Z.MQV");
    QCOMPARE(FolderOperations::otherItemInFolder(catalogue, item, name.arg(QDir::currentPath())).value_or(0), found);
}

void TestCatalogueRules::languageFromSetting_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("language");
    QTest::newRow("Dansk") << "Dansk" << 0;
    QTest::newRow("Norsk") << "Norsk" << 1;
    QTest::newRow("Svensk") << "Svensk" << 2;
    QTest::newRow("Finsk") << "Finsk" << 3;
    QTest::newRow("FINSK") << "FINSK" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestCatalogueRules::languageFromSetting()
{
    QFETCH(QString, setting);
    QFETCH(int, language);
    QCOMPARE(int(DescriptionLanguages::fromSetting(setting)), language);
}

void TestCatalogueRules::nearestStorableText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    const QString codePage = u"Tilbeh\u00F8r 10 \u20AC \u2013 \u201Cgratis\u201D \u0081"_qs;
    QTest::newRow("code page") << codePage << codePage;
    QTest::newRow("accents") << u"\u0150rs \u0151 \u010Ce\u0161ky \u1EA0"_qs << u"Ors o Ce\u0161ky A"_qs;
    QTest::newRow("stroke") << u"\u0141\u00F3d\u017A"_qs << u"L\u00F3dz"_qs;
    QTest::newRow("no letter") << u"\u03A9 \u4E2D"_qs << u"? ?"_qs;
    QTest::newRow("outside the basic plane") << u"a\U0001F600b"_qs << u"a?b"_qs;
}

void TestCatalogueRules::nearestStorableText()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QCOMPARE(Windows1252::nearest(text), stored);
    QCOMPARE(Windows1252::decode(Windows1252::encode(stored)), stored);
    QCOMPARE(Windows1252::canEncode(text), text == stored);
}

// What a colleague changed, as the editor showing item 1 tells it.
void TestCatalogueRules::outsideChangeToTheShownItem_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("itemDeleted");
    QTest::addColumn<bool>("titleChanged");
    QTest::addColumn<QString>("notice");
    QTest::newRow("another item") << iniBytes({"[Z1]", "Titel=Skak", "Global=Kort", "[Z2]", "Titel=Ny"}) << false << false << "\u00C6ndret i en anden editor: andre punkter";
    QTest::newRow("the title, quoted") << iniBytes({"[Z1]", "Titel=\"Skak B\"", "Global=Kort"}) << false << true << "\u00C6ndret i en anden editor: Titel";
    QTest::newRow("two keys") << iniBytes({"[Z1]", "Titel=Skak", "Global=Lang", "Spil=Ja"}) << false << false << "\u00C6ndret i en anden editor: Global, Spil";
    QTest::newRow("the item deleted") << iniBytes({"[Z2]", "Titel=Ny"}) << true << true << "\u00C6ndret i en anden editor: Titel, Global";
}

void TestCatalogueRules::outsideChangeToTheShownItem()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, itemDeleted);
    QFETCH(bool, titleChanged);
    QFETCH(QString, notice);
    const ProfileText known(iniBytes({"[Z1]", "Titel=Skak", "Global=Kort"}));
    const OutsideChange change = OutsideChange::between(known, ProfileText(stored), 1);
    QVERIFY(change.anything);
    QCOMPARE(change.itemDeleted, itemDeleted);
    QCOMPARE(change.changed(TextKey::Titel), titleChanged);
    QCOMPARE(change.notice(), notice);
    QVERIFY(!OutsideChange::between(known, known, 1).anything);
}

QTEST_GUILESS_MAIN(TestCatalogueRules)
#include "tst_cataloguerules.moc"
