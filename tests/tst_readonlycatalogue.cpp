#include "app/EditMQV.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTextEdit>
#include <QtTest>

// A catalogue on a burned disc or a write-protected stick: browsed without a message box per
// item, told once, and editable again as soon as it can be written.
class TestReadOnlyCatalogue : public QObject {
    Q_OBJECT
private slots:
    void browsingShowsNoBoxAndChangesNoByte_data();
    void browsingShowsNoBoxAndChangesNoByte();
    void failedEditIsReportedOnceUntilWritableAgain();
};

namespace {

// Showing these items writes back: "ja" is rewritten as "Ja", item 2 lacks "Global", item 3
// loses "Spil".
QByteArray sampleCatalogue()
{
    return iniBytes({"[Z1]", "Titel=Et", "Spil=ja", "Global=g", "Folder=A", "[Z2]", "Titel=To", "Spil=Ja", "[Z3]",
                     "Titel=Tre", "Global=t"});
}

// Takes the owner's write permission away (which counts even for root), or marks the file
// immutable; false when this machine cannot.
bool protect(const QString &path, bool immutable, bool on)
{
    if (immutable)
        return QProcess::execute("chattr", {on ? "+i" : "-i", path}) == 0;
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    return QFile::setPermissions(path, on ? readable : readable | QFile::WriteOwner);
}

QString statusText(const TMQVEdit &window)
{
    return control<QLabel>(&window, "ZStatusPanel3")->text();
}

} // namespace

void TestReadOnlyCatalogue::browsingShowsNoBoxAndChangesNoByte_data()
{
    QTest::addColumn<bool>("immutable");
    QTest::newRow("no write permission") << false;
    QTest::newRow("immutable") << true;
}

void TestReadOnlyCatalogue::browsingShowsNoBoxAndChangesNoByte()
{
    QFETCH(bool, immutable);
    TempFolder folder;
    folder.makeFolder("A");
    folder.writeFile("Z.MQV", sampleCatalogue());
    const QString path = folder.filePath("Z.MQV");
    if (!protect(path, immutable, true))
        QSKIP("this file system or user cannot mark files immutable");
    const auto release = qScopeGuard([&] { protect(path, immutable, false); });

    MessageBoxAnswer answer(QMessageBox::Ok);
    TMQVEdit window;
    QCOMPARE(statusText(window), QString("Skrivebeskyttet"));
    QVERIFY(control<QLineEdit>(&window, "TitelEdit")->isReadOnly());
    QVERIFY(!control<QCheckBox>(&window, "Spil")->isEnabled());
    QVERIFY(!control<QAction>(&window, "NytPunkt")->isEnabled());
    QVERIFY(!control<QPushButton>(&window, "HentFast")->isEnabled());
    // The description has a file of its own, in a folder that can be written.
    QTest::keyClicks(control<QTextEdit>(&window, "Beskriv"), "Fra disken");
    for (int item = 0; item < 3; ++item)
        clickToolButton(window, "ToolButton10");
    control<QAction>(&window, "S2")->trigger();
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("To"));
    QCOMPARE(answer.count(), 0);
    QCOMPARE(folder.readFile("Z.MQV"), sampleCatalogue());
    QVERIFY(folder.readFile("A/DK.RTF").contains("Fra disken"));
}

void TestReadOnlyCatalogue::failedEditIsReportedOnceUntilWritableAgain()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", sampleCatalogue());
    TMQVEdit window;
    const QByteArray opened = folder.readFile("Z.MQV");
    QCOMPARE(statusText(window), QString("Status"));
    protect(folder.filePath("Z.MQV"), false, true);

    MessageBoxAnswer answer(QMessageBox::Ok);
    typeInto(window, "TitelEdit", "Nyt navn");
    QCOMPARE(answer.count(), 1);
    QCOMPARE(answer.text(), QString("Unable to write to .\\Z.MQV."));
    // The window shows what is stored, not the keystroke that could not be.
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("Et"));
    QCOMPARE(statusText(window), QString("Skrivebeskyttet"));
    QVERIFY(!control<QCheckBox>(&window, "Spil")->isEnabled());
    QCOMPARE(folder.readFile("Z.MQV"), opened);

    protect(folder.filePath("Z.MQV"), false, false);
    clickToolButton(window, "ToolButton10");
    QCOMPARE(statusText(window), QString("Status"));
    typeInto(window, "TitelEdit", "Nyt");
    QCOMPARE(window.CatalogueFile->ReadString("Z2", "Titel", ""), QString("Nyt"));
    QCOMPARE(answer.count(), 1);
}

QTEST_MAIN(TestReadOnlyCatalogue)
#include "tst_readonlycatalogue.moc"
