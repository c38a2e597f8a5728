#include "app/EditMQV.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDirIterator>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

// Every change the editor makes can be taken back and done again, whole steps at a time, also
// after the window was closed; and never over what someone else changed since.
class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void eachKindOfStepIsTakenBackExactly_data();
    void eachKindOfStepIsTakenBackExactly();
    void keystrokesInOneFieldAreOneStep();
    void undoOutlivesTheWindow();
    void outsideChangeIsNeverOverwritten_data();
    void outsideChangeIsNeverOverwritten();
    void historyWindowUndoesDownToAStepAndRestoresAnItem();
    void restoreFollowsAMovedItem();
    void descriptionWithoutFolderTakesNoTyping();
    void readOnlyCatalogueOffersNoUndo();
    void fetchingUndoingAndRedoingKeepTheItemCountTrue();
    void historySaysWhereAnItemWentAndKeepsItsColumns();
    void secondEditorKeepsNoHistory();
    void damagedHistoryIsToldOnceAtStart();
    void linkedDescriptionIsNeverWrittenThrough_data();
    void linkedDescriptionIsNeverWrittenThrough();
};

namespace {

using Tree = QMap<QString, QByteArray>;

void prepareCatalogue(const TempFolder &folder)
{
    for (const char *item : {"Programmer/Skak", "Programmer/Tegn", "Programmer/Virus"})
        folder.makeFolder(item);
    folder.writeFile("Programmer/Skak/DK.RTF", "{\\rtf1\\ansi Et spil skak.\\par}");
    folder.writeFile("Z.MQV", iniBytes({"[Generelt]", "Sprog=Dansk", "[Z1]", "Titel=Skak", "Spil=Ja",
                                        "Folder=Programmer\\Skak", "Global=Kort", "[Z2]", "Titel=Tegn", "Barn=ja",
                                        "Folder=Programmer\\Tegn", "[Z3]", "Titel=Virus", "Spil=Ja", "Software=Ja",
                                        "Folder=Programmer\\Virus", "[Z24]", "Titel=Gammel", "Webside=w"}));
    folder.writeFile("Fast.MQV", iniBytes({"[Z24]", "Titel=Fast", "Software=Ja", "[Z25]", "Titel=Andet"}));
}

// What the category menus offer: each entry's name and caption.
QStringList menuEntries(TMQVEdit &window)
{
    QStringList entries;
    for (QAction *menu : control<QMenuBar>(&window, "Zmenu")->actions()) {
        if (menu->menu()->objectName() == "Rediger")
            continue;
        for (QAction *entry : menu->menu()->actions())
            entries << entry->objectName() + '=' + entry->text();
    }
    return entries;
}

void trigger(TMQVEdit &window, const QString &action)
{
    control<QAction>(&window, action)->trigger();
}

void goToItem(TMQVEdit &window, int number)
{
    control<QSpinBox>(&window, "Nummer")->setValue(number);
}

struct StepKind {
    const char *name;
    std::function<void(TMQVEdit &, const TempFolder &)> act;
};

const std::vector<StepKind> &stepKinds()
{
    static const std::vector<StepKind> kinds = {
        {"clear", [](TMQVEdit &window, const TempFolder &) { clearItem(window); }},
        {"delete",
         [](TMQVEdit &window, const TempFolder &) {
             goToItem(window, 2);
             MessageBoxAnswer answer(QMessageBox::Ok);
             deleteItem(window);
         }},
        {"import", [](TMQVEdit &window, const TempFolder &) { clickButton(window, "HentFast"); }},
        {"up", [](TMQVEdit &window, const TempFolder &) { clickButton(window, "KnapOp"); }},
        {"down",
         [](TMQVEdit &window, const TempFolder &) {
             goToItem(window, 24);
             clickButton(window, "NedKnap");
         }},
        {"exchange",
         [](TMQVEdit &window, const TempFolder &) {
             QTest::keyClick(control<QSpinBox>(&window, "FlytteSpinner"), Qt::Key_Up);
             QTest::keyClick(control<QSpinBox>(&window, "FlytteSpinner"), Qt::Key_Return);
         }},
        {"field",
         [](TMQVEdit &window, const TempFolder &) {
             typeInto(window, "TitelEdit", "Skakmester");
             leaveField(window, "TitelEdit");
         }},
        {"flag", [](TMQVEdit &window, const TempFolder &) { QTest::mouseClick(control<QCheckBox>(&window, "Galleri"), Qt::LeftButton); }},
        {"category erase",
         [](TMQVEdit &window, const TempFolder &) {
             MessageBoxAnswer answer(QMessageBox::Yes);
             trigger(window, "Spil");
         }},
        {"folder create",
         [](TMQVEdit &window, const TempFolder &) {
             goToItem(window, 24);
             clickButton(window, "OpretNavn");
         }},
        {"folder rename",
         [](TMQVEdit &window, const TempFolder &) {
             goToItem(window, 2);
             typeInto(window, "FolderEdit", "Programmer\\Tegnestue");
             clickButton(window, "Omdoeb");
         }},
        {"description save",
         [](TMQVEdit &window, const TempFolder &) {
             QTest::keyClicks(control<QTextEdit>(&window, "Beskriv"), "Mere: ");
             stepForward(window);
         }},
        {"paste",
         [](TMQVEdit &window, const TempFolder &) {
             QGuiApplication::clipboard()->setText("Nyt kort");
             pasteDescription(window);
         }},
        {"trash", [](TMQVEdit &window, const TempFolder &) { trashDescription(window); }},
    };
    return kinds;
}

} // namespace

void TestUndo::eachKindOfStepIsTakenBackExactly_data()
{
    QTest::addColumn<int>("kind");
    for (std::size_t index = 0; index < stepKinds().size(); ++index)
        QTest::newRow(stepKinds()[index].name) << int(index);
}

void TestUndo::eachKindOfStepIsTakenBackExactly()
{
    QFETCH(int, kind);
    TempFolder folder;
    QTemporaryDir trash;
    qputenv("XDG_DATA_HOME", trash.path().toUtf8());
    prepareCatalogue(folder);
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const Tree before = folder.tree();
    const QStringList menusBefore = menuEntries(window);
    stepKinds()[kind].act(window, folder);
    const Tree after = folder.tree();
    QVERIFY(after != before);

    MessageBoxAnswer unexpected(QMessageBox::Ok);
    QVERIFY(control<QAction>(&window, "Fortryd")->isEnabled());
    trigger(window, "Fortryd");
    QCOMPARE(folder.tree(), before);
    QCOMPARE(menuEntries(window), menusBefore);
    QVERIFY(control<QAction>(&window, "Gentag")->text().startsWith("Gentag: "));
    trigger(window, "Gentag");
    QCOMPARE(folder.tree(), after);
    trigger(window, "Fortryd");
    QCOMPARE(folder.tree(), before);
    QCOMPARE(unexpected.count(), 0);
    // What the window shows is what is stored again: showing it anew writes nothing.
    stepForward(window);
    stepBack(window);
    QCOMPARE(folder.tree(), before);
}

void TestUndo::keystrokesInOneFieldAreOneStep()
{
    TempFolder folder;
    prepareCatalogue(folder);
    TMQVEdit window;
    const QByteArray before = folder.readFile("Z.MQV");
    typeInto(window, "TitelEdit", "Skakmester");
    leaveField(window, "TitelEdit");
    typeInto(window, "KortTekst", "Ny");
    leaveField(window, "KortTekst");
    QCOMPARE(control<QAction>(&window, "Fortryd")->text(), QString("Fortryd: Global: \u00BBKort\u00AB \u2192 \u00BBNy\u00AB, punkt 1"));
    trigger(window, "Fortryd");
    QCOMPARE(control<QAction>(&window, "Fortryd")->text(),
             QString("Fortryd: Titel: \u00BBSkak\u00AB \u2192 \u00BBSkakmester\u00AB, punkt 1"));
    trigger(window, "Fortryd");
    QCOMPARE(folder.readFile("Z.MQV"), before);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("Skak"));
    QVERIFY(!control<QAction>(&window, "Fortryd")->isEnabled());
}

void TestUndo::undoOutlivesTheWindow()
{
    TempFolder folder;
    prepareCatalogue(folder);
    const QByteArray before = folder.readFile("Z.MQV");
    {
        TMQVEdit window;
        clearItem(window);
    }
    const QByteArray cleared = folder.readFile("Z.MQV");
    TMQVEdit window;
    QCOMPARE(control<QAction>(&window, "Fortryd")->text(), QString("Fortryd: Slet indhold, punkt 1"));
    trigger(window, "Fortryd");
    QCOMPARE(folder.readFile("Z.MQV"), before);
    QCOMPARE(control<QLineEdit>(&window, "TitelEdit")->text(), QString("Skak"));
    // Nothing of the history lies in the catalogue's folder tree, which goes onto the disc.
    QVERIFY(!QDir(folder.statePath()).isEmpty());
    for (const QString &path : folder.tree().keys())
        QVERIFY2(!path.contains("journal") && !path.contains("mqveditor"), qPrintable(path));
    trigger(window, "Gentag");
    QCOMPARE(folder.readFile("Z.MQV"), cleared);
}

// A colleague's change to other keys stays when a step is taken back; a step whose own key was
// changed since is refused, naming the key and what it holds now.
void TestUndo::outsideChangeIsNeverOverwritten_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<bool>("titleStoredInQuotes");
    QTest::newRow("another item") << QByteArray("[Z24]") << QByteArray("[Z9]\r\nTitel=Fra en kollega\r\n[Z24]")
                                  << QString() << false;
    QTest::newRow("another item, the title stored in quotes")
        << QByteArray("[Z24]") << QByteArray("[Z9]\r\nTitel=Fra en kollega\r\n[Z24]") << QString() << true;
    QTest::newRow("another key of the item") << QByteArray("Global=Kort") << QByteArray("Global=Kollega") << QString() << false;
    QTest::newRow("the step's own key")
        << QByteArray("Titel=Skakmester") << QByteArray("Titel=Skakmester B")
        << QString(": Titel i punkt 1 er \u00E6ndret uden for editoren (nu \u00BBSkakmester B\u00AB). Intet er \u00E6ndret.") << false;
}

void TestUndo::outsideChangeIsNeverOverwritten()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, refusal);
    QFETCH(bool, titleStoredInQuotes);
    TempFolder folder;
    prepareCatalogue(folder);
    if (titleStoredInQuotes)
        folder.writeFile("Z.MQV", folder.readFile("Z.MQV").replace("Titel=Skak\r\n", "Titel=\"Skak\"\r\n"));
    const QByteArray before = folder.readFile("Z.MQV");
    TMQVEdit window;
    typeInto(window, "TitelEdit", "Skakmester");
    leaveField(window, "TitelEdit");
    QByteArray colleagues = folder.readFile("Z.MQV");
    folder.writeFile("Z.MQV", colleagues.replace(from, to));
    MessageBoxAnswer answer(QMessageBox::Ok);
    trigger(window, "Fortryd");
    if (!refusal.isEmpty()) {
        QVERIFY2(answer.text().endsWith(refusal), qPrintable(answer.text()));
        QCOMPARE(folder.readFile("Z.MQV"), colleagues);
        return;
    }
    QCOMPARE(answer.count(), 0);
    QCOMPARE(folder.readFile("Z.MQV"), QByteArray(before).replace(from, to));
    trigger(window, "Gentag");
    QCOMPARE(folder.readFile("Z.MQV"), colleagues);
}

void TestUndo::historyWindowUndoesDownToAStepAndRestoresAnItem()
{
    TempFolder folder;
    prepareCatalogue(folder);
    const QByteArray before = folder.readFile("Z.MQV");
    TMQVEdit window;
    QTest::keyClicks(control<QTextEdit>(&window, "Beskriv"), "Ny tekst. ");
    typeInto(window, "TitelEdit", "Skakmester");
    leaveField(window, "TitelEdit");
    QTest::mouseClick(control<QCheckBox>(&window, "Galleri"), Qt::LeftButton);
    stepForward(window);
    typeInto(window, "TitelEdit", "Tegnestue");
    leaveField(window, "TitelEdit");
    const QByteArray secondItemChanged = folder.readFile("Z.MQV");

    trigger(window, "VisHistorik");
    auto *history = control<QWidget>(&window, "Historik");
    auto *steps = control<QTreeWidget>(history, "HistorikTrin");
    QCOMPARE(steps->topLevelItemCount(), 4);
    QCOMPARE(steps->topLevelItem(1)->text(3), QString("DK.RTF gemt"));
    QCOMPARE(steps->topLevelItem(3)->text(3), QString("Titel: \u00BBSkak\u00AB \u2192 \u00BBSkakmester\u00AB"));
    QVERIFY(control<QLabel>(history, "HistorikStoerrelse")->text().startsWith("4 trin, "));

    // Item 1 as it was before its title changed, description included; item 2 keeps its new title.
    steps->setCurrentItem(steps->topLevelItem(3));
    clickButton(window, "GendanPunkt");
    QVERIFY(folder.readFile("Z.MQV").contains("Titel=Tegnestue"));
    QVERIFY(folder.readFile("Z.MQV").contains("Titel=Skak\r\n"));
    QCOMPARE(folder.readFile("Programmer/Skak/DK.RTF"), QByteArray("{\\rtf1\\ansi Et spil skak.\\par}"));
    QCOMPARE(steps->topLevelItem(0)->text(3), QString("Gendan punkt 1 som f\u00F8r"));
    trigger(window, "Fortryd");
    QCOMPARE(folder.readFile("Z.MQV"), secondItemChanged);

    // The restore, undone, stands first now; the oldest step is still the last.
    QVERIFY(steps->topLevelItem(0)->text(3).endsWith("(fortrudt)"));
    steps->setCurrentItem(steps->topLevelItem(steps->topLevelItemCount() - 1));
    MessageBoxAnswer fourSteps(QStringList{"Fortryd 4 trin"});
    QTest::mouseClick(control<QPushButton>(history, "FortrydTilHer"), Qt::LeftButton);
    QCOMPARE(fourSteps.count(), 1);
    QCOMPARE(folder.readFile("Z.MQV"), before);
    QCOMPARE(folder.readFile("Programmer/Skak/DK.RTF"), QByteArray("{\\rtf1\\ansi Et spil skak.\\par}"));
    QCOMPARE(window.CurrentItemNumber, 1);
}

// An item moved since the chosen step is put back where it lives now, not beside itself.
void TestUndo::restoreFollowsAMovedItem()
{
    TempFolder folder;
    prepareCatalogue(folder);
    TMQVEdit window;
    typeInto(window, "TitelEdit", "Skakmester");
    leaveField(window, "TitelEdit");
    control<QSpinBox>(&window, "FlytteSpinner")->setValue(5);
    QVERIFY(folder.readFile("Z.MQV").contains("[Z5]\r\nSpil=Ja\r\nTitel=Skakmester\r\n"));
    trigger(window, "VisHistorik");
    auto *steps = control<QTreeWidget>(control<QWidget>(&window, "Historik"), "HistorikTrin");
    steps->setCurrentItem(steps->topLevelItem(steps->topLevelItemCount() - 1));
    clickButton(window, "GendanPunkt");
    const QByteArray restored = folder.readFile("Z.MQV");
    QVERIFY2(restored.contains("[Z5]\r\nTitel=Skak\r\n"), restored);
    QCOMPARE(restored.count("Folder=Programmer\\Skak\r\n"), 1);
    QVERIFY(!restored.contains("[Z1]"));
    QCOMPARE(window.CurrentItemNumber, 5);
}

void TestUndo::descriptionWithoutFolderTakesNoTyping()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Nyt Program"}));
    TMQVEdit window;
    auto *description = control<QTextEdit>(&window, "Beskriv");
    QTest::keyClicks(description, "Tabt");
    QCOMPARE(description->toPlainText(), QString());
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel3")->text(), QString("Ingen mappe"));
    clickButton(window, "OpretNavn");
    QTest::keyClicks(description, "Gemt");
    QCOMPARE(description->toPlainText(), QString("Gemt"));
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel3")->text(), QString("Status"));
}

void TestUndo::readOnlyCatalogueOffersNoUndo()
{
    TempFolder folder;
    prepareCatalogue(folder);
    {
        TMQVEdit window;
        clearItem(window);
    }
    QFile::setPermissions(folder.filePath("Z.MQV"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    TMQVEdit window;
    QVERIFY(!control<QAction>(&window, "Fortryd")->isEnabled());
    QCOMPARE(control<QAction>(&window, "Fortryd")->text(), QString("Fortryd"));
}

void TestUndo::fetchingUndoingAndRedoingKeepTheItemCountTrue()
{
    TempFolder folder;
    prepareCatalogue(folder);
    TMQVEdit window;
    auto *counter = control<QLabel>(&window, "ZStatusPanel2");
    QCOMPARE(counter->text(), QString("Punkt 1 af 24"));
    clickButton(window, "HentFast");
    QCOMPARE(counter->text(), QString("Punkt 1 af 25"));
    trigger(window, "Fortryd");
    QCOMPARE(counter->text(), QString("Punkt 1 af 24"));
    trigger(window, "Gentag");
    QCOMPARE(counter->text(), QString("Punkt 1 af 25"));
}

void TestUndo::historySaysWhereAnItemWentAndKeepsItsColumns()
{
    TempFolder folder;
    prepareCatalogue(folder);
    TMQVEdit window;
    window.show();
    typeInto(window, "TitelEdit", QString(150, 'W'));
    leaveField(window, "TitelEdit");
    clickButton(window, "KnapOp");
    QVERIFY(control<QAction>(&window, "Fortryd")->text().contains(u"Op: punkt 1 \u2192 4"_qs));
    trigger(window, "VisHistorik");
    auto *steps = control<QTreeWidget>(&window, "HistorikTrin");
    QTRY_VERIFY(steps->isVisible());
    QVERIFY(steps->columnWidth(2) <= steps->viewport()->width() / 3);
    QVERIFY(steps->columnWidth(0) + steps->columnWidth(1) + steps->columnWidth(2) < steps->viewport()->width());
    steps->setColumnWidth(2, 70);
    clickButton(window, "NedKnap");
    QCOMPARE(steps->topLevelItemCount(), 3);
    QCOMPARE(steps->columnWidth(2), 70);
}

// Two editors on one catalogue would number their steps over each other's: the second keeps none,
// which its start-up notice says.
void TestUndo::secondEditorKeepsNoHistory()
{
    TempFolder folder;
    prepareCatalogue(folder);
    const QByteArray before = folder.readFile("Z.MQV");
    TMQVEdit first;
    MessageBoxAnswer answer(QMessageBox::Ok);
    TMQVEdit second;
    second.show();
    QTRY_COMPARE(answer.count(), 1);
    typeInto(second, "KortTekst", "Fra den anden");
    QCOMPARE(answer.count(), 1);
    QVERIFY(!control<QAction>(&second, "Fortryd")->isEnabled());
    const QByteArray changed = folder.readFile("Z.MQV");
    QVERIFY(changed != before);
    typeInto(first, "TitelEdit", "Skakmester");
    leaveField(first, "TitelEdit");
    trigger(first, "Fortryd");
    QCOMPARE(folder.readFile("Z.MQV"), changed);
}

// A journal damaged on the disk: the next start says where, once, and takes back what it could read.
void TestUndo::damagedHistoryIsToldOnceAtStart()
{
    TempFolder folder;
    prepareCatalogue(folder);
    const QByteArray before = folder.readFile("Z.MQV");
    {
        TMQVEdit window;
        clearItem(window);
        typeInto(window, "TitelEdit", "Ny titel");
        leaveField(window, "TitelEdit");
    }
    QDirIterator journals(folder.statePath(), {"journal"}, QDir::Files, QDirIterator::Subdirectories);
    QVERIFY(journals.hasNext());
    QFile journal(journals.next());
    QVERIFY(journal.open(QIODevice::ReadWrite));
    QByteArray bytes = journal.readAll();
    const qsizetype titleChange = bytes.lastIndexOf("\"t\":\"file\"");
    bytes[titleChange + 2] = 'T';
    QVERIFY(journal.seek(0) && journal.write(bytes) == bytes.size());
    journal.close();
    for (int start = 1; start <= 2; ++start) {
        MessageBoxAnswer answer(QMessageBox::Ok);
        TMQVEdit window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (start == 1) {
            QTRY_COMPARE(answer.count(), 1);
            QVERIFY2(answer.text().startsWith("Historikken er beskadiget ved trin 2: 1 trin kunne ikke l\u00E6ses"),
                     qPrintable(answer.text()));
        } else {
            QTest::qWait(200);
            QCOMPARE(answer.count(), 0);
        }
        QCOMPARE(control<QAction>(&window, "Fortryd")->text(), QString("Fortryd: Slet indhold, punkt 1"));
    }
    TMQVEdit window;
    MessageBoxAnswer answer(QMessageBox::Ok);
    trigger(window, "Fortryd");
    QCOMPARE(answer.text(), QString("Kan ikke fortryde \u00BBSlet indhold, punkt 1\u00AB: historikken er beskadiget ved trin 2. Intet er \u00E6ndret."));
    QVERIFY(folder.readFile("Z.MQV") != before);
}

void TestUndo::linkedDescriptionIsNeverWrittenThrough_data()
{
    QTest::addColumn<bool>("targetInside");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("shown");
    QTest::newRow("link out of the tree") << false << "Uden for kataloget" << QString();
    QTest::newRow("link inside the tree") << true << "Symbolsk link" << "Privat";
}

// A DK.RTF that links to a file such as ~/.bashrc is not shown, one that links inside the tree is
// shown; neither is written, trashed or put back through the link by typing, leaving, undo or
// "Slet denne RTF-fil".
void TestUndo::linkedDescriptionIsNeverWrittenThrough()
{
    QFETCH(bool, targetInside);
    QFETCH(QString, status);
    QFETCH(QString, shown);
    TempFolder folder;
    QTemporaryDir home;
    const QByteArray secret = "{\\rtf1 Privat\\par}";
    const QString target = targetInside ? folder.filePath("Andet/Privat.rtf") : home.filePath(".bashrc");
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(secret) > 0);
    file.close();
    folder.makeFolder("A");
    QVERIFY(QFile::link(target, folder.filePath("A/DK.RTF")));
    folder.writeFile("Z.MQV", "[Z1]\r\nTitel=Skak\r\nFolder=A\r\n[Z2]\r\nTitel=Andet\r\n");
    TMQVEdit window;
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel3")->text(), status);
    QCOMPARE(shownDescription(window).trimmed(), shown);
    QVERIFY(control<QTextEdit>(&window, "Beskriv")->isReadOnly());
    typeDescription(window, "Mere");
    stepForward(window);
    stepBack(window);
    {
        MessageBoxAnswer answer(QMessageBox::Ok);
        trashDescription(window);
        QCOMPARE(answer.count(), 1);
    }
    MessageBoxAnswer answers(QMessageBox::Ok);
    while (control<QAction>(&window, "Fortryd")->isEnabled())
        trigger(window, "Fortryd");
    QCOMPARE(QFileInfo(folder.filePath("A/DK.RTF")).symLinkTarget(), target);
    QFile read(target);
    QVERIFY(read.open(QIODevice::ReadOnly));
    QCOMPARE(read.readAll(), secret);
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
