#include "app/EditMQV.h"
#include "description/RtfReader.h"
#include "description/RtfWriter.h"
#include "support/DocumentDump.h"
#include "support/EditorTesting.h"
#include "support/RtfCorpus.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextEdit>
#include <QtTest>

// The description of each language: which file is shown, when it is saved and under which
// name, switching language, deleting the file and pasting the short text.
class TestDescriptions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void fileNameDependsOnHowTheLanguageWasChosen();
    void existingFileInOtherCaseIsReplacedInPlace();
    void switchingLanguageKeepsTheEdits();
    void choosingTheCurrentLanguageRevertsToDisk();
    void choosingTheCurrentLanguageReadsAFileChangedOnDisk();
    void languageButtonsShowStatusAndPressedState();
    void movingToTheNextItemSavesIntoTheOldFolder();
    void nothingIsWrittenWithoutAFolder();
    void plainTextFileIsShownAndSavedAsRtfOnceEdited();
    void browsingLeavesEveryDescriptionAsItWas();
    void nextDescriptionIsShownFromItsStart();
    void longDescriptionReadInPartsSavesAsReadWhole_data();
    void longDescriptionReadInPartsSavesAsReadWhole();
    void newDescriptionStartsFromTheDefaultFormat();
    void savedDescriptionKeepsItsLanguageTags_data();
    void savedDescriptionKeepsItsLanguageTags();
    void unreadableFileIsShownReadOnlyAndKept_data();
    void unreadableFileIsShownReadOnlyAndKept();
    void unwritableDescriptionIsShownReadOnly_data();
    void unwritableDescriptionIsShownReadOnly();
    void translatorWritesTheDescriptionsOfAReadOnlyCatalogue();
    void statusNamesTheDescriptionFileAsOnDiskAfterAMenuJump();
    void failedSaveIsReportedAndTheTextKept_data();
    void failedSaveIsReportedAndTheTextKept();
    void deletingLeavesNothingInTheCatalogueTree_data();
    void deletingLeavesNothingInTheCatalogueTree();
    void deleteMovesTheFileToTheTrash();
    void deleteWithoutAFileEmptiesTheEditor();
    void pasteStoresTheFirstLineAndSaves();
    void closingTheWindowSavesTheDescription();
    void pastedRichTextShowsWhatLeavingKeeps();

private:
    QTemporaryDir trash_;
};

namespace {

QStringList filesIn(const QString &path)
{
    return QDir(path).entryList(QDir::Files, QDir::Name);
}

// Far more than the head shown at once: paragraphs in several formats, list items numbered on and
// tables, so that reading in parts stops and goes on inside each of them.
QByteArray longDescription()
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
                     "{\\colortbl ;\\red255\\green0\\blue0;}\\pard\\f0\\fs20 ";
    for (int part = 1; part <= 300; ++part) {
        const QByteArray number = QByteArray::number(part);
        rtf += "Afsnit " + number + " om {\\b bl\\'e5b\\'e6r}{\\f1\\i gr\\'f8d} og {\\cf1\\fs24 \\'c6r\\'f8}.\\par\r\n";
        rtf += "{\\pntext\\f0 " + number + ".\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent360\\pnstart1\\pndec"
               "{\\pntxta.}}\\fi-360\\li720 Punkt " + number + "\\par\\pard\r\n";
        if (part % 10 == 0)
            rtf += "\\trowd\\cellx2000\\cellx4000 Celle\\cell " + number + "\\cell\\row\\pard\r\n";
    }
    return rtf + "}";
}

} // namespace

void TestDescriptions::init()
{
    // Deleted descriptions go to a trash of the test's own.
    qputenv("XDG_DATA_HOME", trash_.path().toUtf8());
}

void TestDescriptions::fileNameDependsOnHowTheLanguageWasChosen()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.makeFolder("B");
    folder.writeFile("Z.MQV", iniBytes({"[Generelt]", "Sprog=Norsk", "[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B",
                                        "Folder=B"}));
    TMQVEdit window;
    typeDescription(window, "Hei");
    stepForward(window);
    QCOMPARE(filesIn(folder.filePath("A")), QStringList({"No.RTF"}));
    clickToolButton(window, "BrugNorsk");
    typeDescription(window, "Hei igjen");
    stepForward(window);
    QCOMPARE(filesIn(folder.filePath("B")), QStringList({"No.rtf"}));
}

void TestDescriptions::existingFileInOtherCaseIsReplacedInPlace()
{
    TempFolder folder;
    folder.writeFile("A/dk.RTF", "{\\rtf1 Gammel\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B"}));
    TMQVEdit window;
    QVERIFY(shownDescription(window).contains("Gammel"));
    typeDescription(window, " Ny");
    stepForward(window);
    QCOMPARE(filesIn(folder.filePath("A")), QStringList({"dk.RTF"}));
    QVERIFY(folder.readFile("A/dk.RTF").contains("Ny"));
}

void TestDescriptions::switchingLanguageKeepsTheEdits()
{
    TempFolder folder;
    folder.writeFile("A/SV.rtf", "{\\rtf1 Svensk text\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    typeDescription(window, "Dansk tekst");
    clickToolButton(window, "BrugSvensk");
    QVERIFY(folder.readFile("A/DK.RTF").contains("Dansk tekst"));
    QVERIFY(shownDescription(window).contains("Svensk text"));
    QCOMPARE(window.DescriptionFileName, QString("Sv.rtf"));
    QCOMPARE(int(window.CurrentLanguage), 2);
}

void TestDescriptions::choosingTheCurrentLanguageRevertsToDisk()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", "{\\rtf1 Paa disken\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    typeDescription(window, " redigeret");
    clickToolButton(window, "BrugDansk");
    QVERIFY(shownDescription(window).contains("Paa disken"));
    QVERIFY(!shownDescription(window).contains("redigeret"));
    QVERIFY(!folder.readFile("A/DK.RTF").contains("redigeret"));
}

void TestDescriptions::choosingTheCurrentLanguageReadsAFileChangedOnDisk()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", "{\\rtf1 Foer\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    QVERIFY(shownDescription(window).contains("Foer"));
    folder.writeFile("A/DK.RTF", "{\\rtf1 Efter en anden rettelse\\par}");
    clickToolButton(window, "BrugDansk");
    QVERIFY(shownDescription(window).contains("Efter en anden rettelse"));
}

void TestDescriptions::languageButtonsShowStatusAndPressedState()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Generelt]", "Sprog=Finsk"}));
    TMQVEdit window;
    auto *status = control<QLabel>(&window, "ZStatusPanel0");
    QCOMPARE(status->text(), QString("Sprog: Finnsk"));
    const QList<std::pair<QString, QString>> buttons = {
        {"BrugFinsk", "Sprog: Finsk"}, {"BrugDansk", "Sprog: Dansk"}, {"BrugNorsk", "Sprog: Norsk"},
        {"BrugSvensk", "Sprog: Svensk"}};
    for (const auto &[button, text] : buttons) {
        clickToolButton(window, button);
        QCOMPARE(status->text(), text);
        for (const QString &other : {"BrugDansk", "BrugNorsk", "BrugSvensk", "BrugFinsk"})
            QCOMPARE(control<QAction>(&window, other)->isChecked(), other == button);
    }
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Generelt]", "Sprog=Finsk"}));
}

void TestDescriptions::movingToTheNextItemSavesIntoTheOldFolder()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.writeFile("B/DK.RTF", "{\\rtf1 B's tekst\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B", "Folder=B"}));
    TMQVEdit window;
    typeDescription(window, "Om A");
    stepForward(window);
    QVERIFY(folder.readFile("A/DK.RTF").contains("Om A"));
    QVERIFY(shownDescription(window).contains("B's tekst"));
    QVERIFY(!folder.readFile("B/DK.RTF").contains("Om A"));
}

void TestDescriptions::nothingIsWrittenWithoutAFolder()
{
    if (QFile::exists("/DK.RTF"))
        QSKIP("a description file lies at the root already");
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=Mangler", "[Z2]", "Titel=B", "[Z3]", "Titel=C"}));
    TMQVEdit window;
    typeDescription(window, "Tabt");
    stepForward(window);
    typeDescription(window, "Ingen mappe");
    stepForward(window);
    trashDescription(window);
    QVERIFY(!QFile::exists("/DK.RTF"));
    QCOMPARE(filesIn(folder.path()), QStringList({"Z.MQV"}));
}

void TestDescriptions::plainTextFileIsShownAndSavedAsRtfOnceEdited()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", "Almindelig tekst\r\nAnden linje\r\n");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B"}));
    TMQVEdit window;
    QVERIFY(shownDescription(window).startsWith("Almindelig tekst\nAnden linje"));
    stepForward(window);
    stepBack(window);
    QCOMPARE(folder.readFile("A/DK.RTF"), QByteArray("Almindelig tekst\r\nAnden linje\r\n"));
    typeDescription(window, "!");
    stepForward(window);
    QVERIFY(folder.readFile("A/DK.RTF").startsWith("{\\rtf1"));
}

namespace {

// Every file under the folder, by relative path, with its bytes.
QMap<QString, QByteArray> filesUnder(const QString &path)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
        files.insert(QDir(path).relativeFilePath(file.fileName()), bytes);
    }
    return files;
}

QMap<QString, QByteArray> descriptionsUnder(const QString &path)
{
    QMap<QString, QByteArray> files = filesUnder(path);
    files.remove("Z.MQV");
    return files;
}

} // namespace

// Real files from Windows carry lists, tables and links the editor cannot keep: looking at them
// must not rewrite them, and no file may appear where nobody wrote.
void TestDescriptions::browsingLeavesEveryDescriptionAsItWas()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", RtfCorpus::read("riched20-10.0.15063_bullets-numbering-indents.rtf"));
    folder.writeFile("A/No.RTF", RtfCorpus::read("msftedit-5.41_table-rows-umlauts.rtf"));
    folder.writeFile("B/sv.rtf", RtfCorpus::read("msftedit-5.41_hyperlink-field.rtf"));
    folder.writeFile("B/DK.RTF", "Almindelig tekst\r\n");
    folder.makeFolder("C");
    folder.makeFolder("D/E");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B", "Folder=B", "[Z3]",
                                        "Titel=C", "Folder=C"}));
    const QMap<QString, QByteArray> before = descriptionsUnder(folder.path());
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (const char *button : {"ToolButton10", "ToolButton10", "ToolButton8", "ToolButton8", "ToolButton8"})
        clickToolButton(window, button);
    for (int item = 0; item < 3; ++item) {
        for (const char *language : {"BrugNorsk", "BrugSvensk", "BrugFinsk", "BrugDansk", "BrugDansk"})
            clickToolButton(window, language);
        stepForward(window);
    }
    control<QSpinBox>(&window, "Nummer")->setValue(3);
    typeInto(window, "FolderEdit", "D\\E");
    leaveField(window, "FolderEdit");
    stepForward(window);
    window.close();
    QCOMPARE(window.CatalogueFile->ReadString("Z3", "Folder", ""), QString("D\\E"));
    QCOMPARE(descriptionsUnder(folder.path()), before);
}

// The user leaves a long description scrolled down with text selected; the next one is shown from
// its first line, nothing selected, and typing goes to its start.
void TestDescriptions::nextDescriptionIsShownFromItsStart()
{
    TempFolder folder;
    QByteArray longRtf = "{\\rtf1\\ansi ";
    for (int line = 1; line <= 200; ++line)
        longRtf += "Linje " + QByteArray::number(line) + " med {\\b fed} tekst\\par\r\n";
    folder.writeFile("A/DK.RTF", longRtf + "}");
    folder.writeFile("B/DK.RTF", longRtf + "}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B", "Folder=B"}));
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *description = control<QTextEdit>(&window, "Beskriv");
    description->setFocus();
    description->moveCursor(QTextCursor::End);
    description->moveCursor(QTextCursor::Up, QTextCursor::KeepAnchor);
    QVERIFY(description->verticalScrollBar()->value() > 0);
    stepForward(window);
    QCOMPARE(description->verticalScrollBar()->value(), 0);
    QVERIFY(!description->textCursor().hasSelection());
    description->setFocus();
    QTest::keyClicks(description, "Ny ");
    QVERIFY(shownDescription(window).startsWith("Ny Linje 1 med fed tekst\nLinje 2"));
}

// A long description is shown from its start and read on from the event loop; whatever the user
// does meanwhile, what is saved is what reading the whole file at once and doing the same gives:
// text typed at the end goes to the end of the whole description.
void TestDescriptions::longDescriptionReadInPartsSavesAsReadWhole_data()
{
    QTest::addColumn<bool>("steppedAwayFirst");
    QTest::addColumn<bool>("waitedForTheRest");
    QTest::newRow("typed while it is read") << false << false;
    QTest::newRow("typed once it is read") << false << true;
    QTest::newRow("stepped away while it is read, then back and typed") << true << false;
}

void TestDescriptions::longDescriptionReadInPartsSavesAsReadWhole()
{
    QFETCH(bool, steppedAwayFirst);
    QFETCH(bool, waitedForTheRest);
    TempFolder folder;
    const QByteArray file = longDescription();
    folder.writeFile("A/DK.RTF", file);
    folder.writeFile("B/DK.RTF", file);
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B", "Folder=B"}));
    QTextDocument whole;
    RtfReader::read(file, whole);
    QTextCursor end(&whole);
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral(" Slut"));
    const QByteArray expected = RtfWriter::write(whole, DescriptionLanguages::info(DescriptionLanguage::Dansk).windowsLanguage);

    // The rest is read only while the event loop runs.
    TMQVEdit window;
    auto *description = control<QTextEdit>(&window, "Beskriv");
    const auto shownInPart = [&] {
        const int paragraphs = description->document()->blockCount();
        return paragraphs >= 30 && paragraphs < whole.blockCount();
    };
    if (steppedAwayFirst) {
        QVERIFY(shownInPart());
        stepForward(window);
        QCOMPARE(folder.readFile("A/DK.RTF"), file);
        stepBack(window);
    }
    QVERIFY(shownInPart());
    if (waitedForTheRest)
        QTRY_COMPARE(description->document()->blockCount(), whole.blockCount());
    description->setFocus();
    QTest::keyClick(description, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(description, " Slut");
    stepForward(window);
    QCOMPARE(folder.readFile("A/DK.RTF"), expected);
}

// The format of the text shown before, a 12 pt bold heading in a centred paragraph here, is not
// the format of a description that has none yet.
void TestDescriptions::newDescriptionStartsFromTheDefaultFormat()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\qc\\b\\f0\\fs24 Overskrift\\b0\\par}");
    folder.makeFolder("B");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B", "Folder=B"}));
    TMQVEdit window;
    stepForward(window);
    auto *description = control<QTextEdit>(&window, "Beskriv");
    description->setFocus();
    QTest::keyClicks(description, "Ny");
    stepBack(window);
    const QByteArray saved = folder.readFile("B/DK.RTF");
    QVERIFY2(saved.contains("\\pard\\f0\\fs16 Ny\\par"), saved.constData());
}

void TestDescriptions::savedDescriptionKeepsItsLanguageTags_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("file"); // empty: none yet
    QTest::addColumn<QByteArray>("tags");
    QTest::newRow("new Danish") << "Dansk" << "DK.RTF" << QByteArray() << QByteArray("\\deflang1030{");
    QTest::newRow("new Norwegian") << "Norsk" << "No.RTF" << QByteArray() << QByteArray("\\deflang1044{");
    QTest::newRow("new Swedish") << "Svensk" << "Sv.RTF" << QByteArray() << QByteArray("\\deflang1053{");
    QTest::newRow("new Finnish") << "Finsk" << "Fi.RTF" << QByteArray() << QByteArray("\\deflang1035{");
    QTest::newRow("Norwegian") << "Norsk" << "No.RTF" << QByteArray("{\\rtf1\\ansi\\deflang1044 Hei\\par}")
                               << QByteArray("\\deflang1044{");
    // Written on an English Windows with a Norwegian keyboard.
    QTest::newRow("English Windows") << "Norsk" << "No.RTF"
                                     << QByteArray("{\\rtf1\\ansi\\deflang1033{\\fonttbl{\\f0 Arial;}}\\f0\\lang1044 Hei\\par}")
                                     << QByteArray("\\deflang1033{");
}

void TestDescriptions::savedDescriptionKeepsItsLanguageTags()
{
    QFETCH(QString, language);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, tags);
    TempFolder folder;
    folder.makeFolder("A");
    if (!file.isEmpty())
        folder.writeFile("A/" + fileName, file);
    folder.writeFile("Z.MQV", iniBytes({"[Generelt]", "Sprog=" + language, "[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B"}));
    TMQVEdit window;
    typeDescription(window, " igjen");
    stepForward(window);
    const QByteArray saved = folder.readFile("A/" + fileName);
    QVERIFY2(saved.contains(tags), saved.constData());
    QVERIFY2(saved.contains(file.contains("\\lang1044") ? "\\lang1044 Hei igjen\\par" : " igjen\\par"), saved.constData());
}

void TestDescriptions::unreadableFileIsShownReadOnlyAndKept_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size");
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) % 256));
    QTest::newRow("binary data") << garbage << qint64(garbage.size());
    QTest::newRow("far too large") << QByteArray("{\\rtf1 ") << qint64(17 * 1024 * 1024);
}

void TestDescriptions::unreadableFileIsShownReadOnlyAndKept()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, size);
    TempFolder folder;
    folder.writeFile("A/DK.RTF", bytes);
    QVERIFY(QFile::resize(folder.filePath("A/DK.RTF"), size));
    const QByteArray original = folder.readFile("A/DK.RTF");
    folder.writeFile("B/DK.RTF", "{\\rtf1 B\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B", "Folder=B"}));
    TMQVEdit window;
    auto *description = control<QTextEdit>(&window, "Beskriv");
    QVERIFY(description->isReadOnly());
    QCOMPARE(description->toPlainText(), QString());
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel1")->text(), QString("A\\DK.RTF"));
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel3")->text(), QString("Kan ikke l\u00E6ses"));
    typeDescription(window, "Skrevet");
    clickButton(window, "Fed");
    clickToolButton(window, "BrugNorsk");
    clickToolButton(window, "BrugDansk");
    stepForward(window);
    QVERIFY(!description->isReadOnly());
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel3")->text(), QString("Status"));
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel1")->text(), QString("B\\DK.RTF"));
    window.close();
    QVERIFY(folder.readFile("A/DK.RTF") == original);
    QCOMPARE(filesIn(folder.filePath("A")), QStringList({"DK.RTF"}));
}

// The catalogue is locked, and shows it; the description files beside it are still written.
void TestDescriptions::translatorWritesTheDescriptionsOfAReadOnlyCatalogue()
{
    TempFolder folder;
    folder.writeFile("A/No.RTF", "{\\rtf1 Norsk\\par}");
    const QByteArray catalogue = iniBytes({"[Generelt]", "Sprog=Norsk", "[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=C"});
    folder.writeFile("Z.MQV", catalogue);
    QFile::setPermissions(folder.filePath("Z.MQV"), QFile::ReadOwner);
    TMQVEdit window;
    window.show();
    auto *shortText = control<QLineEdit>(&window, "KortTekst");
    QVERIFY(shortText->isReadOnly());
    QCOMPARE(shortText->palette().color(QPalette::Base), window.palette().color(QPalette::Window));
    QVERIFY(!control<QAction>(&window, "NytPunkt")->isEnabled());
    QVERIFY(control<QAction>(&window, "SletRTF")->isEnabled());
    QVERIFY(!control<QTextEdit>(&window, "Beskriv")->isReadOnly());
    typeDescription(window, "Oversat");
    stepForward(window);
    QVERIFY(folder.readFile("A/No.RTF").contains("Oversat"));
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
}

void TestDescriptions::statusNamesTheDescriptionFileAsOnDiskAfterAMenuJump()
{
    TempFolder folder;
    folder.writeFile("A/NO.RTF", "{\\rtf1 Norsk\\par}");
    folder.makeFolder("B");
    folder.writeFile("Z.MQV", iniBytes({"[Generelt]", "Sprog=Norsk", "[Z1]", "Titel=A", "Folder=A", "Spil=Ja", "[Z2]",
                                        "Titel=B", "Folder=B", "Spil=Ja"}));
    TMQVEdit window;
    auto *panel = control<QLabel>(&window, "ZStatusPanel1");
    control<QAction>(&window, "S2")->trigger();
    QCOMPARE(panel->text(), QString("B\\No.RTF: ingen fil"));
    control<QAction>(&window, "S1")->trigger();
    QCOMPARE(panel->text(), QString("A\\NO.RTF"));
}

void TestDescriptions::unwritableDescriptionIsShownReadOnly_data()
{
    QTest::addColumn<QString>("readOnly");
    QTest::addColumn<QString>("status");
    QTest::newRow("read-only file") << "A/No.RTF" << "Kan ikke gemmes";
    QTest::newRow("read-only folder, no file yet") << "B" << "Kan ikke gemmes";
}

// As on a disc: what cannot be written cannot be typed, so neither leaving nor closing fails.
void TestDescriptions::unwritableDescriptionIsShownReadOnly()
{
    QFETCH(QString, readOnly);
    QFETCH(QString, status);
    TempFolder folder;
    folder.writeFile("A/No.RTF", "{\\rtf1 Norsk\\par}");
    folder.makeFolder("B");
    const QString shownFolder = readOnly == "B" ? "B" : "A";
    folder.writeFile("Z.MQV", iniBytes({"[Generelt]", "Sprog=Norsk", "[Z1]", "Titel=A", "Folder=" + shownFolder,
                                        "[Z2]", "Titel=C"}));
    const QMap<QString, QByteArray> before = filesUnder(folder.path());
    QFile::setPermissions(folder.filePath(readOnly), QFile::ReadOwner | QFile::ExeOwner);
    TMQVEdit window;
    window.show();
    auto *description = control<QTextEdit>(&window, "Beskriv");
    QVERIFY(description->isReadOnly());
    QVERIFY(!control<QAction>(&window, "SletRTF")->isEnabled());
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel3")->text(), status);
    typeDescription(window, "Skrevet");
    QVERIFY(!description->document()->isModified());
    MessageBoxAnswer answer(QMessageBox::Ok);
    stepForward(window);
    stepBack(window);
    QVERIFY(window.close());
    QCOMPARE(answer.count(), 0);
    QFile::setPermissions(folder.filePath(readOnly), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(filesUnder(folder.path()), before);
}

void TestDescriptions::failedSaveIsReportedAndTheTextKept_data()
{
    QTest::addColumn<bool>("removeFolder");
    QTest::newRow("folder gone") << true;
    QTest::newRow("file made read-only") << false;
}

// Leaving the item says why the text stays; closing asks once at each attempt whether to close
// without it.
void TestDescriptions::failedSaveIsReportedAndTheTextKept()
{
    QFETCH(bool, removeFolder);
    TempFolder folder;
    folder.writeFile("A/DK.RTF", "{\\rtf1 Gammel\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B"}));
    TMQVEdit window;
    typeDescription(window, " og ny");
    if (removeFolder)
        QVERIFY(QDir(folder.filePath("A")).removeRecursively());
    else
        QFile::setPermissions(folder.filePath("A/DK.RTF"), QFile::ReadOwner);
    {
        MessageBoxAnswer answer(QMessageBox::Ok);
        stepForward(window);
        QCOMPARE(answer.count(), 1);
        QCOMPARE(answer.icon(), QMessageBox::Critical);
        QCOMPARE(answer.text(), QString("Unable to write to A\\DK.RTF."));
    }
    QCOMPARE(window.CurrentItemNumber, 1);
    QVERIFY(shownDescription(window).contains("Gammel og ny"));
    QVERIFY(control<QTextEdit>(&window, "Beskriv")->document()->isModified());
    window.show();
    {
        MessageBoxAnswer answer(QMessageBox::No);
        QVERIFY(!window.close());
        QVERIFY(!window.close());
        QCOMPARE(answer.count(), 2);
        QCOMPARE(answer.text(1), QString("Luk uden at gemme beskrivelsen?"));
        QCOMPARE(answer.informativeText(1), QString("Unable to write to A\\DK.RTF."));
    }
    MessageBoxAnswer answer(QMessageBox::Yes);
    QVERIFY(window.close());
    QCOMPARE(answer.count(), 1);
    if (!removeFolder)
        QCOMPARE(filesUnder(folder.filePath("A")), (QMap<QString, QByteArray>{{"DK.RTF", "{\\rtf1 Gammel\\par}"}}));
}

void TestDescriptions::deletingLeavesNothingInTheCatalogueTree_data()
{
    QTest::addColumn<QString>("dataHome"); // under a fresh folder; <catalogue> is the catalogue's folder
    QTest::addColumn<bool>("trashed");
    QTest::newRow("home trash there") << "share" << true;
    QTest::newRow("no home data folder yet") << "missing/share" << true;
    QTest::newRow("trash would be in the catalogue") << "<catalogue>/share" << false;
    QTest::newRow("trash cannot be made") << "file/share" << false;
}

void TestDescriptions::deletingLeavesNothingInTheCatalogueTree()
{
    QFETCH(QString, dataHome);
    QFETCH(bool, trashed);
    TempFolder folder;
    QTemporaryDir home;
    QDir(home.path()).mkpath("share/Trash/files");
    QFile(home.filePath("file")).open(QIODevice::WriteOnly);
    const QString data = QDir(home.path()).filePath(dataHome.replace("<catalogue>", folder.path()));
    qputenv("XDG_DATA_HOME", data.toUtf8());
    folder.writeFile("A/DK.RTF", "{\\rtf1 Slet mig\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    const QMap<QString, QByteArray> before = filesUnder(folder.path());
    TMQVEdit window;
    typeDescription(window, " nu");
    MessageBoxAnswer answer(QMessageBox::Ok);
    trashDescription(window);
    QCOMPARE(answer.count(), trashed ? 0 : 1);
    if (trashed) {
        // Beside the catalogue only the open editor's mark.
        QCOMPARE(filesUnder(folder.path()).keys(), QStringList({".~lock.Z.MQV#", "Z.MQV"}));
        QCOMPARE(filesUnder(data + "/Trash").keys(), QStringList({"files/DK.RTF", "info/DK.RTF.trashinfo"}));
        QCOMPARE(shownDescription(window), QString());
    } else {
        QVERIFY(answer.text().contains("A\\DK.RTF"));
        QMap<QString, QByteArray> after = filesUnder(folder.path());
        QCOMPARE(after.remove(".~lock.Z.MQV#"), 1);
        QCOMPARE(after, before);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList({"A"}));
        QVERIFY(shownDescription(window).contains("Slet mig nu"));
    }
}

void TestDescriptions::deleteMovesTheFileToTheTrash()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", "{\\rtf1 Slet mig\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    MessageBoxAnswer answer(QMessageBox::Ok);
    trashDescription(window);
    QCOMPARE(answer.count(), 0);
    QVERIFY(!QFile::exists(folder.filePath("A/DK.RTF")));
    QCOMPARE(shownDescription(window), QString());
    QCOMPARE(filesIn(trash_.filePath("Trash/files")), QStringList({"DK.RTF"}));
}

void TestDescriptions::deleteWithoutAFileEmptiesTheEditor()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    typeDescription(window, "Noget");
    trashDescription(window);
    QCOMPARE(shownDescription(window), QString());
    QCOMPARE(filesIn(folder.filePath("A")), QStringList());
}

void TestDescriptions::pasteStoresTheFirstLineAndSaves()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "Global=gammel", "[Z2]", "Titel=B"}));
    TMQVEdit window;
    typeDescription(window, "Beskrivelse");
    QGuiApplication::clipboard()->setText("F\u00F8rste linje\r\nAnden linje");
    pasteDescription(window);
    QCOMPARE(control<QLineEdit>(&window, "KortTekst")->text(), QString("F\u00F8rste linje"));
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Global", ""), QString("F\u00F8rste linje"));
    QVERIFY(folder.readFile("A/DK.RTF").contains("Beskrivelse"));
    QCOMPARE(window.CurrentItemNumber, 1);

    QGuiApplication::clipboard()->clear();
    pasteDescription(window);
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Global", "missing"), QString());
}

void TestDescriptions::closingTheWindowSavesTheDescription()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    window.show();
    typeDescription(window, "Sidste ord");
    window.close();
    QVERIFY(folder.readFile("A/DK.RTF").contains("Sidste ord"));
}

// A web page's heading, list, table, link and picture, pasted with Ctrl+V, show the same after
// leaving the item and coming back: the window showed only what was saved.
void TestDescriptions::pastedRichTextShowsWhatLeavingKeeps()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.makeFolder("B");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B", "Folder=B"}));
    TMQVEdit window;
    auto *description = control<QTextEdit>(&window, "Beskriv");
    auto *mime = new QMimeData;
    mime->setHtml(QStringLiteral(
        "<h1 style='color:#c00000'>Overskrift</h1><p>Se <a href='https://z-cd.dk/'>siden</a> og <sup>2</sup></p>"
        "<ul><li>en</li><li>to</li></ul><ol><li>tre</li></ol>"
        "<table border=1><tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>"
        "<p><img src='data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAIAAAACCAIAAAD91JpzAAAAEklEQVR4nGP4z8DAwMDAwMAAAAw4AQgMaPjqAAAAAElFTkSuQmCC'>"
        " <span style='font-size:20pt; background:yellow'>stor</span> <h7>x</h7></p>"));
    QGuiApplication::clipboard()->setMimeData(mime);
    description->setFocus();
    QTest::keyClick(description, Qt::Key_V, Qt::ControlModifier);
    const QString shown = DocumentDump::describe(*description->document());
    QVERIFY2(shown.contains(u"Overskrift"_qs) && shown.contains(u"table 2x2"_qs) && shown.contains(u"[list"_qs)
                 && shown.contains(u"link=https://z-cd.dk/"_qs) && shown.contains(u"super"_qs),
             qPrintable(shown));

    stepForward(window);
    stepBack(window);
    QCOMPARE(control<QSpinBox>(&window, "Nummer")->value(), 1);
    QCOMPARE(DocumentDump::describe(*description->document()), shown);
}

QTEST_MAIN(TestDescriptions)
#include "tst_descriptions.moc"
