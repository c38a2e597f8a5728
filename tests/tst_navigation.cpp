#include "app/EditMQV.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

using IntList = QList<int>;

// Moving between items, choosing a number, creating, deleting and clearing items.
class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void previousAndNext_data();
    void previousAndNext();
    void keysStepThroughItems_data();
    void keysStepThroughItems();
    void chosenNumberSettlesOnAnItem_data();
    void chosenNumberSettlesOnAnItem();
    void typedNumberTakesEffectWhenComplete_data();
    void typedNumberTakesEffectWhenComplete();
    void chosenNumberInAnEmptyCatalogueChangesNothing();
    void newItemTakesTheFirstFreeNumber();
    void newItemAtAFreeShownNumber();
    void newItemNeverGoesPast70();
    void deleteAsksAndErases();
    void deleteCancelledOrAtItemOneChangesNothing();
    void clearKeepsAnEmptyItem();
};

namespace {

QByteArray catalogueWith(const IntList &items)
{
    QStringList lines;
    for (int n : items)
        lines << QString("[Z%1]").arg(n) << QString("Titel=Item %1").arg(n);
    return iniBytes(lines);
}

void checkShown(TMQVEdit &window, int number)
{
    QCOMPARE(window.CurrentItemNumber, number);
    QCOMPARE(control<QSpinBox>(&window, "Nummer")->value(), number);
    QCOMPARE(control<QSpinBox>(&window, "FlytteSpinner")->value(), number);
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel2")->text().section(' ', 1, 1), QString::number(number));
}

} // namespace

void TestNavigation::previousAndNext_data()
{
    QTest::addColumn<IntList>("items");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("shown");
    QTest::newRow("previous from 1 wraps to 70") << IntList{1, 70} << 1 << "ToolButton8" << 70;
    QTest::newRow("previous with item 1 only") << IntList{1} << 1 << "ToolButton8" << 1;
    QTest::newRow("previous without item 1 goes to the highest") << IntList{3, 5} << 3 << "ToolButton8" << 5;
    QTest::newRow("next from the last wraps to 1") << IntList{1, 4, 9} << 9 << "ToolButton10" << 1;
    QTest::newRow("next without item 1 comes back") << IntList{4, 9} << 9 << "ToolButton10" << 9;
    QTest::newRow("next skips gaps") << IntList{1, 4, 9} << 4 << "ToolButton10" << 9;
}

void TestNavigation::previousAndNext()
{
    QFETCH(IntList, items);
    QFETCH(int, start);
    QFETCH(QString, button);
    QFETCH(int, shown);
    TempFolder folder;
    folder.writeFile("Z.MQV", catalogueWith(items));
    TMQVEdit window;
    control<QSpinBox>(&window, "Nummer")->setValue(start);
    checkShown(window, start);
    clickToolButton(window, button);
    checkShown(window, shown);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("Item %1").arg(shown));
}

void TestNavigation::chosenNumberSettlesOnAnItem_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("shown");
    QTest::newRow("6 goes up to 8") << 6 << 8;
    QTest::newRow("2 finds nothing below and takes the highest") << 2 << 8;
    QTest::newRow("8 itself") << 8 << 8;
}

void TestNavigation::chosenNumberSettlesOnAnItem()
{
    QFETCH(int, chosen);
    QFETCH(int, shown);
    TempFolder folder;
    folder.writeFile("Z.MQV", catalogueWith({4, 8}));
    TMQVEdit window;
    auto *number = control<QSpinBox>(&window, "Nummer");
    number->setValue(4);
    checkShown(window, 4);
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, QString::number(chosen));
    QTest::keyClick(number, Qt::Key_Return);
    checkShown(window, shown);
}

// Each digit taking effect on its own would show another item and rewrite the field under the
// next digit.
void TestNavigation::typedNumberTakesEffectWhenComplete_data()
{
    QTest::addColumn<QString>("completion");
    QTest::newRow("Enter") << "Enter";
    QTest::newRow("leaving the field") << "leave";
    QTest::newRow("a pause") << "pause";
}

void TestNavigation::typedNumberTakesEffectWhenComplete()
{
    QFETCH(QString, completion);
    TempFolder folder;
    folder.writeFile("Z.MQV", catalogueWith({1, 2, 4, 26}));
    TMQVEdit window;
    auto *number = control<QSpinBox>(&window, "Nummer");
    number->setValue(4);
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, "26");
    checkShown(window, 4);
    if (completion == "Enter") {
        QTest::keyClick(number, Qt::Key_Return);
    } else if (completion == "leave") {
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(number, &leave);
    }
    QTRY_COMPARE(window.CurrentItemNumber, 26);
    checkShown(window, 26);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("Item 26"));
}

// Alt+arrows act everywhere; Page Up and Down only where the focused control has no use for them.
void TestNavigation::keysStepThroughItems_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("shown");
    QTest::newRow("Alt+Right in the title field") << "TitelEdit" << int(Qt::Key_Right) << int(Qt::AltModifier) << 4;
    QTest::newRow("Alt+Left in the description") << "Beskriv" << int(Qt::Key_Left) << int(Qt::AltModifier) << 9;
    QTest::newRow("Page Down in the title field") << "TitelEdit" << int(Qt::Key_PageDown) << int(Qt::NoModifier) << 4;
    QTest::newRow("Page Up on a check box") << "Spil" << int(Qt::Key_PageUp) << int(Qt::NoModifier) << 9;
    QTest::newRow("Page Down scrolls the description") << "Beskriv" << int(Qt::Key_PageDown) << int(Qt::NoModifier) << 1;
    QTest::newRow("Ctrl+Page Down is not a step") << "TitelEdit" << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 1;
}

void TestNavigation::keysStepThroughItems()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, shown);

    TempFolder folder;
    folder.writeFile("Z.MQV", catalogueWith({1, 4, 9}));
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *target = control<QWidget>(&window, focus);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    checkShown(window, shown);
}

void TestNavigation::chosenNumberInAnEmptyCatalogueChangesNothing()
{
    TempFolder folder;
    TMQVEdit window;
    auto *number = control<QSpinBox>(&window, "Nummer");
    QTest::keyClick(number, Qt::Key_Up);
    QCOMPARE(number->value(), 2);
    QTest::keyClick(number, Qt::Key_PageUp);
    QCOMPARE(number->value(), 7);
    QCOMPARE(window.CurrentItemNumber, 1);
    QVERIFY(!QFile::exists(folder.filePath("Z.MQV")));
}

void TestNavigation::newItemTakesTheFirstFreeNumber()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z2]", "Titel=B", "[Z5]", "Titel=E", "Setup=", "[Z6]", "Titel=F",
                                        "Global=Kort", "Webside=w"}));
    TMQVEdit window;
    control<QSpinBox>(&window, "Nummer")->setValue(6);
    control<QSpinBox>(&window, "Nummer")->setValue(5);
    addItem(window);
    checkShown(window, 7);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString());
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z2]", "Titel=B", "[Z5]", "Titel=E", "Setup=", "[Z6]", "Titel=F",
                                                 "Global=Kort", "Webside=w", "[Z7]", "Titel="}));
}

void TestNavigation::newItemAtAFreeShownNumber()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z5]", "Titel=E"}));
    TMQVEdit window;
    addItem(window);
    checkShown(window, 1);
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z5]", "Titel=E", "[Z1]", "Titel="}));
}

void TestNavigation::newItemNeverGoesPast70()
{
    TempFolder folder;
    QStringList lines;
    for (int n = 60; n <= 70; ++n)
        lines << QString("[Z%1]").arg(n) << "Titel=x";
    folder.writeFile("Z.MQV", iniBytes(lines));
    TMQVEdit window;
    control<QSpinBox>(&window, "Nummer")->setValue(65);
    addItem(window);
    checkShown(window, 59);
    QVERIFY(!folder.readFile("Z.MQV").contains("[Z71]"));

    for (int n = 1; n <= 58; ++n)
        window.CatalogueFile->WriteString(QString("Z%1").arg(n), "Titel", "x");
    const QByteArray full = folder.readFile("Z.MQV");
    addItem(window);
    QCOMPARE(folder.readFile("Z.MQV"), full);
    QCOMPARE(window.CurrentItemNumber, 59);
}

void TestNavigation::deleteAsksAndErases()
{
    TempFolder folder;
    folder.makeFolder("Mappe5");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "[Z3]", "Titel=C", "[Z4]", "Titel=D", "[Z5]", "Titel=Fem",
                                        "Folder=Mappe5"}));
    TMQVEdit window;
    control<QSpinBox>(&window, "Nummer")->setValue(5);
    MessageBoxAnswer answer(QMessageBox::Ok);
    deleteItem(window);
    QCOMPARE(answer.count(), 1);
    QCOMPARE(answer.text(), QString("Vil du slette programmet Fem ?"));
    QCOMPARE(answer.title(), QString("Slet program 5 ?"));
    QCOMPARE(answer.icon(), QMessageBox::NoIcon);
    QCOMPARE(answer.buttons(), QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z1]", "Titel=A", "[Z3]", "Titel=C", "[Z4]", "Titel=D"}));
    checkShown(window, 4);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("D"));
    QVERIFY(QFileInfo(folder.filePath("Mappe5")).isDir());

    // Past a gap, the nearest item below.
    deleteItem(window);
    deleteItem(window);
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z1]", "Titel=A"}));
    checkShown(window, 1);
}

void TestNavigation::deleteCancelledOrAtItemOneChangesNothing()
{
    TempFolder folder;
    const QByteArray catalogue = iniBytes({"[Z1]", "Titel=A", "[Z3]", "Titel=C"});
    folder.writeFile("Z.MQV", catalogue);
    TMQVEdit window;
    MessageBoxAnswer answer(QMessageBox::Cancel);
    // Item 1 stays, and the user is told why and what to do instead.
    deleteItem(window);
    QCOMPARE(answer.count(), 1);
    QCOMPARE(answer.text(), QString("Punkt 1 kan ikke slettes, da kataloget altid begynder med det. "
                                    "\"Slet indhold\" t\u00F8mmer det."));
    control<QSpinBox>(&window, "Nummer")->setValue(3);
    deleteItem(window);
    QCOMPARE(answer.count(), 2);
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
    checkShown(window, 3);
}

void TestNavigation::clearKeepsAnEmptyItem()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Spil=Ja", "Global=g", "Webside=w", "Other=o"}));
    TMQVEdit window;
    MessageBoxAnswer answer(QMessageBox::Ok);
    clearItem(window);
    QCOMPARE(answer.count(), 0);
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z1]", "Global="}));
    QVERIFY(!control<QCheckBox>(&window, "Spil")->isChecked());
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString());
}

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
