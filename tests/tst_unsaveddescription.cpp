#include "app/EditMQV.h"
#include "description/DescriptionRecovery.h"
#include "files/EditorPresence.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QDirIterator>
#include <QProcess>
#include <QtTest>

#include <csignal>

// A description typed and not yet saved: kept against a crash and offered at the next start,
// never written over a file another editor changed, and a second editor on the catalogue told so.
class TestUnsavedDescription : public QObject {
    Q_OBJECT
private slots:
    void lockCountsOnlyOpenEditors_data();
    void lockCountsOnlyOpenEditors();
    void recoveryIsKeptOutsideTheCatalogue();
    void killedEditorsTextIsOfferedAtTheNextStart_data();
    void killedEditorsTextIsOfferedAtTheNextStart();
    void recoveryQuestionNamesTheItemItAsksAbout();
    void steadyTypingIsKeptWithoutAPause();
    void terminatedEditorSavesTheText();
    void twoEditorsNeverOverwriteEachOtherUnasked_data();
    void twoEditorsNeverOverwriteEachOtherUnasked();
};

namespace {

const QString notice = QStringLiteral("Kataloget er ogs\u00E5 \u00E5bent i en anden Z-CD editor.");
const QString changedOnDisk = QStringLiteral("Beskrivelsen er \u00E6ndret p\u00E5 disken, siden den blev vist.");
const QString keepDisk = QStringLiteral("Behold den p\u00E5 disken");

// Every file under the folder, by relative path.
QStringList filesUnder(const QString &path)
{
    QStringList files;
    QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(path).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QStringList recoveryFiles(const TempFolder &folder)
{
    return filesUnder(folder.statePath() + "/mqveditor/recovery");
}

// A Norwegian description of item 1, and an editor typing the text at its end; true once it has.
bool startTypingEditor(const TempFolder &folder, QProcess &editor, const QString &text)
{
    folder.writeFile("A/No.RTF", "{\\rtf1 Norsk\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Generelt]", "Sprog=Norsk", "[Z1]", "Titel=A", "Folder=A"}));
    editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    editor.start(TYPING_EDITOR_EXECUTABLE, {text});
    return editor.waitForReadyRead(30000);
}

} // namespace

void TestUnsavedDescription::lockCountsOnlyOpenEditors_data()
{
    QTest::addColumn<bool>("runtimeFolder");
    QTest::newRow("runtime folder") << true;
    QTest::newRow("no runtime folder: the state folder") << false;
}

void TestUnsavedDescription::lockCountsOnlyOpenEditors()
{
    QFETCH(bool, runtimeFolder);
    TempFolder folder;
    if (!runtimeFolder)
        qunsetenv("XDG_RUNTIME_DIR");
    const QString catalogue = folder.filePath("Z.MQV");
    auto first = std::make_unique<EditorPresence>(catalogue);
    QVERIFY(!first->othersHadItOpen());
    QVERIFY(first->path().startsWith((runtimeFolder ? folder.runtimePath() : folder.statePath()) + "/mqveditor/locks/"));
    QVERIFY(EditorPresence(catalogue).othersHadItOpen());
    QVERIFY(!EditorPresence(folder.filePath("Other/Z.MQV")).othersHadItOpen());
    const QString path = first->path();
    first.reset();
    // The lock file stays behind; only a lock that is held counts.
    QVERIFY(QFile::exists(path));
    QVERIFY(!EditorPresence(catalogue).othersHadItOpen());
    QCOMPARE(filesUnder(folder.path()), QStringList());
}

void TestUnsavedDescription::recoveryIsKeptOutsideTheCatalogue()
{
    TempFolder folder;
    const QString catalogue = folder.filePath("Z.MQV");
    const DescriptionRecovery::Unsaved typed{3, "Norsk", "A\\DK.RTF", "{\\rtf1 Ny\\par}", "none"};
    DescriptionRecovery writer(catalogue, [&] { return std::optional(typed); });
    const DescriptionRecovery reader(catalogue, [] { return std::nullopt; });
    QVERIFY(writer.keep());
    QCOMPARE(recoveryFiles(folder).size(), 1);
    QCOMPARE(filesUnder(folder.path()), QStringList());
    QCOMPARE(writer.leftOver().size(), std::size_t(0));
    const std::vector<DescriptionRecovery::LeftOver> found = reader.leftOver();
    QCOMPARE(found.size(), std::size_t(1));
    QCOMPARE(found[0].unsaved.rtf, typed.rtf);
    writer.drop();
    QCOMPARE(recoveryFiles(folder), QStringList());

    // A state folder inside the catalogue's tree is not used.
    qputenv("XDG_STATE_HOME", folder.filePath("state").toUtf8());
    DescriptionRecovery inside(catalogue, [&] { return std::optional(typed); });
    QVERIFY(!inside.keep());
    QCOMPARE(filesUnder(folder.path()), QStringList());
}

void TestUnsavedDescription::killedEditorsTextIsOfferedAtTheNextStart_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("changedSince");
    QTest::addColumn<QString>("shown");
    QTest::newRow("restored") << "Yes" << false << "Norsk, skrevet inden nedbruddet";
    QTest::newRow("file changed since: kept as on disk") << "Yes" << true << "Andet";
    QTest::newRow("declined") << "No" << false << "Norsk";
}

void TestUnsavedDescription::killedEditorsTextIsOfferedAtTheNextStart()
{
    QFETCH(QString, answer);
    QFETCH(bool, changedSince);
    QFETCH(QString, shown);
    TempFolder folder;
    QProcess editor;
    QVERIFY(startTypingEditor(folder, editor, ", skrevet inden nedbruddet"));
    QCOMPARE(editor.readAll(), QByteArray("typed\n"));
    QTRY_COMPARE_WITH_TIMEOUT(recoveryFiles(folder).size(), 1, 10000);
    ::kill(editor.processId(), SIGKILL);
    QVERIFY(editor.waitForFinished());
    QCOMPARE(editor.exitStatus(), QProcess::CrashExit);
    QCOMPARE(folder.readFile("A/No.RTF"), QByteArray("{\\rtf1 Norsk\\par}"));
    if (changedSince)
        folder.writeFile("A/No.RTF", "{\\rtf1 Andet\\par}");
    const QByteArray before = folder.readFile("A/No.RTF");

    TMQVEdit window;
    MessageBoxAnswer answers({answer, keepDisk});
    window.show();
    QTRY_VERIFY(answers.count() >= 1);
    QCOMPARE(answers.text(0), QString("Gendan den ikke gemte beskrivelse af punkt 1 (Norsk)?"));
    QTRY_COMPARE(answers.count(), changedSince ? 2 : 1);
    if (changedSince)
        QCOMPARE(answers.text(1), changedOnDisk);
    QCOMPARE(shownDescription(window), shown);
    QCOMPARE(recoveryFiles(folder), QStringList());
    if (answer == "Yes" && !changedSince) {
        QVERIFY(folder.readFile("A/No.RTF").contains("Norsk, skrevet inden nedbruddet"));
        QCOMPARE(control<QAction>(&window, "Fortryd")->text(), QString("Fortryd: Gendan beskrivelse, punkt 1"));
    } else {
        QCOMPARE(folder.readFile("A/No.RTF"), before);
    }
    // Beside the catalogue only the open editor's mark, which replaced the killed one's.
    QCOMPARE(filesUnder(folder.path()), QStringList({".~lock.Z.MQV#", "A/No.RTF", "Z.MQV"}));
    QVERIFY(folder.readFile(".~lock.Z.MQV#").endsWith("," + QByteArray::number(QCoreApplication::applicationPid()) + ";\n"));
}

void TestUnsavedDescription::steadyTypingIsKeptWithoutAPause()
{
    TempFolder folder;
    const DescriptionRecovery::Unsaved typed{1, "Dansk", "A\\DK.RTF", "{\\rtf1 Ny\\par}", "none"};
    DescriptionRecovery recovery(folder.filePath("Z.MQV"), [&] { return std::optional(typed); },
                                 std::chrono::milliseconds(300), std::chrono::milliseconds(600));
    QElapsedTimer typing;
    typing.start();
    while (recoveryFiles(folder).isEmpty() && typing.elapsed() < 3000) {
        recovery.typed();
        QTest::qWait(50);
    }
    QVERIFY2(typing.elapsed() < 1500, "kept only after typing stopped");
}

// A logout or shutdown ends the editor with SIGTERM: the text is saved as closing saves it.
void TestUnsavedDescription::terminatedEditorSavesTheText()
{
    TempFolder folder;
    QProcess editor;
    QVERIFY(startTypingEditor(folder, editor, ", skrevet inden nedlukningen"));
    ::kill(editor.processId(), SIGTERM);
    QVERIFY(editor.waitForFinished());
    QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
    QVERIFY(folder.readFile("A/No.RTF").contains("Norsk, skrevet inden nedlukningen"));
    QCOMPARE(recoveryFiles(folder), QStringList());
}

void TestUnsavedDescription::twoEditorsNeverOverwriteEachOtherUnasked_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("kept");   // in DK.RTF
    QTest::addColumn<QString>("copied"); // in DK - Kopi.RTF, empty for no such file
    QTest::newRow("overwrite") << "Overskriv" << "Gammel fra B" << "";
    QTest::newRow("keep the one on disk") << keepDisk << "Gammel fra A" << "";
    QTest::newRow("save as a new file") << "Gem som ny fil" << "Gammel fra A" << "Gammel fra B";
}

void TestUnsavedDescription::twoEditorsNeverOverwriteEachOtherUnasked()
{
    QFETCH(QString, answer);
    QFETCH(QString, kept);
    QFETCH(QString, copied);
    TempFolder folder;
    folder.writeFile("A/DK.RTF", "{\\rtf1 Gammel\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B"}));
    MessageBoxAnswer answers({"OK", answer});
    TMQVEdit first;
    first.show();
    QVERIFY(QTest::qWaitForWindowExposed(&first));
    TMQVEdit second;
    second.show();
    QTRY_COMPARE(answers.count(), 1);
    QCOMPARE(answers.text(0), notice);

    typeDescription(first, " fra A");
    clickToolButton(first, "ToolButton10");
    QCOMPARE(answers.count(), 1);
    typeDescription(second, " fra B");
    clickToolButton(second, "ToolButton10");
    QCOMPARE(answers.count(), 2);
    QCOMPARE(answers.text(1), changedOnDisk);
    QCOMPARE(second.CurrentItemNumber, 2);

    clickToolButton(second, "ToolButton8");
    QCOMPARE(shownDescription(second), kept);
    QVERIFY(folder.readFile("A/DK.RTF").contains(kept.toLatin1()));
    if (copied.isEmpty()) {
        QCOMPARE(filesUnder(folder.filePath("A")), QStringList({"DK.RTF"}));
    } else {
        QCOMPARE(filesUnder(folder.filePath("A")), QStringList({"DK - Kopi.RTF", "DK.RTF"}));
        QVERIFY(folder.readFile("A/DK - Kopi.RTF").contains(copied.toLatin1()));
    }
    QCOMPARE(answers.count(), 2);
}

void TestUnsavedDescription::recoveryQuestionNamesTheItemItAsksAbout()
{
    TempFolder folder;
    folder.writeFile("B/DK.RTF", "{\\rtf1 Dansk\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "[Z2]", "Titel=B", "Folder=B"}));
    QProcess editor;
    editor.start(TYPING_EDITOR_EXECUTABLE, {" mere", "2"});
    QVERIFY(editor.waitForReadyRead(30000));
    QTRY_COMPARE_WITH_TIMEOUT(recoveryFiles(folder).size(), 1, 10000);
    ::kill(editor.processId(), SIGKILL);
    QVERIFY(editor.waitForFinished());

    TMQVEdit window;
    MessageBoxAnswer answers(QMessageBox::No);
    window.show();
    QTRY_COMPARE(answers.count(), 1);
    QCOMPARE(answers.text(0), QString("Gendan den ikke gemte beskrivelse af punkt 2 (Dansk)?"));
    QCOMPARE(answers.title(0), QString("R-Irad: B"));
}

QTEST_MAIN(TestUnsavedDescription)
#include "tst_unsaveddescription.moc"
