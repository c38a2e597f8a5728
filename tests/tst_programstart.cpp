#include "app/CatalogueLocation.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QFileDialog>
#include <QProcess>
#include <QTimer>
#include <QtTest>

// The editor as the desktop starts it: with a catalogue to open, with --help or --version, or
// from a launcher without one.
class TestProgramStart : public QObject {
    Q_OBJECT
private slots:
    void opensTheCatalogueNamedOnTheCommandLine_data();
    void opensTheCatalogueNamedOnTheCommandLine();
    void answersWithoutAWindow();
    void cancellingTheFileDialogOpensNothing();
};

namespace {

void startEditor(QProcess &editor, const QString &workingFolder, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    editor.setProcessEnvironment(environment);
    editor.setWorkingDirectory(workingFolder);
    editor.start(QStringLiteral(MQV_EDITOR_EXECUTABLE), arguments);
}

QString currentFolderOf(const QProcess &process)
{
    return QFileInfo(QStringLiteral("/proc/%1/cwd").arg(process.processId())).symLinkTarget();
}

} // namespace

void TestProgramStart::opensTheCatalogueNamedOnTheCommandLine_data()
{
    QTest::addColumn<QString>("argument");
    QTest::newRow("the catalogue file") << "Udgaver/Norsk/Z.MQV";
    QTest::newRow("the catalogue file, absolute") << "/Udgaver/Norsk/Z.MQV";
    QTest::newRow("the folder that holds it") << "Udgaver/Norsk";
}

void TestProgramStart::opensTheCatalogueNamedOnTheCommandLine()
{
    QFETCH(QString, argument);
    TempFolder root;
    root.writeFile("Udgaver/Norsk/Z.MQV", iniBytes({"[Z1]", "Titel=Norsk"}));
    root.writeFile("Hjem/Z.MQV", iniBytes({"[Z1]", "Titel=Hjemme"}));
    if (argument.startsWith('/'))
        argument = root.path() + argument;
    else
        argument = "../" + argument;

    QProcess editor;
    startEditor(editor, root.filePath("Hjem"), {argument});
    QVERIFY(editor.waitForStarted());
    QTRY_COMPARE(currentFolderOf(editor), QFileInfo(root.filePath("Udgaver/Norsk")).canonicalFilePath());
    // The window is up and waits for the user.
    QVERIFY(!editor.waitForFinished(1000));
    editor.kill();
    editor.waitForFinished();
    QCOMPARE(root.readFile("Hjem/Z.MQV"), iniBytes({"[Z1]", "Titel=Hjemme"}));
}

void TestProgramStart::answersWithoutAWindow()
{
    TempFolder folder;
    QProcess editor;
    startEditor(editor, folder.path(), {"--version"});
    QVERIFY(editor.waitForFinished());
    QCOMPARE(editor.exitCode(), 0);
    QCOMPARE(editor.readAllStandardOutput().trimmed(), QByteArray("MQVEditor " MQV_VERSION));

    startEditor(editor, folder.path(), {"--help"});
    QVERIFY(editor.waitForFinished());
    QCOMPARE(editor.exitCode(), 0);
    const QString help = QString::fromUtf8(editor.readAllStandardOutput());
    QVERIFY2(help.contains("[KATALOG]") && help.contains("--version"), qPrintable(help));

    startEditor(editor, folder.path(), {"Ingen/Z.MQV"});
    QVERIFY(editor.waitForFinished());
    QCOMPARE(editor.exitCode(), 2);
    const QByteArray complaint = editor.readAllStandardError();
    QVERIFY2(complaint.contains("MQVEditor: Ingen/Z.MQV findes ikke.\n"), complaint.constData());
    QVERIFY(!QFile::exists(folder.filePath("Ingen")));
}

// Cancelling leaves the current folder as it is, so a new catalogue can be started there.
void TestProgramStart::cancellingTheFileDialogOpensNothing()
{
    TempFolder folder;
    QVERIFY(!CatalogueLocation::inCurrentFolder());
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    answer.start(20);
    QVERIFY(!CatalogueLocation::ask());
    QCOMPARE(QDir::currentPath(), folder.path());
}

QTEST_MAIN(TestProgramStart)
#include "tst_programstart.moc"
