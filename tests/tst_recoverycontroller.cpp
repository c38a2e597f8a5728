#include "catalogue/Catalogue.h"
#include "description/DescriptionFile.h"
#include "description/DescriptionRecovery.h"
#include "editor/Question.h"
#include "editor/RecoveryController.h"
#include "files/UserFolders.h"
#include "support/EditorTesting.h"
#include "support/FakeEditorContext.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QDir>
#include <QtTest>

// The three questions about a description not yet saved, each answered before it is put, and
// what each answer leaves in the files.
class TestRecoveryController : public QObject {
    Q_OBJECT
private slots:
    void leftOverTextAtStart_data();
    void leftOverTextAtStart();
    void fileChangedOnDisk_data();
    void fileChangedOnDisk();
    void closingWithoutSaving_data();
    void closingWithoutSaving();
};

namespace {

const QByteArray shown = "{\\rtf1\\ansi Vist}";
const QString storedPath = QStringLiteral("A\\DK.RTF");

// Item 1 with its Danish description, and the editor's context and recovery on it.
struct Editor {
    Editor()
    {
        folder.makeFolder("A");
        folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
        folder.writeFile("A/DK.RTF", shown);
        context.emplace();
        recovery.emplace(*context, context->history(), context->description(), nullptr);
        recovery->open();
        context->askForTarget = [this](const QString &path) { return recovery->askForDescriptionTarget(path); };
        context->loadDescription();
    }

    TempFolder folder;
    std::optional<FakeEditorContext> context;
    std::optional<RecoveryController> recovery;
};

QStringList recoveryFiles()
{
    const QString folder = UserFolders::forCatalogue(UserFolders::state(), "recovery", Catalogue::localPath());
    return QDir(folder).entryList({"*.json"}, QDir::Files);
}

} // namespace

void TestRecoveryController::leftOverTextAtStart_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("restored");
    QTest::newRow("Ja") << 0 << true;
    QTest::newRow("Nej") << 1 << false;
}

// Another editor ended with its text unsaved; this one offers it, and the answer is final.
void TestRecoveryController::leftOverTextAtStart()
{
    QFETCH(int, answer);
    QFETCH(bool, restored);
    Editor editor;
    const QByteArray kept = "{\\rtf1\\ansi Gemt}";
    DescriptionRecovery other(Catalogue::localPath(), [&] {
        DescriptionRecovery::Unsaved unsaved;
        unsaved.item = 1;
        unsaved.language = "Dansk";
        unsaved.storedPath = storedPath;
        unsaved.rtf = kept;
        unsaved.shownDigest = DescriptionRecovery::shownDigest(storedPath, editor.context->description().shownFile());
        return unsaved;
    });
    QVERIFY(other.keep());

    Questions::setNextAnswer(answer);
    editor.recovery->checkAtStart();
    QCOMPARE(Questions::lastAsked().text, QString("Gendan den ikke gemte beskrivelse af punkt 1 (Dansk)?"));
    QCOMPARE(editor.folder.readFile("A/DK.RTF"), restored ? kept : shown);
    QCOMPARE(recoveryFiles(), QStringList());
    // Put back as a step of its own, which the user can take back.
    QCOMPARE(control<QAction>(&editor.context->menu(), "Fortryd")->text(),
             restored ? QString("Fortryd: Gendan beskrivelse, punkt 1") : QString("Fortryd"));
}

void TestRecoveryController::fileChangedOnDisk_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("typedInFile");
    QTest::addColumn<bool>("typedInCopy");
    QTest::newRow("Overskriv") << 0 << true << false;
    QTest::newRow("Behold den på disken") << 1 << false << false;
    QTest::newRow("Gem som ny fil") << 2 << false << true;
}

// Someone wrote the file while the text was typed; the user chooses whose text it keeps.
void TestRecoveryController::fileChangedOnDisk()
{
    QFETCH(int, answer);
    QFETCH(bool, typedInFile);
    QFETCH(bool, typedInCopy);
    Editor editor;
    editor.context->type("skrevet her ");
    const QByteArray theirs = "{\\rtf1\\ansi Skrevet et andet sted}";
    editor.folder.writeFile("A/DK.RTF", theirs);

    // Named before there is one: a copy there already gives the next copy another name.
    const QString copy = DescriptionFile::copyPath(storedPath).replace('\\', '/');
    Questions::setNextAnswer(answer);
    editor.context->saveDescription();
    QCOMPARE(Questions::lastAsked().text, QString("Beskrivelsen er ændret på disken, siden den blev vist."));
    const QByteArray file = editor.folder.readFile("A/DK.RTF");
    QCOMPARE(file.contains("skrevet her"), typedInFile);
    if (!typedInFile)
        QCOMPARE(file, theirs);
    QCOMPARE(QFile::exists(copy), typedInCopy);
    if (typedInCopy)
        QVERIFY(editor.folder.readFile(copy).contains("skrevet her"));
}

void TestRecoveryController::closingWithoutSaving_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Ja") << 0 << true;
    QTest::newRow("Nej") << 1 << false;
}

// The text is given up only when the user says so; until then it is kept against a crash.
void TestRecoveryController::closingWithoutSaving()
{
    QFETCH(int, answer);
    QFETCH(bool, closes);
    Editor editor;
    editor.context->type("skrevet her ");
    QTRY_COMPARE(recoveryFiles().size(), 1);

    Questions::setNextAnswer(answer);
    QCOMPARE(editor.recovery->closeWithoutSaving("Disken er fuld"), closes);
    QCOMPARE(Questions::lastAsked().text, QString("Luk uden at gemme beskrivelsen?"));
    QCOMPARE(recoveryFiles().size(), closes ? 0 : 1);
    QCOMPARE(editor.folder.readFile("A/DK.RTF"), shown);
}

QTEST_MAIN(TestRecoveryController)
#include "tst_recoverycontroller.moc"
