#include "app/EditMQV.h"
#include "catalogue/ProfileFile.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// A colleague's editor, or any other program, changes the catalogue while this editor shows it:
// the window follows, asks where both changed one field, and never writes from what it showed
// before.
class TestColleague : public QObject {
    Q_OBJECT
private slots:
    void typedFieldChangedByColleague_data();
    void typedFieldChangedByColleague();
    void itemDeletedByColleagueMakesNoHalfItem();
    void colleaguesChangeIsShownWithoutAnAction();
    void historyWindowGreysWhatCannotBeUndone();
    void lockFileIsSeenFromAnotherMachine();
};

namespace {

void prepareCatalogue(const TempFolder &folder)
{
    folder.makeFolder("Programmer/Skak");
    folder.makeFolder("Programmer/Tegn");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Skakmester Deluxe", "Spil=Ja", "Folder=Programmer\\Skak",
                                        "Global=Kort", "[Z2]", "Titel=Tegn", "Barn=Ja", "Folder=Programmer\\Tegn"}));
}

// The colleague: another writer of the same file.
void colleagueWrites(const QString &section, const QString &key, const QString &value)
{
    ProfileFile(".\\Z.MQV").WriteString(section, key, value);
}

void showWindow(TMQVEdit &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

void TestColleague::typedFieldChangedByColleague_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("keep mine") << "Behold din" << QByteArray("Titel=Skakmester Deluxe A\r\n")
                               << "Skakmester Deluxe A";
    QTest::newRow("use the other") << "Brug den anden" << QByteArray("Titel=Skakmester B\r\n") << "Skakmester B";
}

void TestColleague::typedFieldChangedByColleague()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    TempFolder folder;
    prepareCatalogue(folder);
    TMQVEdit window;
    showWindow(window);
    auto *title = control<QLineEdit>(&window, "TitelEdit");
    title->setFocus();
    title->end(false);
    colleagueWrites("Z1", "Titel", "Skakmester B");
    colleagueWrites("Z1", "Global", "Fra B");
    MessageBoxAnswer which(QStringList{answer});
    QTest::keyClicks(title, " A");
    QCOMPARE(which.count(), 1);
    QCOMPARE(which.text(), QString("Titlen er \u00E6ndret i en anden editor: \u00BBSkakmester B\u00AB."));
    QCOMPARE(which.buttonTexts(), QStringList({"Behold din", "Brug den anden"}));
    if (answer == "Brug den anden") {
        // The space was given up with the typed value; the next key goes on from the other one.
        QCOMPARE(title->text(), QString("Skakmester BA"));
        QVERIFY(folder.readFile("Z.MQV").contains("Titel=Skakmester BA\r\n"));
    } else {
        QCOMPARE(title->text(), shown);
        QVERIFY(folder.readFile("Z.MQV").contains(stored));
    }
    // The colleague's other change stays, and is shown.
    QVERIFY(folder.readFile("Z.MQV").contains("Global=Fra B\r\n"));
    QCOMPARE(control<QLineEdit>(&window, "KortTekst")->text(), QString("Fra B"));
}

void TestColleague::itemDeletedByColleagueMakesNoHalfItem()
{
    TempFolder folder;
    prepareCatalogue(folder);
    TMQVEdit window;
    showWindow(window);
    stepForward(window);
    ProfileFile(".\\Z.MQV").EraseSection("Z2");
    const QByteArray withoutItem = folder.readFile("Z.MQV");
    MessageBoxAnswer told(QMessageBox::Ok);
    auto *title = control<QLineEdit>(&window, "TitelEdit");
    title->setFocus();
    QTest::keyClick(title, Qt::Key_X);
    QTest::mouseClick(control<QCheckBox>(&window, "Galleri"), Qt::LeftButton);
    QCOMPARE(told.text(), QString("Punkt 2 \u00BBTegn\u00AB er slettet i en anden editor."));
    QCOMPARE(window.CurrentItemNumber, 1);
    QCOMPARE(title->text(), QString("Skakmester Deluxe"));
    QVERIFY(!folder.readFile("Z.MQV").contains("[Z2]"));
    // The tick went to the item shown now, item 1.
    QCOMPARE(folder.readFile("Z.MQV"), QByteArray(withoutItem).replace("Global=Kort\r\n", "Global=Kort\r\nGalleri=Ja\r\n"));
}

void TestColleague::colleaguesChangeIsShownWithoutAnAction()
{
    TempFolder folder;
    prepareCatalogue(folder);
    TMQVEdit window;
    showWindow(window);
    const QByteArray before = folder.readFile("Z.MQV");
    colleagueWrites("Z1", "Global", "Fra B");
    colleagueWrites("Z1", "Galleri", "Ja");
    QTRY_COMPARE(control<QLineEdit>(&window, "KortTekst")->text(), QString("Fra B"));
    QVERIFY(control<QCheckBox>(&window, "Galleri")->isChecked());
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel3")->text(),
             QString("\u00C6ndret i en anden editor: Global, Galleri"));
    QCOMPARE(folder.readFile("Z.MQV"),
             QByteArray(before).replace("Global=Kort\r\n", "Global=Fra B\r\nGalleri=Ja\r\n"));
}

// Opened on the newest step; a step whose key a colleague changed since is grey and says why, and
// Return takes nothing back.
void TestColleague::historyWindowGreysWhatCannotBeUndone()
{
    TempFolder folder;
    prepareCatalogue(folder);
    TMQVEdit window;
    showWindow(window);
    typeInto(window, "KortTekst", "Min");
    leaveField(window, "KortTekst");
    typeInto(window, "TitelEdit", "Skak");
    leaveField(window, "TitelEdit");
    control<QWidget>(&window, "Nummer")->setFocus();
    colleagueWrites("Z1", "Titel", "Skakmester B");
    const QByteArray colleagues = folder.readFile("Z.MQV");
    MessageBoxAnswer unexpected(QMessageBox::Ok);
    control<QAction>(&window, "VisHistorik")->trigger();
    auto *history = control<QWidget>(&window, "Historik");
    auto *steps = control<QTreeWidget>(history, "HistorikTrin");
    QCOMPARE(steps->currentItem(), steps->topLevelItem(0));
    QVERIFY(steps->topLevelItem(0)->text(3).endsWith("(kan ikke fortrydes)"));
    QVERIFY(steps->topLevelItem(0)->toolTip(3).contains("Titel i punkt 1"));
    QVERIFY(!control<QPushButton>(history, "FortrydTilHer")->isEnabled());
    steps->setCurrentItem(steps->topLevelItem(1));
    QTest::keyClick(steps, Qt::Key_Return);
    QTest::keyClick(history, Qt::Key_Return);
    QCOMPARE(folder.readFile("Z.MQV"), colleagues);
    QCOMPARE(unexpected.count(), 0);
}

// The mark beside the catalogue is what an editor on another machine sees: there while the
// editor is open, gone when it closes, and replaced where its editor is gone.
void TestColleague::lockFileIsSeenFromAnotherMachine()
{
    TempFolder folder;
    prepareCatalogue(folder);
    const QString lock = ".~lock.Z.MQV#";
    const QByteArray machine = QSysInfo::machineHostName().toUtf8();
    const QByteArray ours = "," + machine + "," + QDate::currentDate().toString("dd.MM.yyyy").toUtf8();
    auto first = std::make_unique<TMQVEdit>();
    const QByteArray mark = folder.readFile(lock);
    QVERIFY2(mark.contains(ours) && mark.endsWith("," + QByteArray::number(QCoreApplication::applicationPid()) + ";\n"),
             mark);
    {
        QTemporaryDir otherRuntime;
        qputenv("XDG_RUNTIME_DIR", otherRuntime.path().toUtf8());
        MessageBoxAnswer told(QStringList{"OK"});
        TMQVEdit second;
        second.show();
        QTRY_COMPARE(told.count(), 1);
        QVERIFY2(told.text().startsWith("Kataloget er \u00E5bent hos ") && told.text().contains(machine), qPrintable(told.text()));
        QCOMPARE(told.buttonTexts().size(), 2);
        qputenv("XDG_RUNTIME_DIR", folder.runtimePath().toUtf8());
    }
    QCOMPARE(folder.readFile(lock), mark);
    first.reset();
    QVERIFY(!QFile::exists(folder.filePath(lock)));

    folder.writeFile(lock, "Gammel,gammel," + machine + ",01.01.2026 10:00,999999999;\n");
    TMQVEdit third;
    QVERIFY(folder.readFile(lock).contains(ours));
}

QTEST_MAIN(TestColleague)
#include "tst_colleague.moc"
