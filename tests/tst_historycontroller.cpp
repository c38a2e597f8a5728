#include "app/EditMQV.h"
#include "files/AtomicFile.h"
#include "support/EditorTesting.h"
#include "support/FakeEditorContext.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QDir>
#include <QtTest>

// The history's actions and step names without a window: what "Fortryd" and "Gentag" put back
// into the files, and what they say they would.
class TestHistoryController : public QObject {
    Q_OBJECT
private slots:
    void undoAndRedoWriteTheCatalogueBack();
    void redoSurvivesADisplayThatWrites();
    void stepsAreNamedFromTheTable();
};

namespace {

const QByteArray catalogueBefore = iniBytes({"[Z1]", "Titel=A", "Folder=A"});

void prepare(TempFolder &folder)
{
    folder.makeFolder("A");
    folder.writeFile("Z.MQV", catalogueBefore);
}

void retitle(FakeEditorContext &context, TMQVEdit::Handler handler, const QString &title)
{
    context.history().record(context.history().stepFor(handler),
                             [&] { context.catalogue().WriteString("Z1", "Titel", title); });
}

QAction *action(FakeEditorContext &context, const QString &name) { return control<QAction>(&context.menu(), name); }

} // namespace

void TestHistoryController::undoAndRedoWriteTheCatalogueBack()
{
    TempFolder folder;
    prepare(folder);
    FakeEditorContext context;
    retitle(context, nullptr, "B");
    const QByteArray changed = folder.readFile("Z.MQV");
    QCOMPARE(action(context, "Fortryd")->text(), QString("Fortryd: Titel: »A« → »B«, punkt 1"));
    QVERIFY(!action(context, "Gentag")->isEnabled());

    action(context, "Fortryd")->trigger();
    QCOMPARE(folder.readFile("Z.MQV"), catalogueBefore);
    QCOMPARE(action(context, "Gentag")->text(), QString("Gentag: Titel: »A« → »B«, punkt 1"));
    QVERIFY(!action(context, "Fortryd")->isEnabled());

    action(context, "Gentag")->trigger();
    QCOMPARE(folder.readFile("Z.MQV"), changed);
    QVERIFY(context.refusals.isEmpty());
}

// The display after an undo may write (a file's letter case put right, a missing folder noted):
// that is no step of the user's, and the way forward stays.
void TestHistoryController::redoSurvivesADisplayThatWrites()
{
    TempFolder folder;
    prepare(folder);
    FakeEditorContext context;
    int displays = 0;
    context.onDisplay = [&] {
        ++displays;
        AtomicFile::replace(QDir::current().filePath("A/Vist.txt"), QByteArray::number(displays));
    };
    retitle(context, nullptr, "B");
    const QByteArray changed = folder.readFile("Z.MQV");

    action(context, "Fortryd")->trigger();
    QCOMPARE(displays, 1);
    QVERIFY(action(context, "Gentag")->isEnabled());
    action(context, "Gentag")->trigger();
    QCOMPARE(displays, 2);
    QCOMPARE(folder.readFile("Z.MQV"), changed);
    QVERIFY(context.refusals.isEmpty());
}

// A handler in the table names its step or makes its keystrokes one step; any other is named by
// what it changed.
void TestHistoryController::stepsAreNamedFromTheTable()
{
    TempFolder folder;
    prepare(folder);
    FakeEditorContext context({
        {&TMQVEdit::SletClick, [](CatalogueHistory::Action &step) { step.name = "Slet indhold"; }},
        {&TMQVEdit::TitelEditChange, [](CatalogueHistory::Action &step) { step.mergeKey = "TitelEdit/1"; }},
    });
    retitle(context, &TMQVEdit::TitelEditChange, "AB");
    retitle(context, &TMQVEdit::TitelEditChange, "ABC");
    QCOMPARE(action(context, "Fortryd")->text(), QString("Fortryd: Titel: »A« → »ABC«, punkt 1"));
    retitle(context, &TMQVEdit::SletClick, "X");
    QCOMPARE(action(context, "Fortryd")->text(), QString("Fortryd: Slet indhold, punkt 1"));
    retitle(context, &TMQVEdit::NyClick, "Y");
    QCOMPARE(action(context, "Fortryd")->text(), QString("Fortryd: Titel: »X« → »Y«, punkt 1"));

    action(context, "Fortryd")->trigger();
    action(context, "Fortryd")->trigger();
    action(context, "Fortryd")->trigger();
    QCOMPARE(folder.readFile("Z.MQV"), catalogueBefore);
}

QTEST_MAIN(TestHistoryController)
#include "tst_historycontroller.moc"
