#include "app/EditMQV.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QDockWidget>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

// The "Problemer" pane of the real window: the rules mqvcheck applies, kept up to date while the
// catalogue is edited, each row leading to what it is about.
class TestProblems : public QObject {
    Q_OBJECT
private slots:
    void listsWhatMqvcheckFindsAndWritesNothing();
    void followsTypingAndLeadsToTheItemLanguageAndField();
    void rowSetAsideStaysAsideForThisCatalogueUntilShownAgain();
    void changedDanishWordMarksTheTranslationsWrittenBeforeIt();
};

namespace {

// The list follows a change within half a second on a quiet machine (the checks start 150 ms after
// the last change); a loaded or sanitized run is given room, so only a list that never follows fails.
constexpr int listFollows = 10000;

QByteArray rtf(const QByteArray &text) { return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 " + text + "\\par}"; }

// Item 1 misses its setup, pictures and three translations; item 2 has no title, category,
// folder or setup; number 3 is free.
void writeCatalogue(const TempFolder &folder)
{
    folder.writeFile("Skak/DK.RTF", rtf("Et spil for hele familien."));
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Skak", "Folder=Skak", "Setup=Setup.exe", "Spil=JA", "[Z2]",
                                        "Folder=Mangler", "[Z4]", "Titel=Dam", "Folder=Skak", "Skole=JA"}));
}

QTreeView *openPane(TMQVEdit &window)
{
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        throw std::runtime_error("the window did not open");
    control<QAction>(&window, "VisProblemer")->trigger();
    auto *list = control<QTreeView>(&window, "ProblemListe");
    if (!QTest::qWaitFor([list] { return list->model()->rowCount() > 0; }, 2000))
        throw std::runtime_error("the pane listed nothing");
    return list;
}

// "1 title-too-wide", one per row, sorted.
QStringList shownCodes(const QTreeView *list)
{
    QStringList codes;
    const QAbstractItemModel *model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString item = model->index(row, 1).data().toString().section(' ', 0, 0);
        codes << (item == "Kataloget" ? "0" : item) + " " + model->index(row, 0).data(Qt::UserRole).toString();
    }
    codes.sort();
    return codes;
}

QStringList mqvcheckCodes(const QString &folder)
{
    QProcess process;
    process.start(QStringLiteral(MQVCHECK_EXECUTABLE), {folder, "--json", "--no-spelling"});
    process.waitForFinished(60000);
    const QJsonObject report = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    QStringList codes;
    for (const QJsonValue problem : report["problems"].toArray())
        codes << "0 " + problem["code"].toString();
    for (const QJsonValue item : report["items"].toArray()) {
        for (const char *list : {"problems", "warnings"}) {
            for (const QJsonValue problem : item[list].toArray())
                codes << QString::number(item["number"].toInt()) + " " + problem["code"].toString();
        }
    }
    codes.sort();
    return codes;
}

int rowOf(const QTreeView *list, const QString &item, const QString &code)
{
    const QAbstractItemModel *model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 1).data().toString().startsWith(item + " ")
            && model->index(row, 0).data(Qt::UserRole) == code)
            return row;
    }
    return -1;
}

} // namespace

void TestProblems::listsWhatMqvcheckFindsAndWritesNothing()
{
    TempFolder folder;
    writeCatalogue(folder);
    const QStringList expected = mqvcheckCodes(folder.path());
    QVERIFY(expected.contains("0 free-numbers"));
    QVERIFY(expected.contains("1 description-missing"));
    QVERIFY(expected.contains("4 shared-folder"));

    TMQVEdit window;
    const QStringList before = filesAndTimes(folder.path());
    const QTreeView *list = openPane(window);
    QCOMPARE(shownCodes(list), expected);
    auto *dock = control<QDockWidget>(&window, "Problemer");
    QCOMPARE(dock->windowTitle(), QString("Problemer (%1)").arg(expected.size()));
    QCOMPARE(list->model()->index(rowOf(list, "2", "empty-title"), 4).data().toString(),
             QString("Titlen er tom, så punktet står ikke i menuerne"));

    stepForward(window);
    stepForward(window);
    stepBack(window);
    QTest::qWait(400);
    QCOMPARE(filesAndTimes(folder.path()), before);
    if (const QByteArray shots = qgetenv("MQV_SCREENSHOTS"); !shots.isEmpty())
    {
        window.resize(window.width() + 560, window.height());
        QTest::qWait(100);
        window.grab().save(QString::fromLocal8Bit(shots) + "/problems-pane.png");
    }
}

void TestProblems::followsTypingAndLeadsToTheItemLanguageAndField()
{
    TempFolder folder;
    writeCatalogue(folder);
    TMQVEdit window;
    QTreeView *list = openPane(window);
    QCOMPARE(rowOf(list, "1", "title-too-wide"), -1);

    typeInto(window, "TitelEdit", "Skak for hele familien og alle vennerne");
    QTRY_VERIFY_WITH_TIMEOUT(rowOf(list, "1", "title-too-wide") >= 0, listFollows);
    typeInto(window, "TitelEdit", "Skak");
    QTRY_VERIFY_WITH_TIMEOUT(rowOf(list, "1", "title-too-wide") < 0, listFollows);

    stepForward(window);
    QCOMPARE(window.CurrentItemNumber, 2);
    const int swedish = rowOf(list, "1", "description-missing") + 1; // Norsk, Svensk, Finsk are missing
    QCOMPARE(list->model()->index(swedish, 3).data().toString(), QString("Svensk"));
    list->setCurrentIndex(list->model()->index(swedish, 0));
    emit list->activated(list->currentIndex());
    QCOMPARE(window.CurrentItemNumber, 1);
    QCOMPARE(window.CurrentLanguage, DescriptionLanguage::Svensk);
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(&window, "Beskriv"));

    list->setCurrentIndex(list->model()->index(rowOf(list, "1", "setup-missing"), 0));
    emit list->activated(list->currentIndex());
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(&window, "SetupEdit"));
}

void TestProblems::rowSetAsideStaysAsideForThisCatalogueUntilShownAgain()
{
    TempFolder folder;
    writeCatalogue(folder);
    const QStringList before = filesAndTimes(folder.path());
    {
        TMQVEdit window;
        QTreeView *list = openPane(window);
        const int rows = list->model()->rowCount();
        list->setCurrentIndex(list->model()->index(rowOf(list, "4", "shared-folder"), 0));
        control<QPushButton>(&window, "IgnorerProblem")->click();
        QCOMPARE(list->model()->rowCount(), rows - 1);
        QCOMPARE(rowOf(list, "4", "shared-folder"), -1);
    }
    TMQVEdit window;
    QTreeView *list = openPane(window);
    QCOMPARE(rowOf(list, "4", "shared-folder"), -1);
    auto *ignored = control<QListWidget>(&window, "IgnoreredeProblemer");
    QCOMPARE(ignored->count(), 1);
    QCOMPARE(ignored->item(0)->text(), QString("Punkt 4: Deler mappe med punkt 1"));
    ignored->setCurrentRow(0);
    control<QPushButton>(&window, "VisProblemIgen")->click();
    QVERIFY(rowOf(list, "4", "shared-folder") >= 0);
    QCOMPARE(ignored->count(), 0);
    QCOMPARE(filesAndTimes(folder.path()), before);
}

// A saved translation records the Danish words it was written against, in its own file, where a
// second program reads them too; formatting the Danish text changes none of them.
void TestProblems::changedDanishWordMarksTheTranslationsWrittenBeforeIt()
{
    TempFolder folder;
    folder.writeFile("Skak/DK.RTF", rtf("Et spil for hele familien."));
    folder.writeFile("Skak/No.RTF", rtf("Et spill for hele familien."));
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Skak", "Folder=Skak", "Spil=JA"}));
    TMQVEdit window;
    QTreeView *list = openPane(window);
    clickToolButton(window, "BrugNorsk");
    typeDescription(window, " Godt.");
    clickToolButton(window, "BrugDansk");
    QVERIFY(folder.readFile("Skak/No.RTF").contains("{\\*\\zcdkilde "));

    control<QTextEdit>(&window, "Beskriv")->selectAll();
    window.FedClick();
    clickToolButton(window, "BrugNorsk");
    QVERIFY(folder.readFile("Skak/DK.RTF").contains("\\b"));
    QTest::qWait(600); // the list follows within half a second
    QCOMPARE(rowOf(list, "1", "translation-behind"), -1);

    clickToolButton(window, "BrugDansk");
    typeDescription(window, " Nyt ord.");
    clickToolButton(window, "BrugSvensk");
    QTRY_VERIFY_WITH_TIMEOUT(rowOf(list, "1", "translation-behind") >= 0, listFollows);
    const int behind = rowOf(list, "1", "translation-behind");
    QCOMPARE(list->model()->index(behind, 3).data().toString(), QString("Norsk"));
    QCOMPARE(list->model()->index(behind, 4).data().toString(), QString("Norsk er ikke ført ajour efter den danske tekst"));
    QVERIFY(mqvcheckCodes(folder.path()).contains("1 translation-behind"));

    // Shown, the translation is marked with the Danish words changed since; "Ajourført" confirms
    // it as one step, which Fortryd takes back byte for byte.
    clickToolButton(window, "BrugNorsk");
    auto *mark = control<QWidget>(&window, "AjourMaerke");
    QVERIFY(mark->isVisible());
    QVERIFY(control<QLabel>(&window, "AjourAendringer")->text().endsWith(": +Nyt ord."));
    const QByteArray behindBytes = folder.readFile("Skak/No.RTF");
    control<QPushButton>(&window, "Ajourfoert")->click();
    QVERIFY(!mark->isVisible());
    QVERIFY(folder.readFile("Skak/No.RTF") != behindBytes);
    QTRY_VERIFY_WITH_TIMEOUT(rowOf(list, "1", "translation-behind") < 0, listFollows);
    control<QAction>(&window, "Fortryd")->trigger();
    QCOMPARE(folder.readFile("Skak/No.RTF"), behindBytes);
    QVERIFY(mark->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(rowOf(list, "1", "translation-behind") >= 0, listFollows);
}

QTEST_MAIN(TestProblems)
#include "tst_problems.moc"
