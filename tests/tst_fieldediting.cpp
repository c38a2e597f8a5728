#include "app/EditMQV.h"
#include "app/WindowColours.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTextEdit>
#include <QtTest>

// Every edit of a field or box is stored at once, file and folder names only when they exist,
// and item folders are created and renamed on disk.
class TestFieldEditing : public QObject {
    Q_OBJECT
private slots:
    void boxesStoreTheirKeys_data();
    void boxesStoreTheirKeys();
    void categoryGroupColourFollowsTheBoxes();
    void boxesOnAMissingItemStoreNothing();
    void textFieldsStoreEveryChange();
    void titleCreatesAMissingSection();
    void setupNameIsStoredOnlyWhenFound();
    void leavingAFieldStoresAgain();
    void fileNameNotYetOnDiskIsStoredOnLeavingTheField();
    void folderTypedThenRenamed();
    void renameOntoAFileRestoresTheStoredName();
    void typingPastAnotherItemsFolderRenamesOnlyTheOwnFolder();
    void typingPastAnExistingFolderRenamesTheShownFolder();
    void foldersOutsideTheTreeAreRefused_data();
    void foldersOutsideTheTreeAreRefused();
    void renameOfAFolderHoldingAnotherItemIsRefused_data();
    void renameOfAFolderHoldingAnotherItemIsRefused();
    void renameWithoutStoredFolderEmptiesTheField();
    void createFolderFromTheTitle();
    void createFolderThatExistsTurnsRed();
    void typingAFolderKeepsTheEditedDescription();
    void leavingTheFolderFieldKeepsTheEditedDescription();
    void fieldsShowOnlyWhatIsStored();
};

namespace {

void clickBox(TMQVEdit &window, const QString &name)
{
    QTest::mouseClick(control<QCheckBox>(&window, name), Qt::LeftButton, {}, QPoint(5, 8));
}

QColor colourOf(TMQVEdit &window, const QString &name)
{
    return WindowColours::fontColour(control<QWidget>(&window, name));
}

} // namespace

void TestFieldEditing::boxesStoreTheirKeys_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("ZProgram") << "ZProgram" << QByteArray("ZProgram=Ja");
    QTest::newRow("Junior") << "Junior" << QByteArray("Barn=Ja");
    QTest::newRow("Vaerksted") << "Vaerksted" << QByteArray("V\xE6rksted=Ja");
    QTest::newRow("Skole") << "Skole" << QByteArray("Skole=Ja");
    QTest::newRow("Tilbehoer") << "Tilbehoer" << QByteArray("Tilbeh\xF8r=Ja");
    QTest::newRow("FuldVersion") << "FuldVersion" << QByteArray("Fuldversion=Ja");
    QTest::newRow("Registrering") << "Registrering" << QByteArray("Registrer=Ja");
}

void TestFieldEditing::boxesStoreTheirKeys()
{
    QFETCH(QString, box);
    QFETCH(QByteArray, line);
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A"}));
    TMQVEdit window;
    clickBox(window, box);
    QCOMPARE(folder.readFile("Z.MQV"), "[Z1]\r\nTitel=A\r\n" + line + "\r\n");
    clickBox(window, box);
    QCOMPARE(folder.readFile("Z.MQV"), QByteArray("[Z1]\r\nTitel=A\r\n"));
}

void TestFieldEditing::categoryGroupColourFollowsTheBoxes()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Spil=Ja"}));
    TMQVEdit window;
    QCOMPARE(colourOf(window, "Kategorier"), WindowColours::black());
    clickBox(window, "Spil");
    QCOMPARE(colourOf(window, "Kategorier"), WindowColours::red());
    clickBox(window, "FuldVersion");
    QCOMPARE(colourOf(window, "Kategorier"), WindowColours::red());
    clickBox(window, "Software");
    QCOMPARE(colourOf(window, "Kategorier"), WindowColours::black());
}

void TestFieldEditing::boxesOnAMissingItemStoreNothing()
{
    TempFolder folder;
    const QByteArray catalogue = iniBytes({"[Z2]", "Titel=B"});
    folder.writeFile("Z.MQV", catalogue);
    TMQVEdit window;
    clickBox(window, "Spil");
    QVERIFY(control<QCheckBox>(&window, "Spil")->isChecked());
    QCOMPARE(colourOf(window, "Kategorier"), WindowColours::red());
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
}

void TestFieldEditing::textFieldsStoreEveryChange()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A"}));
    TMQVEdit window;
    typeInto(window, "KortTekst", "Kort \u00E6\u00F8\u00E5");
    typeInto(window, "InternetEdit", "www.z.dk");
    typeInto(window, "TitelEdit", "Ny titel");
    QCOMPARE(folder.readFile("Z.MQV"), QByteArray("[Z1]\r\nTitel=Ny titel\r\nGlobal=Kort \xE6\xF8\xE5\r\nWebside=www.z.dk\r\n"));
    QCOMPARE(control<QLabel>(&window, "TitelLabel")->text(), QString("Ny titel"));
    // The title bar follows the title as it is typed.
    QCOMPARE(window.ApplicationTitle, QString("R-Irad: Ny titel"));
    QVERIFY(window.windowTitle().contains("R-Irad: Ny titel"));
}

void TestFieldEditing::titleCreatesAMissingSection()
{
    TempFolder folder;
    TMQVEdit window;
    typeInto(window, "TitelEdit", "X");
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z1]", "Titel=X"}));
}

void TestFieldEditing::setupNameIsStoredOnlyWhenFound()
{
    TempFolder root;
    root.writeFile("Udgaver/Norsk/Prog/Setup.exe", "x");
    root.writeFile("Dansk/Prog/Install.exe", "x");
    root.writeFile("Udgaver/Norsk/Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=Prog", "Setup=Old.exe"}));
    QDir::setCurrent(root.filePath("Udgaver/Norsk"));
    TMQVEdit window;
    auto *setup = control<QLineEdit>(&window, "SetupEdit");
    setup->setFocus();
    setup->selectAll();
    QTest::keyClicks(setup, "Setup.ex");
    QCOMPARE(colourOf(window, "SetupEdit"), WindowColours::red());
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Setup", ""), QString("Old.exe"));
    QTest::keyClicks(setup, "e");
    QCOMPARE(colourOf(window, "SetupEdit"), WindowColours::black());
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Setup", ""), QString("Setup.exe"));
    typeInto(window, "SetupEdit", "INSTALL.EXE");
    QCOMPARE(colourOf(window, "SetupEdit"), WindowColours::blue());
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Setup", ""), QString("INSTALL.EXE"));
    typeInto(window, "SetupEdit", "");
    QCOMPARE(colourOf(window, "SetupEdit"), WindowColours::black());
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Setup", "missing"), QString());
}

void TestFieldEditing::leavingAFieldStoresAgain()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Global=g"}));
    TMQVEdit window;
    // Another program changed the value meanwhile; leaving the field stores what it shows.
    window.CatalogueFile->WriteString("Z1", "Global", "changed elsewhere");
    leaveField(window, "KortTekst");
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Global", ""), QString("g"));
}

// The catalogue is filled in before the program's files arrive: the name the user leaves the field
// with is kept, red as any stored name whose file is missing.
void TestFieldEditing::fileNameNotYetOnDiskIsStoredOnLeavingTheField()
{
    TempFolder folder;
    folder.makeFolder("Prog");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=Prog", "Run=Old.exe", "[Z2]", "Titel=B"}));
    TMQVEdit window;
    auto *run = control<QLineEdit>(&window, "RunEdit");
    run->setFocus();
    run->selectAll();
    QTest::keyClicks(run, "Kommer.exe");
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Run", ""), QString("Old.exe"));
    leaveField(window, "RunEdit");
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Run", ""), QString("Kommer.exe"));
    stepForward(window);
    stepBack(window);
    QCOMPARE(run->text(), QString("Kommer.exe"));
    QCOMPARE(colourOf(window, "RunEdit"), WindowColours::red());
}

void TestFieldEditing::folderTypedThenRenamed()
{
    TempFolder folder;
    folder.writeFile("Gammel/Shot.jpg", "x");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=Gammel"}));
    TMQVEdit window;
    typeInto(window, "FolderEdit", "Nyt navn");
    QCOMPARE(colourOf(window, "FolderEdit"), WindowColours::red());
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Folder", ""), QString("Gammel"));
    clickButton(window, "Omdoeb");
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Folder", ""), QString("Nyt navn"));
    QCOMPARE(colourOf(window, "FolderEdit"), WindowColours::black());
    QVERIFY(QFile::exists(folder.filePath("Nyt navn/Shot.jpg")));
    QVERIFY(!QFile::exists(folder.filePath("Gammel")));
}

void TestFieldEditing::renameOntoAFileRestoresTheStoredName()
{
    TempFolder folder;
    folder.makeFolder("Gammel");
    folder.writeFile("Fil", "x");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=Gammel"}));
    TMQVEdit window;
    typeInto(window, "FolderEdit", "Fil");
    clickButton(window, "Omdoeb");
    QCOMPARE(control<QLineEdit>(&window, "FolderEdit")->text(), QString("Gammel"));
    QCOMPARE(colourOf(window, "FolderEdit"), WindowColours::black());
    QVERIFY(QFileInfo(folder.filePath("Gammel")).isDir());
}

// On its way to "Programmer\\Skakspil" the typed name names item 1's folder and the folder above
// it; neither becomes this item's folder, so the rename moves only the folder this item made.
void TestFieldEditing::typingPastAnotherItemsFolderRenamesOnlyTheOwnFolder()
{
    TempFolder folder;
    const QByteArray description("{\\rtf1 Skak\\par}");
    folder.writeFile("Programmer/Skak/DK.RTF", description);
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Skakmester Deluxe", "Folder=Programmer\\Skak"}));
    TMQVEdit window;
    addItem(window);
    typeInto(window, "TitelEdit", "Nyt Program");
    clickButton(window, "OpretNavn");
    typeInto(window, "FolderEdit", "Programmer\\Skakspil");
    QCOMPARE(window.CatalogueFile->ReadString("Z2", "Folder", ""), QString("Nyt Program"));
    QCOMPARE(control<QTextEdit>(&window, "Beskriv")->toPlainText(), QString());
    clickButton(window, "Omdoeb");
    QVERIFY(QFileInfo(folder.filePath("Programmer/Skakspil")).isDir());
    QVERIFY(!QFileInfo::exists(folder.filePath("Nyt Program")));
    QCOMPARE(folder.readFile("Programmer/Skak/DK.RTF"), description);
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z1]", "Titel=Skakmester Deluxe", "Folder=Programmer\\Skak", "[Z2]",
                                                "Titel=Nyt Program", "Folder=Programmer\\Skakspil"}));
}

// "Programm" is an unused folder beside the item's own: typing "Programmer" passes it, which
// must not make it the folder that Omdøb renames.
void TestFieldEditing::typingPastAnExistingFolderRenamesTheShownFolder()
{
    TempFolder folder;
    folder.writeFile("Gammel/Shot.jpg", "x");
    folder.makeFolder("Programm");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=Gammel"}));
    TMQVEdit window;
    typeInto(window, "FolderEdit", "Programmer");
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Folder", ""), QString("Gammel"));
    clickButton(window, "Omdoeb");
    QVERIFY(QFile::exists(folder.filePath("Programmer/Shot.jpg")));
    QVERIFY(QFileInfo(folder.filePath("Programm")).isDir());
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Folder", ""), QString("Programmer"));
}

// A folder outside the catalogue's tree is never the item's: typed, it stays red and unstored;
// stored by someone else, nothing is written, created or renamed there.
void TestFieldEditing::foldersOutsideTheTreeAreRefused_data()
{
    QTest::addColumn<QString>("outsideFolder");
    QTest::newRow("..") << "..\\udenfor";
    QTest::newRow("absolute") << "ABSOLUTE";
    QTest::newRow("link out of the tree") << "Link";
}

void TestFieldEditing::foldersOutsideTheTreeAreRefused()
{
    QFETCH(QString, outsideFolder);
    TempFolder folder;
    QTemporaryDir outside;
    QVERIFY(QDir().mkpath(outside.filePath("udenfor")));
    folder.makeFolder("Egen/Kat");
    QVERIFY(QDir::setCurrent(folder.filePath("Egen/Kat")));
    QVERIFY(QFile::link(outside.filePath("udenfor"), "Link"));
    if (outsideFolder == "ABSOLUTE")
        outsideFolder = outside.filePath("udenfor");
    const QString relative = QDir::current().relativeFilePath(outside.filePath("udenfor"));
    if (outsideFolder.startsWith(".."))
        outsideFolder = QString(relative).replace('/', '\\');
    QVERIFY(QFile(outside.filePath("udenfor/DK.RTF")).open(QIODevice::WriteOnly));
    const QByteArray catalogue = iniBytes({"[Z1]", "Titel=A", "Folder=" + outsideFolder});
    QFile file("Z.MQV");
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(catalogue) > 0);
    file.close();
    TMQVEdit window;
    QCOMPARE(colourOf(window, "FolderEdit"), WindowColours::red());
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel3")->text(), QString("Uden for kataloget"));
    QVERIFY(control<QTextEdit>(&window, "Beskriv")->isReadOnly());
    typeInto(window, "FolderEdit", "Nyt");
    clickButton(window, "Omdoeb");
    QVERIFY(QFileInfo(outside.filePath("udenfor")).isDir());
    QVERIFY(!QFileInfo::exists("Nyt"));
    typeInto(window, "TitelEdit", "..\\..\\lavet");
    clickButton(window, "OpretNavn");
    QVERIFY(!QFileInfo::exists(folder.filePath("lavet")));
    QCOMPARE(QFileInfo(outside.filePath("udenfor/DK.RTF")).size(), 0);
}

void TestFieldEditing::renameOfAFolderHoldingAnotherItemIsRefused_data()
{
    QTest::addColumn<QString>("storedFolder");
    QTest::newRow("the same folder") << "programmer\\skak";
    QTest::newRow("the folder above") << "Programmer";
}

void TestFieldEditing::renameOfAFolderHoldingAnotherItemIsRefused()
{
    QFETCH(QString, storedFolder);
    TempFolder folder;
    folder.writeFile("Programmer/Skak/Shot.jpg", "x");
    const QByteArray catalogue = iniBytes({"[Z1]", "Titel=Skakmester Deluxe", "Folder=Programmer\\Skak", "[Z2]",
                                           "Titel=Andet", "Folder=" + storedFolder});
    folder.writeFile("Z.MQV", catalogue);
    TMQVEdit window;
    stepForward(window);
    typeInto(window, "FolderEdit", "Omd\u00F8bt");
    MessageBoxAnswer answer(QMessageBox::Ok);
    clickButton(window, "Omdoeb");
    QCOMPARE(answer.count(), 1);
    QCOMPARE(answer.text(), "Mappen \"" + storedFolder + "\" omd\u00F8bes ikke: punkt 1, \"Skakmester Deluxe\", har sine filer i den.");
    QCOMPARE(answer.icon(), QMessageBox::Warning);
    QVERIFY(QFileInfo::exists(folder.filePath("Programmer/Skak/Shot.jpg")));
    QVERIFY(!QFileInfo::exists(folder.filePath("Omd\u00F8bt")));
    QCOMPARE(control<QLineEdit>(&window, "FolderEdit")->text(), storedFolder);
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
}

void TestFieldEditing::renameWithoutStoredFolderEmptiesTheField()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A"}));
    TMQVEdit window;
    typeInto(window, "FolderEdit", "Ny");
    clickButton(window, "Omdoeb");
    QCOMPARE(control<QLineEdit>(&window, "FolderEdit")->text(), QString());
    QCOMPARE(colourOf(window, "FolderEdit"), WindowColours::red());
    QVERIFY(!QFile::exists(folder.filePath("Ny")));
}

void TestFieldEditing::createFolderFromTheTitle()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Skak og m\u00F8lle"}));
    TMQVEdit window;
    clickButton(window, "OpretNavn");
    QVERIFY(QFileInfo(folder.filePath("Skak og m\u00F8lle")).isDir());
    QCOMPARE(control<QLineEdit>(&window, "FolderEdit")->text(), QString("Skak og m\u00F8lle"));
    QCOMPARE(colourOf(window, "FolderEdit"), WindowColours::black());
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Folder", ""), QString("Skak og m\u00F8lle"));
    QCOMPARE(control<QGroupBox>(&window, "Grafik")->title(), QString("Intet"));
    QCOMPARE(control<QTextEdit>(&window, "Beskriv")->toPlainText(), QString());
}

void TestFieldEditing::createFolderThatExistsTurnsRed()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.makeFolder("Andet");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=Andet"}));
    TMQVEdit window;
    QCOMPARE(colourOf(window, "FolderEdit"), WindowColours::black());
    clickButton(window, "OpretNavn");
    QCOMPARE(colourOf(window, "FolderEdit"), WindowColours::red());
    QCOMPARE(control<QLineEdit>(&window, "FolderEdit")->text(), QString("Andet"));
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Folder", ""), QString("Andet"));
}

void TestFieldEditing::typingAFolderKeepsTheEditedDescription()
{
    TempFolder folder;
    folder.makeFolder("Gammel");
    folder.makeFolder("Ny");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=Gammel"}));
    TMQVEdit window;
    auto *description = control<QTextEdit>(&window, "Beskriv");
    description->setFocus();
    QTest::keyClicks(description, "Skrevet tekst");
    typeInto(window, "FolderEdit", "Ny");
    leaveField(window, "FolderEdit");
    QVERIFY(folder.readFile("Gammel/DK.RTF").contains("Skrevet tekst"));
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Folder", ""), QString("Ny"));
    QCOMPARE(description->toPlainText(), QString());
}

void TestFieldEditing::leavingTheFolderFieldKeepsTheEditedDescription()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", "{\\rtf1 Fra disken\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    auto *description = control<QTextEdit>(&window, "Beskriv");
    description->moveCursor(QTextCursor::End);
    QTest::keyClicks(description, " og tilfoejet");
    leaveField(window, "FolderEdit");
    QVERIFY(description->toPlainText().contains("Fra disken og tilfoejet"));
    QVERIFY(folder.readFile("A/DK.RTF").contains("og tilfoejet"));
}

// A character the catalogue cannot hold is refused as it is typed and replaced when pasted, so
// the field never shows anything but what comes back.
void TestFieldEditing::fieldsShowOnlyWhatIsStored()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "[Z2]", "Titel=B"}));
    TMQVEdit window;
    typeInto(window, "TitelEdit", "Kr");
    auto *title = control<QLineEdit>(&window, "TitelEdit");
    for (const QString &typed : {u"\u0151"_qs, u"\U0001F600"_qs, u"o"_qs}) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, typed);
        QCoreApplication::sendEvent(title, &key);
    }
    QCOMPARE(title->text(), QString("Kro"));
    QGuiApplication::clipboard()->setText(u" \u0141\u00F3d\u017A \u0151 \U0001F600!"_qs);
    QTest::keyClick(title, Qt::Key_V, Qt::ControlModifier);
    const QString shown = title->text();
    QCOMPARE(shown, u"Kro L\u00F3dz o ?!"_qs);
    stepForward(window);
    stepBack(window);
    QCOMPARE(title->text(), shown);
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Titel", ""), shown);
}

QTEST_MAIN(TestFieldEditing)
#include "tst_fieldediting.moc"
