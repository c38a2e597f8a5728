#include "editor/StatusNotices.h"

#include <QLabel>
#include <QtTest>

class TestStatusNotices : public QObject {
    Q_OBJECT
private slots:
    void showsTheFirstPostedByPriority_data();
    void showsTheFirstPostedByPriority();
    void anItemShownAnewEndsTheNoticesOfTheOneBefore();
};

void TestStatusNotices::showsTheFirstPostedByPriority_data()
{
    QTest::addColumn<QString>("access");
    QTest::addColumn<QString>("spelling");
    QTest::addColumn<QString>("outside");
    QTest::addColumn<QString>("shown");
    QTest::newRow("nothing") << "" << "" << "" << "Status";
    QTest::newRow("access") << "Skrivebeskyttet" << "" << "" << "Skrivebeskyttet";
    QTest::newRow("spelling over access") << "Kan ikke gemmes" << "Ingen finsk ordbog" << "" << "Ingen finsk ordbog";
    QTest::newRow("outside over spelling") << "Ingen mappe" << "Ingen finsk ordbog" << "Titel ændret udefra" << "Titel ændret udefra";
    QTest::newRow("outside alone") << "" << "" << "Titel ændret udefra" << "Titel ændret udefra";
}

void TestStatusNotices::showsTheFirstPostedByPriority()
{
    QFETCH(QString, access);
    QFETCH(QString, spelling);
    QFETCH(QString, outside);
    QLabel panel;
    StatusNotices notices(panel, nullptr);
    notices.showAccess(access);
    notices.post(StatusNotices::Notice::Spelling, spelling);
    notices.post(StatusNotices::Notice::OutsideChange, outside);
    QTEST(panel.text(), "shown");
}

void TestStatusNotices::anItemShownAnewEndsTheNoticesOfTheOneBefore()
{
    QLabel panel;
    StatusNotices notices(panel, nullptr);
    QCOMPARE(panel.text(), QString("Status"));
    notices.post(StatusNotices::Notice::OutsideChange, "Titel ændret udefra");
    notices.post(StatusNotices::Notice::Spelling, "Ingen norsk ordbog");
    notices.showAccess("Skrivebeskyttet");
    QCOMPARE(panel.text(), QString("Skrivebeskyttet"));
    notices.showAccess(QString());
    QCOMPARE(panel.text(), QString("Status"));
}

QTEST_MAIN(TestStatusNotices)
#include "tst_statusnotices.moc"
