#include "app/EditMQV.h"
#include "app/WindowColours.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

// Moving the current item up or down to the nearest free number, and exchanging it with the
// item at a chosen number.
class TestReordering : public QObject {
    Q_OBJECT
private slots:
    void upJumpsToTheNearestGap();
    void upAndDownWithoutRoomChangeNothing_data();
    void upAndDownWithoutRoomChangeNothing();
    void downMovesBelow();
    void exchangeWithAChosenItem();
    void moveToAFreeNumber();
    void typedNumberMovesOnlyWhenCommitted();
    void moveNotConfirmedMovesNothing_data();
    void moveNotConfirmedMovesNothing();
    void arrowsAndWheelChooseTheTargetAndEnterMoves();
    void exchangeKeepsAnEmptyItem();
    void leftoverParkingBlocksTheExchange();
};

namespace {

void showNumber(TMQVEdit &window, int number)
{
    control<QSpinBox>(&window, "Nummer")->setValue(number);
    QCOMPARE(window.CurrentItemNumber, number);
}

void chooseMoveTarget(TMQVEdit &window, int number)
{
    auto *spinner = control<QSpinBox>(&window, "FlytteSpinner");
    spinner->setFocus();
    spinner->selectAll();
    QTest::keyClicks(spinner, QString::number(number));
    QTest::keyClick(spinner, Qt::Key_Return);
}

} // namespace

void TestReordering::upJumpsToTheNearestGap()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z5]", "Titel=Fem", "Registrer=Ja", "Spil=ja", "[Z6]", "Titel=Seks", "[Z7]",
                                        "Titel=Syv"}));
    TMQVEdit window;
    showNumber(window, 5);
    clickButton(window, "KnapOp");
    QCOMPARE(window.CurrentItemNumber, 8);
    QCOMPARE(control<QSpinBox>(&window, "FlytteSpinner")->value(), 8);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("Fem"));
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z6]", "Titel=Seks", "[Z7]", "Titel=Syv", "[Z8]", "Spil=ja",
                                                 "Titel=Fem", "Registrer=Ja"}));
}

void TestReordering::upAndDownWithoutRoomChangeNothing_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("button");
    QTest::newRow("up from 70") << 70 << "KnapOp";
    QTest::newRow("down from 1") << 1 << "NedKnap";
}

void TestReordering::upAndDownWithoutRoomChangeNothing()
{
    QFETCH(int, current);
    QFETCH(QString, button);
    TempFolder folder;
    const QByteArray catalogue = iniBytes({"[Z1]", "Titel=A", "[Z70]", "Titel=B"});
    folder.writeFile("Z.MQV", catalogue);
    TMQVEdit window;
    showNumber(window, current);
    clickButton(window, button);
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
    QCOMPARE(window.CurrentItemNumber, current);
}

void TestReordering::downMovesBelow()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "[Z2]", "Titel=B", "[Z4]", "Titel=D"}));
    TMQVEdit window;
    showNumber(window, 2);
    clickButton(window, "NedKnap");
    QCOMPARE(window.CurrentItemNumber, 2);
    showNumber(window, 4);
    clickButton(window, "NedKnap");
    QCOMPARE(window.CurrentItemNumber, 3);
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z1]", "Titel=A", "[Z2]", "Titel=B", "[Z3]", "Titel=D"}));
}

void TestReordering::exchangeWithAChosenItem()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z3]", "Titel=Tre", "Global=g3", "[Z7]", "Titel=Syv", "Webside=w7"}));
    TMQVEdit window;
    showNumber(window, 3);
    chooseMoveTarget(window, 7);
    QCOMPARE(window.CurrentItemNumber, 7);
    QCOMPARE(control<QSpinBox>(&window, "Nummer")->value(), 7);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("Tre"));
    QCOMPARE(window.CatalogueFile->ReadString("Z7", "Global", ""), QString("g3"));
    QCOMPARE(window.CatalogueFile->ReadString("Z3", "Titel", ""), QString("Syv"));
    QCOMPARE(window.CatalogueFile->ReadString("Z3", "Webside", ""), QString("w7"));
    QVERIFY(!window.CatalogueFile->SectionExists("Flytter"));
}

void TestReordering::moveToAFreeNumber()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z3]", "Titel=Tre"}));
    TMQVEdit window;
    showNumber(window, 3);
    chooseMoveTarget(window, 9);
    QCOMPARE(window.CurrentItemNumber, 9);
    QCOMPARE(folder.readFile("Z.MQV"), iniBytes({"[Z9]", "Titel=Tre"}));
}

void TestReordering::typedNumberMovesOnlyWhenCommitted()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=En", "[Z3]", "Titel=Tre"}));
    TMQVEdit window;
    showNumber(window, 3);
    auto *spinner = control<QSpinBox>(&window, "FlytteSpinner");
    spinner->setFocus();
    spinner->selectAll();
    QTest::keyClicks(spinner, "12");
    QCOMPARE(window.CatalogueFile->ReadString("Z3", "Titel", ""), QString("Tre"));
    QVERIFY(!window.CatalogueFile->SectionExists("Z12"));
    QTest::keyClick(spinner, Qt::Key_Return);
    QCOMPARE(window.CatalogueFile->ReadString("Z12", "Titel", ""), QString("Tre"));
    QVERIFY(window.CatalogueFile->SectionExists("Z1"));
    QCOMPARE(window.CurrentItemNumber, 12);
}

void TestReordering::moveNotConfirmedMovesNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("99 and Enter") << "99";
    QTest::newRow("9 and leaving the field") << "9";
    QTest::newRow("the wheel over the unfocused field") << "wheel";
}

void TestReordering::moveNotConfirmedMovesNothing()
{
    QFETCH(QString, action);
    TempFolder folder;
    const QByteArray catalogue = iniBytes({"[Z3]", "Titel=Tre", "[Z9]", "Titel=Ni"});
    folder.writeFile("Z.MQV", catalogue);
    TMQVEdit window;
    showNumber(window, 3);
    auto *spinner = control<QSpinBox>(&window, "FlytteSpinner");
    auto *field = spinner->findChild<QLineEdit *>();
    if (action == "wheel") {
        control<QSpinBox>(&window, "Nummer")->setFocus();
        QWheelEvent wheel(QPointF(10, 10), spinner->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(spinner, &wheel);
    } else {
        spinner->setFocus();
        spinner->selectAll();
        QTest::keyClicks(spinner, action);
        if (action == "99") {
            QTest::keyClick(spinner, Qt::Key_Return);
            QCOMPARE(field->text(), QString("99"));
            QCOMPARE(WindowColours::fontColour(field), WindowColours::red());
        }
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(spinner, &leave);
    }
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
    QCOMPARE(window.CurrentItemNumber, 3);
    QCOMPARE(spinner->value(), 3);
    QCOMPARE(field->text(), QString("3"));
    QCOMPARE(WindowColours::fontColour(field), WindowColours::black());
}

void TestReordering::arrowsAndWheelChooseTheTargetAndEnterMoves()
{
    TempFolder folder;
    const QByteArray catalogue = iniBytes({"[Z3]", "Titel=Tre", "[Z9]", "Titel=Ni"});
    folder.writeFile("Z.MQV", catalogue);
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    showNumber(window, 3);
    auto *spinner = control<QSpinBox>(&window, "FlytteSpinner");
    auto *field = spinner->findChild<QLineEdit *>();
    spinner->setFocus();
    QTest::keyClick(spinner, Qt::Key_Up);
    QTest::keyClick(spinner, Qt::Key_PageUp);
    QWheelEvent wheel(QPointF(10, 10), spinner->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(spinner, &wheel);
    QCOMPARE(field->text(), QString("10"));
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
    QTest::keyClick(spinner, Qt::Key_Return);
    QCOMPARE(window.CurrentItemNumber, 10);
    QCOMPARE(window.CatalogueFile->ReadString("Z10", "Titel", ""), QString("Tre"));
    spinner->selectAll();
    QTest::keyClicks(spinner, "71");
    QTest::keyClick(spinner, Qt::Key_Return);
    QCOMPARE(spinner->toolTip(), QString("Kun punkt 1 til 70 findes"));
}

void TestReordering::exchangeKeepsAnEmptyItem()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z2]", "Titel=To", "[Z5]", "Titel="}));
    TMQVEdit window;
    showNumber(window, 5);
    chooseMoveTarget(window, 2);
    QCOMPARE(window.CurrentItemNumber, 2);
    QVERIFY(window.CatalogueFile->SectionExists("Z2"));
    QCOMPARE(window.CatalogueFile->ReadString("Z5", "Titel", ""), QString("To"));
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString());
}

void TestReordering::leftoverParkingBlocksTheExchange()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Flytter]", "Titel=Parkeret", "[Z3]", "Titel=Tre", "[Z7]", "Titel=Syv"}));
    TMQVEdit window;
    showNumber(window, 3);
    chooseMoveTarget(window, 7);
    QCOMPARE(window.CatalogueFile->ReadString("Z7", "Titel", ""), QString("Syv"));
    QCOMPARE(window.CatalogueFile->ReadString("Z3", "Titel", ""), QString("Tre"));
    QCOMPARE(window.CurrentItemNumber, 7);
}

QTEST_MAIN(TestReordering)
#include "tst_reordering.moc"
