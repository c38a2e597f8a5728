#include "app/EditMQV.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

// The category menus built at start-up, jumping from them, "Slet liste", the copied master
// listing, and fetching the fixed items.
class TestCategoryMenus : public QObject {
    Q_OBJECT
private slots:
    void menusListTitledItemsByCategory();
    void listingsAndClipboard();
    void jumpFromAMenu();
    void eraseListAnsweredNo();
    void eraseListAnsweredYesSettlesOnAnExistingItem();
    void eraseListOfEveryItemShowsTheNumberAnew();
    void fetchFixedItems();
    void fetchFixedItemsOnAReadOnlyCatalogue();
    void menusFollowEveryChange();
};

namespace {

QStringList entriesOf(TMQVEdit &window, const QString &menuName)
{
    QStringList entries;
    for (QAction *action : control<QMenu>(&window, menuName)->actions())
        entries << (action->isSeparator() ? QString("-") : action->objectName() + "=" + action->text());
    return entries;
}

QByteArray sampleCatalogue()
{
    return iniBytes({"[Z1]", "Titel=A", "ZProgram=Ja", "[Z2]", "Titel=B", "Spil=Ja", "Barn=ja", "[Z3]", "Spil=Ja",
                     "[Z7]", "Titel=Syv", "Spil=JA", "Internet=Ja", "[Z9]", "Titel=Ni", "Galleri=Ja", "Skole=Nope"});
}

} // namespace

void TestCategoryMenus::menusListTitledItemsByCategory()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", sampleCatalogue());
    TMQVEdit window;
    QCOMPARE(entriesOf(window, "ZProgrammer1"), QStringList({"Z1=A", "-", "ZProgram=Slet liste"}));
    QCOMPARE(entriesOf(window, "Brn1"), QStringList({"B2=B", "-", "Barn=Slet liste"}));
    QCOMPARE(entriesOf(window, "Spil1"), QStringList({"S2=B", "S7=Syv", "-", "Spil=Slet liste"}));
    QCOMPARE(entriesOf(window, "Internet1"), QStringList({"G7=Syv"}));
    QCOMPARE(entriesOf(window, "Galleri1"), QStringList({"V9=Ni"}));
    QCOMPARE(entriesOf(window, "Software1"), QStringList({"-", "Software=Slet liste"}));
    for (const QString &menu : {"ilbehr1", "Vrksted1", "Skole1"})
        QCOMPARE(entriesOf(window, menu), QStringList());
}

void TestCategoryMenus::listingsAndClipboard()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "ZProgram=Ja", "[Z2]", "Titel=B", "Spil=Ja", "Barn=Ja"}));
    TMQVEdit window;
    QCOMPARE(control<QPlainTextEdit>(&window, "JuniorListe")->toPlainText(), QString("\nFor b\u00F8rn\nB"));
    QCOMPARE(control<QPlainTextEdit>(&window, "SpilListe")->toPlainText(), QString("\nSpil"));
    copyListing(window);
    const QStringList lines = {"", "Z-Programmer", "A", "", "Spil", "", "For b\u00F8rn", "B", "", "Galleriet", "",
                               "Tilbeh\u00F8r", "", "Videzarerazu", "", "Software", "", "Internet", "",
                               "Nyt i v\u00E6rkstedet:"};
    QCOMPARE(QGuiApplication::clipboard()->text(), lines.join("\r\n") + "\r\n");
}

void TestCategoryMenus::jumpFromAMenu()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", sampleCatalogue());
    TMQVEdit window;
    control<QAction>(&window, "S7")->trigger();
    QCOMPARE(window.CurrentItemNumber, 7);
    QCOMPARE(control<QSpinBox>(&window, "Nummer")->value(), 7);
    QCOMPARE(control<QSpinBox>(&window, "FlytteSpinner")->value(), 7);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("Syv"));
    QCOMPARE(control<QPushButton>(&window, "KnapOp")->text(), QString("Oppe"));
}

void TestCategoryMenus::eraseListAnsweredNo()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", sampleCatalogue());
    TMQVEdit window;
    const QByteArray before = folder.readFile("Z.MQV");
    MessageBoxAnswer answer(QMessageBox::No);
    control<QAction>(&window, "Spil")->trigger();
    QCOMPARE(answer.count(), 1);
    QCOMPARE(answer.text(), QString("Vil du slette menuen Spil?"));
    QCOMPARE(answer.title(), QString("Slet kategori?"));
    QCOMPARE(answer.icon(), QMessageBox::NoIcon);
    QCOMPARE(answer.buttons(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(folder.readFile("Z.MQV"), before);
}

void TestCategoryMenus::eraseListAnsweredYesSettlesOnAnExistingItem()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", sampleCatalogue());
    TMQVEdit window;
    control<QSpinBox>(&window, "Nummer")->setValue(7);
    MessageBoxAnswer answer(QMessageBox::Yes);
    control<QAction>(&window, "Spil")->trigger();
    for (const char *gone : {"Z2", "Z3", "Z7"})
        QVERIFY2(!window.CatalogueFile->SectionExists(gone), gone);
    QVERIFY(window.CatalogueFile->SectionExists("Z1"));
    QVERIFY(window.CatalogueFile->SectionExists("Z9"));
    QCOMPARE(window.CurrentItemNumber, 1);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("A"));
    QVERIFY(!window.CatalogueFile->SectionExists("Z7"));
}

void TestCategoryMenus::eraseListOfEveryItemShowsTheNumberAnew()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z4]", "Titel=Fire", "Software=Ja"}));
    TMQVEdit window;
    control<QSpinBox>(&window, "Nummer")->setValue(4);
    MessageBoxAnswer answer(QMessageBox::Yes);
    control<QAction>(&window, "Software")->trigger();
    QCOMPARE(window.CurrentItemNumber, 4);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString());
}

void TestCategoryMenus::fetchFixedItems()
{
    TempFolder folder;
    folder.writeFile("Fast.MQV", iniBytes({"[Z24]", "Titel=Fast", "Spil=Nej", "[Z25]", "Titel=Andet"}));
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "[Z24]", "Titel=Gammel", "Webside=w"}));
    TMQVEdit window;
    control<QSpinBox>(&window, "Nummer")->setValue(24);
    clickButton(window, "HentFast");
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("Gammel"));
    QCOMPARE(window.CatalogueFile->ReadString("Z24", "Titel", ""), QString("Fast"));
    // A fixed item's flag is set by any value its file holds, "Nej" too.
    QCOMPARE(window.CatalogueFile->ReadString("Z24", "Spil", ""), QString("Ja"));
    QCOMPARE(entriesOf(window, "Spil1"), QStringList({"S24=Fast", "-", "Spil=Slet liste"}));
    QCOMPARE(window.CatalogueFile->ReadString("Z24", "Webside", "none"), QString("none"));
    QCOMPARE(window.CurrentItemNumber, 24);
    // The fetched item 25 is the highest now, and counted.
    QCOMPARE(window.HighestItemNumber, 25);
    QCOMPARE(folder.readFile("Fast.MQV"), iniBytes({"[Z24]", "Titel=Fast", "Spil=Nej", "[Z25]", "Titel=Andet"}));
}

void TestCategoryMenus::fetchFixedItemsOnAReadOnlyCatalogue()
{
    TempFolder folder;
    folder.writeFile("Fast.MQV", iniBytes({"[Z24]", "Titel=Fast"}));
    const QByteArray catalogue = iniBytes({"[Z1]", "Titel=A"});
    folder.writeFile("Z.MQV", catalogue);
    QGuiApplication::setApplicationDisplayName(QString());
    TMQVEdit window;
    // Write-protected after the window opened, so the button is still there to press.
    QFile::setPermissions(folder.filePath("Z.MQV"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    MessageBoxAnswer answer(QMessageBox::Ok);
    clickButton(window, "HentFast");
    QCOMPARE(answer.count(), 1);
    QCOMPARE(answer.text(), QString("Unable to write to .\\Z.MQV."));
    QCOMPARE(answer.title(), QString("R-Irad: A"));
    QCOMPARE(answer.icon(), QMessageBox::Critical);
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
}

// Moves, new titles and categories, deletions and the fixed items show in the menus and the
// listings at once, so every entry leads to the item it names.
void TestCategoryMenus::menusFollowEveryChange()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Skrifttyper og clipart", "Software=Ja", "[Z2]",
                                        "Titel=Tegnev\u00E6rkstedet Junior", "Barn=Ja", "[Z3]", "Titel=Skak", "Spil=Ja"}));
    folder.writeFile("Fast.MQV", iniBytes({"[Z24]", "Titel=Virusskanner", "Software=Ja"}));
    TMQVEdit window;
    control<QSpinBox>(&window, "Nummer")->setValue(2);
    auto *flyt = control<QSpinBox>(&window, "FlytteSpinner");
    flyt->setFocus();
    flyt->selectAll();
    QTest::keyClicks(flyt, "1");
    QTest::keyClick(flyt, Qt::Key_Return);
    QCOMPARE(entriesOf(window, "Brn1"), QStringList({"B1=Tegnev\u00E6rkstedet Junior", "-", "Barn=Slet liste"}));
    QCOMPARE(entriesOf(window, "Software1"), QStringList({"W2=Skrifttyper og clipart", "-", "Software=Slet liste"}));

    typeInto(window, "TitelEdit", "Tegnestue");
    QTest::mouseClick(control<QCheckBox>(&window, "Spil"), Qt::LeftButton, {}, QPoint(5, 8));
    QCOMPARE(entriesOf(window, "Brn1"), QStringList({"B1=Tegnestue", "-", "Barn=Slet liste"}));
    QCOMPARE(entriesOf(window, "Spil1"), QStringList({"S1=Tegnestue", "S3=Skak", "-", "Spil=Slet liste"}));
    QCOMPARE(control<QPlainTextEdit>(&window, "JuniorListe")->toPlainText(), QString("\nFor b\u00F8rn\nTegnestue"));

    clickButton(window, "HentFast");
    {
        MessageBoxAnswer answer(QMessageBox::Yes);
        control<QAction>(&window, "Spil")->trigger();
    }
    QCOMPARE(entriesOf(window, "Brn1"), QStringList({"-", "Barn=Slet liste"}));
    QCOMPARE(entriesOf(window, "Spil1"), QStringList({"-", "Spil=Slet liste"}));
    QCOMPARE(entriesOf(window, "Software1"),
             QStringList({"W2=Skrifttyper og clipart", "W24=Virusskanner", "-", "Software=Slet liste"}));
    copyListing(window);
    QCOMPARE(QGuiApplication::clipboard()->text().count("\r\n"), 18 + 2);
    QVERIFY(QGuiApplication::clipboard()->text().contains("\r\nSoftware\r\nSkrifttyper og clipart\r\nVirusskanner\r\n"));

    control<QAction>(&window, "W24")->trigger();
    {
        MessageBoxAnswer answer(QMessageBox::Ok);
        deleteItem(window);
    }
    QCOMPARE(entriesOf(window, "Software1"), QStringList({"W2=Skrifttyper og clipart", "-", "Software=Slet liste"}));
}

QTEST_MAIN(TestCategoryMenus)
#include "tst_categorymenus.moc"
