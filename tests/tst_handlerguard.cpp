#include "app/HandlerGuard.h"

#include <QtTest>

#include <stdexcept>

class TestHandlerGuard : public QObject {
    Q_OBJECT
private slots:
    void nestedErrorsAreReportedOnceWhenTheActionEnds();
    void sentence_data();
    void sentence();
};

void TestHandlerGuard::nestedErrorsAreReportedOnceWhenTheActionEnds()
{
    QStringList reports;
    int done = 0;
    HandlerGuard guard([&](const QString &message) { reports << message; });
    guard.setWhenDone([&] { ++done; });
    QStringList ran;
    guard.run([&] {
        guard.run([&] {
            ran << "inner";
            throw std::runtime_error("Unable to write to .\\Z.MQV");
        });
        QVERIFY(reports.isEmpty());
        guard.run([] { throw std::runtime_error("second"); });
        ran << "outer goes on";
        throw std::runtime_error("third");
    });
    QCOMPARE(ran, QStringList({"inner", "outer goes on"}));
    QCOMPARE(reports, QStringList({"Unable to write to .\\Z.MQV."}));
    QCOMPARE(done, 1);

    guard.run([] {});
    QCOMPARE(reports.size(), 1);
    QCOMPARE(done, 2);
}

void TestHandlerGuard::sentence_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Unable to write to A\\DK.RTF" << "Unable to write to A\\DK.RTF.";
    QTest::newRow("full stop") << "Filen er ikke slettet." << "Filen er ikke slettet.";
    QTest::newRow("exclamation") << "Nej!" << "Nej!";
}

void TestHandlerGuard::sentence()
{
    QFETCH(QString, text);
    QTEST(HandlerGuard::sentence(text), "shown");
}

QTEST_GUILESS_MAIN(TestHandlerGuard)
#include "tst_handlerguard.moc"
