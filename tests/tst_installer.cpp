#include "app/EditMQV.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QFile>
#include <QStatusBar>
#include <QtTest>

// "Installér" runs the setup program the fields name, from the item's folder, without waiting.
class TestInstaller : public QObject {
    Q_OBJECT
private slots:
    void startsTheSetupProgramInItsFolder();
    void startsWhatTheFieldsShowUnsaved();
    void failureShowsTheReason();
    void nativeScriptRunsOnlyWhenAllowed();
};

namespace {

void writeScript(TempFolder &folder, const QString &path, const QByteArray &body)
{
    folder.writeFile(path, "#!/bin/sh\n" + body);
    QFile::setPermissions(folder.filePath(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

void TestInstaller::startsTheSetupProgramInItsFolder()
{
    TempFolder folder;
    writeScript(folder, "Programmer/Skak/SETUP.SH", "pwd -P > mark.txt\n");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Skak", "Folder=programmer\\skak", "Setup=Setup.sh"}));
    TMQVEdit window;
    MessageBoxAnswer answer(QMessageBox::Yes);
    clickButton(window, "Start");
    QCOMPARE(answer.count(), 1);
    QCOMPARE(answer.text(), QString("SETUP.SH er et Linux-skript. K\u00F8r det?"));
    QTRY_VERIFY(QFile::exists(folder.filePath("Programmer/Skak/mark.txt")));
    QTRY_COMPARE(folder.readFile("Programmer/Skak/mark.txt").trimmed(),
                 QFileInfo(folder.filePath("Programmer/Skak")).canonicalFilePath().toUtf8());
    QCOMPARE(window.CurrentItemNumber, 1);
}

void TestInstaller::startsWhatTheFieldsShowUnsaved()
{
    TempFolder folder;
    writeScript(folder, "P/other.sh", "touch other-ran\n");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=P", "Setup="}));
    TMQVEdit window;
    typeInto(window, "SetupEdit", "Other.sh");
    window.CatalogueFile->WriteString("Z1", "Setup", "");
    MessageBoxAnswer answer(QMessageBox::Yes);
    clickButton(window, "Start");
    QTRY_VERIFY(QFile::exists(folder.filePath("P/other-ran")));
}

// "Nej" runs nothing: a script is the user's to allow.
void TestInstaller::nativeScriptRunsOnlyWhenAllowed()
{
    TempFolder folder;
    writeScript(folder, "P/Setup.exe", "touch ran\n");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=P", "Setup=Setup.exe"}));
    TMQVEdit window;
    MessageBoxAnswer answer(QMessageBox::No);
    clickButton(window, "Start");
    QCOMPARE(answer.text(), QString("Setup.exe er et Linux-skript, ikke et Windows-program. K\u00F8r det?"));
    QTest::qWait(300);
    QVERIFY(!QFile::exists(folder.filePath("P/ran")));
    QVERIFY(!control<QStatusBar>(&window, "ZStatus")->currentMessage().startsWith("Startet"));
}

void TestInstaller::failureShowsTheReason()
{
    TempFolder folder;
    folder.makeFolder("P");
    const QByteArray catalogue = iniBytes({"[Z1]", "Titel=A", "Folder=P", "Setup=Mangler.exe"});
    folder.writeFile("Z.MQV", catalogue);
    TMQVEdit window;
    MessageBoxAnswer answer(QMessageBox::Ok);
    clickButton(window, "Start");
    QCOMPARE(answer.count(), 1);
    QVERIFY2(answer.text().contains("Mangler.exe"), qPrintable(answer.text()));
    QCOMPARE(answer.icon(), QMessageBox::Critical);
    QCOMPARE(answer.title(), QString("R-Irad: A"));
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
    QCOMPARE(window.CurrentItemNumber, 1);
}

QTEST_MAIN(TestInstaller)
#include "tst_installer.moc"
