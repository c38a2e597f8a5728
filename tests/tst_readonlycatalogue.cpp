#include "app/EditMQV.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QTextEdit>
#include <QtTest>

// A catalogue that turns read-only is reported once, then browsed without a box per item, and
// edited again as soon as it can be written.
class TestReadOnlyCatalogue : public QObject {
    Q_OBJECT
private slots:
    void failedEditIsReportedOnceUntilWritableAgain_data();
    void failedEditIsReportedOnceUntilWritableAgain();
};

namespace {

// Takes the owner's write permission away (which counts even for root), or marks the file
// immutable; false when this machine cannot.
bool protect(const QString &path, bool immutable, bool on)
{
    if (immutable)
        return QProcess::execute("chattr", {on ? "+i" : "-i", path}) == 0;
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    return QFile::setPermissions(path, on ? readable : readable | QFile::WriteOwner);
}

} // namespace

void TestReadOnlyCatalogue::failedEditIsReportedOnceUntilWritableAgain_data()
{
    QTest::addColumn<bool>("immutable");
    QTest::newRow("no write permission") << false;
    QTest::newRow("immutable") << true;
}

void TestReadOnlyCatalogue::failedEditIsReportedOnceUntilWritableAgain()
{
    QFETCH(bool, immutable);
    TempFolder folder;
    folder.makeFolder("A");
    // Showing item 2 would write back "Ja" for "ja" and an empty "Global"; item 3 would lose "Spil".
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Et", "Global=g", "Folder=A", "[Z2]", "Titel=To", "Spil=ja",
                                        "[Z3]", "Titel=Tre", "Global=t"}));
    TMQVEdit window;
    const QString path = folder.filePath("Z.MQV");
    const QByteArray opened = folder.readFile("Z.MQV");
    if (!protect(path, immutable, true))
        QSKIP("this file system or user cannot mark files immutable");
    auto release = qScopeGuard([&] { protect(path, immutable, false); });
    auto *status = control<QLabel>(&window, "ZStatusPanel3");

    MessageBoxAnswer answer(QMessageBox::Ok);
    typeInto(window, "TitelEdit", "Nyt navn");
    QCOMPARE(answer.count(), 1);
    QCOMPARE(answer.text(), QString("Unable to write to .\\Z.MQV."));
    // The window shows what is stored, not the keystroke that could not be.
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("Et"));
    QCOMPARE(status->text(), QString("Skrivebeskyttet"));
    QVERIFY(!control<QCheckBox>(&window, "Spil")->isEnabled());
    QVERIFY(!control<QAction>(&window, "NytPunkt")->isEnabled());
    // The description has a file of its own, in a folder that can be written.
    QTest::keyClicks(control<QTextEdit>(&window, "Beskriv"), "Fra disken");
    for (int item = 0; item < 3; ++item)
        clickToolButton(window, "ToolButton10");
    control<QAction>(&window, "S2")->trigger();
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("To"));
    QCOMPARE(answer.count(), 1);
    QCOMPARE(folder.readFile("Z.MQV"), opened);
    QVERIFY(folder.readFile("A/DK.RTF").contains("Fra disken"));

    release.dismiss();
    QVERIFY(protect(path, immutable, false));
    clickToolButton(window, "ToolButton10");
    QCOMPARE(status->text(), QString("Status"));
    typeInto(window, "TitelEdit", "Nyt");
    QCOMPARE(window.CatalogueFile->ReadString("Z3", "Titel", ""), QString("Nyt"));
    QCOMPARE(answer.count(), 1);
}

QTEST_MAIN(TestReadOnlyCatalogue)
#include "tst_readonlycatalogue.moc"
