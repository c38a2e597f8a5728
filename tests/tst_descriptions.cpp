#include "app/EditMQV.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
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
    void plainTextFileIsShownAndSavedAsRtf();
    void deleteMovesTheFileToTheTrash();
    void deleteWithoutAFileEmptiesTheEditor();
    void pasteStoresTheFirstLineAndSaves();
    void closingTheWindowSavesTheDescription();

private:
    QTemporaryDir trash_;
};

namespace {

void typeDescription(TMQVEdit &window, const QString &text)
{
    auto *description = control<QTextEdit>(&window, "Beskriv");
    description->setFocus();
    description->moveCursor(QTextCursor::End);
    QTest::keyClicks(description, text);
}

QString shownDescription(TMQVEdit &window)
{
    return control<QTextEdit>(&window, "Beskriv")->toPlainText();
}

QStringList filesIn(const QString &path)
{
    return QDir(path).entryList(QDir::Files, QDir::Name);
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
    clickToolButton(window, "ToolButton10");
    QCOMPARE(filesIn(folder.filePath("A")), QStringList({"No.RTF"}));
    clickToolButton(window, "BrugNorsk");
    typeDescription(window, "Hei igjen");
    clickToolButton(window, "ToolButton10");
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
    clickToolButton(window, "ToolButton10");
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
    clickToolButton(window, "ToolButton10");
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
    clickToolButton(window, "ToolButton10");
    typeDescription(window, "Ingen mappe");
    clickToolButton(window, "ToolButton10");
    clickToolButton(window, "SletRTF");
    QVERIFY(!QFile::exists("/DK.RTF"));
    QCOMPARE(filesIn(folder.path()), QStringList({"Z.MQV"}));
}

void TestDescriptions::plainTextFileIsShownAndSavedAsRtf()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", "Almindelig tekst\r\nAnden linje\r\n");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B"}));
    TMQVEdit window;
    QVERIFY(shownDescription(window).startsWith("Almindelig tekst\nAnden linje"));
    clickToolButton(window, "ToolButton10");
    QVERIFY(folder.readFile("A/DK.RTF").startsWith("{\\rtf1"));
}

void TestDescriptions::deleteMovesTheFileToTheTrash()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", "{\\rtf1 Slet mig\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    MessageBoxAnswer answer(QMessageBox::Ok);
    clickToolButton(window, "SletRTF");
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
    clickToolButton(window, "SletRTF");
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
    clickToolButton(window, "Paste");
    QCOMPARE(control<QLineEdit>(&window, "KortTekst")->text(), QString("F\u00F8rste linje"));
    QCOMPARE(window.CatalogueFile->ReadString("Z1", "Global", ""), QString("F\u00F8rste linje"));
    QVERIFY(folder.readFile("A/DK.RTF").contains("Beskrivelse"));
    QCOMPARE(window.CurrentItemNumber, 1);

    QGuiApplication::clipboard()->clear();
    clickToolButton(window, "Paste");
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

QTEST_MAIN(TestDescriptions)
#include "tst_descriptions.moc"
