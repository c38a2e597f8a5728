#include "app/EditMQV.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QFile>
#include <QtTest>

// "Installér" runs the setup program the fields name, from the item's folder, without waiting.
class TestInstaller : public QObject {
    Q_OBJECT
private slots:
    void startsTheSetupProgramInItsFolder();
    void startsWhatTheFieldsShowUnsaved();
    void failureShowsTheReason();
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
    MessageBoxAnswer answer(QMessageBox::Ok);
    clickButton(window, "Start");
    QTRY_VERIFY(QFile::exists(folder.filePath("Programmer/Skak/mark.txt")));
    QTRY_COMPARE(folder.readFile("Programmer/Skak/mark.txt").trimmed(),
                 QFileInfo(folder.filePath("Programmer/Skak")).canonicalFilePath().toUtf8());
    QCOMPARE(answer.count(), 0);
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
    clickButton(window, "Start");
    QTRY_VERIFY(QFile::exists(folder.filePath("P/other-ran")));
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
