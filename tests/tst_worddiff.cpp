#include "description/WordDiff.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<WordDiff::Change>)

// The Danish words a translator is shown as changed since the translation was written.
class TestWordDiff : public QObject {
    Q_OBJECT
private slots:
    void givesTheRunsTakenOutAndPutIn_data();
    void givesTheRunsTakenOutAndPutIn();
};

void TestWordDiff::givesTheRunsTakenOutAndPutIn_data()
{
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<QString>("now");
    QTest::addColumn<QList<WordDiff::Change>>("changes");
    QTest::newRow("same") << "Et spil for alle." << "Et spil for alle." << QList<WordDiff::Change>{};
    QTest::newRow("word replaced") << "Et spil for alle." << "Et spil for børn."
                                   << QList<WordDiff::Change>{{{"alle."}, {"børn."}}};
    QTest::newRow("added and removed apart")
        << "Et godt spil for hele familien" << "Et spil for hele den store familien"
        << QList<WordDiff::Change>{{{"godt"}, {}}, {{}, {"den", "store"}}};
    QTest::newRow("from nothing") << "" << "Nyt spil" << QList<WordDiff::Change>{{{}, {"Nyt", "spil"}}};
}

void TestWordDiff::givesTheRunsTakenOutAndPutIn()
{
    QFETCH(QString, earlier);
    QFETCH(QString, now);
    QFETCH(QList<WordDiff::Change>, changes);
    QCOMPARE(WordDiff::between(earlier, now), changes);
}

QTEST_APPLESS_MAIN(TestWordDiff)
#include "tst_worddiff.moc"
