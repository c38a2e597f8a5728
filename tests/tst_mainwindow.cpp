#include "app/EditMQV.h"
#include "editor/RecoveryController.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QtTest>

// The window as a user first sees it: controls, captions and places, the language chosen at
// start-up, the highest item number, the layout on resizing, and Escape.
class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void controlsStandWhereDesigned_data();
    void controlsStandWhereDesigned();
    void captionsAndHints();
    void toolBarLaysOutCaptionAndFullVersion();
    void copyingTheListingSaysSo();
    void menusAndContextMenu();
    void statusPanelsAtStartup();
    void languageAtStartup_data();
    void languageAtStartup();
    void highestItemNumber_data();
    void highestItemNumber();
    void resizeLaysOutFromTheNewSize_data();
    void resizeLaysOutFromTheNewSize();
    void tinyWindowKeepsTheLastLayout();
    void smallWindowScrollsToEveryControl_data();
    void smallWindowScrollsToEveryControl();
    void escapeWithoutFocusEndsTheProgram();
    void tabOrder();
    void tabLeavesTheDescription();
    void escapeInATextFieldDoesNotEndTheProgram();
    void fillsTheWindowAfterItsFirstFrame_data();
    void fillsTheWindowAfterItsFirstFrame();
    void closedBeforeTheChecksAtStartAsksNothing();
};

namespace {

void resizeClientTo(TMQVEdit &window, int width, int height)
{
    window.resize(width, height + window.menuBar()->height());
    QTRY_COMPARE(window.centralWidget()->size(), QSize(width, height - window.statusBar()->height()));
}

} // namespace

void TestMainWindow::controlsStandWhereDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Kategorier") << "Kategorier" << QRect(8, 40, 249, 185);
    QTest::newRow("ZProgram") << "ZProgram" << QRect(16, 24, 89, 17);
    QTest::newRow("Vaerksted") << "Vaerksted" << QRect(16, 120, 121, 17);
    QTest::newRow("Software") << "Software" << QRect(136, 96, 81, 17);
    QTest::newRow("KnapOp") << "KnapOp" << QRect(128, 120, 49, 22);
    QTest::newRow("NedKnap") << "NedKnap" << QRect(184, 120, 49, 22);
    QTest::newRow("Nummer") << "Nummer" << QRect(53, 152, 60, 21);
    QTest::newRow("FlytteSpinner") << "FlytteSpinner" << QRect(173, 152, 60, 21);
    QTest::newRow("Tekstfelter") << "Tekstfelter" << QRect(272, 40, 465, 185);
    QTest::newRow("TitelEdit") << "TitelEdit" << QRect(72, 16, 153, 24);
    QTest::newRow("EkstraEdit") << "EkstraEdit" << QRect(72, 144, 153, 24);
    QTest::newRow("InternetEdit") << "InternetEdit" << QRect(240, 144, 209, 24);
    QTest::newRow("HentFast") << "HentFast" << QRect(320, 16, 81, 22);
    QTest::newRow("Registrering") << "Registrering" << QRect(320, 120, 137, 17);
    QTest::newRow("Ikon") << "Ikon" << QRect(416, 26, 32, 32);
    // The resize rule has already laid these out for the designed client size.
    QTest::newRow("Grafik") << "Grafik" << QRect(8, 232, 320, 257);
    QTest::newRow("Skud") << "Skud" << QRect(9, 17, 300, 225);
    QTest::newRow("KortTekst") << "KortTekst" << QRect(344, 236, 395, 21);
    QTest::newRow("Beskriv") << "Beskriv" << QRect(344, 288, 395, 242);
    QTest::newRow("Kursiv") << "Kursiv" << QRect(344, 264, 25, 25);
    QTest::newRow("Arial") << "Arial" << QRect(584, 264, 65, 25);
    QTest::newRow("ToolBar1") << "ToolBar1" << QRect(0, 0, 747, 28);
}

void TestMainWindow::controlsStandWhereDesigned()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    TempFolder folder;
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The status bar takes the bottom 19 pixels of the designed client area, below the rest.
    QCOMPARE(window.ClientArea->size(), QSize(747, 533));
    QCOMPARE(control<QWidget>(&window, "ZStatus")->size(), QSize(747, 19));
    QCOMPARE(control<QWidget>(&window, name)->geometry(), geometry);
}

void TestMainWindow::captionsAndHints()
{
    TempFolder folder;
    TMQVEdit window;
    QCOMPARE(window.windowTitle(), "Z-CD editor \u2014 R-Irad:  \u2014 " + folder.path());
    const QList<std::pair<QString, QString>> captions = {
        {"Kategorier", "Kategorier "}, {"Tekstfelter", "Tekstfelter "}, {"Junior", "For b\u00F8rn"},
        {"Vaerksted", "V\u00E6rkstedet"}, {"Skole", "Skoleting"}, {"Tilbehoer", "Tilbeh\u00F8r"},
        {"Registrering", "Skal registreres"}, {"FuldVersion", "Fuldversion"},
    };
    for (const auto &[name, caption] : captions) {
        auto *widget = control<QWidget>(&window, name);
        if (auto *box = qobject_cast<QGroupBox *>(widget))
            QCOMPARE(box->title(), caption);
        else
            QCOMPARE(qobject_cast<QAbstractButton *>(widget)->text(), caption);
    }
    const QList<std::pair<QString, QString>> buttons = {
        {"KnapOp", "Op"}, {"NedKnap", "Ned"}, {"OpretNavn", "Opret"}, {"Omdoeb", "Omd\u00F8b"}, {"Start", "Install\u00E9r"},
        {"HentFast", "Hent fast"}, {"Kursiv", "&K"}, {"Fed", "&F"}, {"Normal", "&N"}, {"Punkt12", "1&2"},
        {"Punkt10", "&10"}, {"LMDButton3", "&G"}, {"LMDButton1", "&R"}, {"LMDButton2", "&B"}, {"LMDButton4", "&S"},
        {"Arial", "Normal"},
    };
    for (const auto &[name, caption] : buttons)
        QCOMPARE(control<QPushButton>(&window, name)->text(), caption);
    const QList<std::pair<QString, QString>> labels = {
        {"Titel", "Titel"}, {"Folder", "Folder"}, {"Setup", "Setup"}, {"Run", "Run"}, {"Label1", "Ekstra"},
        {"Label3", "Internet"}, {"NummerLabel", "Index"}, {"Label2", "Flyt"},
    };
    for (const auto &[name, caption] : labels)
        QCOMPARE(control<QLabel>(&window, name)->text(), caption);
    const QList<std::pair<QString, QString>> hints = {
        {"NytPunkt", "Tilf\u00F8j punkt"}, {"SletPunkt", "Slet punkt"}, {"BrugDansk", "Skift til dansk"},
        {"BrugNorsk", "Skift til norsk"}, {"BrugSvensk", "Skift til svensk"}, {"BrugFinsk", "Skift til finsk"},
        {"SletRTF", "Slet denne RTF-fil!"}, {"Slet", "Slet indhold"}, {"Paste", "Paste beskrivelse; fremad!"},
        {"ToolButton8", "Forrige punkt (Alt+Venstre eller Page Up)"},
        {"ToolButton10", "Næste punkt (Alt+Højre eller Page Down)"},
        {"ToolButton2", "Kopier listen over alle titler efter kategori"},
    };
    for (const auto &[name, hint] : hints)
        QCOMPARE(control<QAction>(&window, name)->toolTip(), hint);
    for (const QString &name : {"ToolButton8", "ToolButton10", "ToolButton2"})
        QVERIFY2(control<QAction>(&window, name)->text().isEmpty(), qPrintable(name));
    QCOMPARE(window.LanguageButtons->actions().size(), 4);
    QVERIFY(window.LanguageButtons->isExclusive());
    QCOMPARE(control<QSpinBox>(&window, "Nummer")->minimum(), 1);
    QCOMPARE(control<QSpinBox>(&window, "Nummer")->maximum(), 70);
    QCOMPARE(control<QTextEdit>(&window, "Beskriv")->font().family(), QString("MS Sans Serif"));
    QCOMPARE(control<QLabel>(&window, "TitelLabel")->font().pixelSize(), 16);
    QVERIFY(control<QLabel>(&window, "TitelLabel")->font().bold());
}

void TestMainWindow::copyingTheListingSaysSo()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Skak", "Spil=Ja"}));
    TMQVEdit window;
    QGuiApplication::clipboard()->clear();
    copyListing(window);
    QVERIFY(QGuiApplication::clipboard()->text().contains("Skak"));
    QCOMPARE(window.ZStatus->currentMessage(), QString("Listen over alle titler er kopieret til udklipsholderen."));
}

void TestMainWindow::toolBarLaysOutCaptionAndFullVersion()
{
    TempFolder folder;
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(control<QLabel>(&window, "TitelLabel")->geometry(), QRect(354, 3, 250, 22));
    QCOMPARE(control<QCheckBox>(&window, "FuldVersion")->geometry().left(), 604);
    QCOMPARE(control<QCheckBox>(&window, "FuldVersion")->size(), QSize(121, 22));
}

void TestMainWindow::menusAndContextMenu()
{
    TempFolder folder;
    TMQVEdit window;
    auto *menuBar = control<QMenuBar>(&window, "Zmenu");
    QStringList captions;
    QStringList names;
    for (QAction *action : menuBar->actions()) {
        captions << action->text();
        names << action->menu()->objectName();
    }
    // The nine category menus, then the history's own and the catalogues', with letters for Alt
    // that no formatting button uses.
    QCOMPARE(captions, QStringList({"ZProgrammer", "B\u00F8rn", "Spil", "Internet", "Galleri", "Tilbeh\u00F8r",
                                    "V\u00E6rksted", "Software", "Skole", "R&ediger", "F&iler"}));
    QCOMPARE(names, QStringList({"ZProgrammer1", "Brn1", "Spil1", "Internet1", "Galleri1", "ilbehr1", "Vrksted1",
                                 "Software1", "Skole1", "Rediger", "Filer"}));

    QStringList entries;
    for (QAction *action : control<QMenu>(&window, "RTFMenu")->actions())
        entries << (action->isSeparator() ? action->objectName() + ":-"
                                          : action->objectName() + ":" + action->text() + ":" +
                                                action->shortcut().toString(QKeySequence::PortableText));
    QCOMPARE(entries, QStringList({"KursivMenu:Kursiv:Ctrl+K", "FedMenu:Fed:Ctrl+F", "NormalMenu:Plain:Ctrl+P", "N1:-",
                                   "Punkt12Menu:12 Pkt:Ctrl+W", "Punkt10Menu:10 Pkt:Ctrl+Q", "N3:-",
                                   "GreenMenu:Gr\u00F8n:Ctrl+G", "RedMenu:R\u00F8d:Ctrl+R", "BlueMenu:Bl\u00E5:Ctrl+B",
                                   "BlackMenu:Sort:Ctrl+S", "N2:-", "Normal1:Normal:Ctrl+N"}));
}

void TestMainWindow::statusPanelsAtStartup()
{
    TempFolder folder;
    TMQVEdit window;
    QStringList texts;
    for (int i = 0; i < 4; ++i)
        texts << control<QLabel>(&window, QString("ZStatusPanel%1").arg(i))->text();
    // Item 1 of a new catalogue has no folder to keep a description in.
    QCOMPARE(texts, QStringList({"Sprog: Dansk", "Filnavn", "Punkt 1 af 1", "Ingen mappe"}));
}

void TestMainWindow::languageAtStartup_data()
{
    QTest::addColumn<QByteArray>("catalogue");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QString>("status");
    QTest::newRow("no catalogue") << QByteArray() << 0 << "DK.RTF" << "BrugDansk" << "Sprog: Dansk";
    QTest::newRow("no setting") << iniBytes({"[Z1]", "Titel=A"}) << 0 << "DK.RTF" << "BrugDansk" << "Sprog: Dansk";
    QTest::newRow("Dansk") << iniBytes({"[Generelt]", "Sprog=Dansk"}) << 0 << "DK.RTF" << "BrugDansk" << "Sprog: Dansk";
    QTest::newRow("Norsk") << iniBytes({"[Generelt]", "Sprog=Norsk"}) << 1 << "No.RTF" << "BrugNorsk" << "Sprog: Norsk";
    QTest::newRow("norsk in small letters") << iniBytes({"[Generelt]", "Sprog=norsk"}) << 0 << "DK.RTF" << "BrugDansk"
                                            << "Sprog: Dansk";
    QTest::newRow("Svensk") << iniBytes({"[generelt]", "sprog=Svensk"}) << 2 << "Sv.RTF" << "BrugSvensk"
                            << "Sprog: Svensk";
    QTest::newRow("Finsk") << iniBytes({"[Generelt]", "Sprog=Finsk"}) << 3 << "Fi.RTF" << "BrugFinsk" << "Sprog: Finnsk";
    QTest::newRow("other value") << iniBytes({"[Generelt]", "Sprog=Engelsk"}) << 0 << "DK.RTF" << "BrugDansk"
                                 << "Sprog: Dansk";
}

void TestMainWindow::languageAtStartup()
{
    QFETCH(QByteArray, catalogue);
    QFETCH(int, language);
    QFETCH(QString, fileName);
    QFETCH(QString, pressed);
    QFETCH(QString, status);
    TempFolder folder;
    if (!catalogue.isEmpty())
        folder.writeFile("Z.MQV", catalogue);
    TMQVEdit window;
    QCOMPARE(int(window.CurrentLanguage), language);
    QCOMPARE(window.DescriptionFileName, fileName);
    for (const QString &button : {"BrugDansk", "BrugNorsk", "BrugSvensk", "BrugFinsk"})
        QCOMPARE(control<QAction>(&window, button)->isChecked(), button == pressed);
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel0")->text(), status);
    QCOMPARE(window.CatalogueFile->FileName(), QString(".\\Z.MQV"));
}

void TestMainWindow::highestItemNumber_data()
{
    QTest::addColumn<QByteArray>("catalogue");
    QTest::addColumn<int>("highest");
    QTest::newRow("items 3 and 70") << iniBytes({"[Z3]", "Titel=A", "[Z70]", "Titel=B"}) << 70;
    QTest::newRow("item 1 only") << iniBytes({"[Z1]", "Titel=A"}) << 1;
    QTest::newRow("items 2 and 5") << iniBytes({"[Z2]", "Titel=A", "[Z5]", "Global="}) << 5;
    QTest::newRow("item 71 alone") << iniBytes({"[Z71]", "Titel=A"}) << 1;
    QTest::newRow("header without keys") << iniBytes({"[Z4]", "Titel=A", "[Z9]", "[Z10]", "; note"}) << 4;
    QTest::newRow("missing file") << QByteArray() << 1;
}

void TestMainWindow::highestItemNumber()
{
    QFETCH(QByteArray, catalogue);
    QFETCH(int, highest);
    TempFolder folder;
    if (!catalogue.isEmpty())
        folder.writeFile("Z.MQV", catalogue);
    TMQVEdit window;
    QCOMPARE(window.HighestItemNumber, highest);
    QCOMPARE(window.CurrentItemNumber, 1);
    QCOMPARE(control<QLabel>(&window, "ZStatusPanel2")->text(), QString("Punkt 1 af %1").arg(highest));
}

void TestMainWindow::resizeLaysOutFromTheNewSize_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QSize>("grafik");
    QTest::addColumn<QSize>("skud");
    QTest::addColumn<QRect>("beskriv");
    QTest::addColumn<QRect>("kortTekst");
    QTest::newRow("designed") << QSize(747, 552) << QSize(320, 257) << QSize(300, 225) << QRect(344, 288, 395, 242)
                              << QRect(344, 236, 395, 21);
    QTest::newRow("width 673") << QSize(673, 552) << QSize(320, 257) << QSize(300, 225) << QRect(344, 288, 320, 242)
                               << QRect(344, 236, 320, 21);
    QTest::newRow("width 674") << QSize(674, 552) << QSize(320, 257) << QSize(300, 225) << QRect(344, 288, 322, 242)
                               << QRect(344, 236, 322, 21);
    QTest::newRow("width 301") << QSize(301, 552) << QSize(134, 257) << QSize(114, 225) << QRect(158, 288, 134, 242)
                               << QRect(158, 236, 134, 21);
    QTest::newRow("height 486") << QSize(747, 486) << QSize(320, 232) << QSize(300, 204) << QRect(344, 288, 395, 176)
                                << QRect(344, 236, 395, 21);
    QTest::newRow("height 487") << QSize(747, 487) << QSize(320, 233) << QSize(300, 205) << QRect(344, 288, 395, 177)
                                << QRect(344, 236, 395, 21);
    QTest::newRow("height 400") << QSize(747, 400) << QSize(320, 146) << QSize(300, 118) << QRect(344, 288, 395, 90)
                                << QRect(344, 236, 395, 21);
    QTest::newRow("height 305") << QSize(747, 305) << QSize(320, 51) << QSize(300, 23) << QRect(344, 288, 395, 0)
                                << QRect(344, 236, 395, 21);
}

void TestMainWindow::resizeLaysOutFromTheNewSize()
{
    QFETCH(QSize, client);
    QFETCH(QSize, grafik);
    QFETCH(QSize, skud);
    QFETCH(QRect, beskriv);
    QFETCH(QRect, kortTekst);
    TempFolder folder;
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    resizeClientTo(window, client.width(), client.height());
    QCOMPARE(control<QWidget>(&window, "Grafik")->size(), grafik);
    QCOMPARE(control<QWidget>(&window, "Skud")->size(), skud);
    QCOMPARE(control<QWidget>(&window, "Beskriv")->geometry(), beskriv);
    QCOMPARE(control<QWidget>(&window, "KortTekst")->geometry(), kortTekst);
    // The tool bar stays docked to the top of what is in view, as wide as the controls reach where
    // these scroll; the status bar spans the window below them.
    QCOMPARE(control<QWidget>(&window, "ToolBar1")->geometry(), QRect(0, 0, std::max(client.width(), 745), 28));
    QCOMPARE(control<QWidget>(&window, "ZStatus")->geometry(),
             QRect(0, window.menuBar()->height() + client.height() - 19, client.width(), 19));
    // Controls outside the rule never move.
    QCOMPARE(control<QWidget>(&window, "Tekstfelter")->geometry(), QRect(272, 40, 465, 185));
}

void TestMainWindow::tinyWindowKeepsTheLastLayout()
{
    TempFolder folder;
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    resizeClientTo(window, 500, 450);
    const QRect beskriv = control<QWidget>(&window, "Beskriv")->geometry();
    resizeClientTo(window, 299, 450);
    QCOMPARE(control<QWidget>(&window, "Beskriv")->geometry(), beskriv);
    resizeClientTo(window, 500, 250);
    QCOMPARE(control<QWidget>(&window, "Beskriv")->geometry(), beskriv);
}

void TestMainWindow::smallWindowScrollsToEveryControl_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("designed") << QSize(747, 552) << false;
    QTest::newRow("wider and taller") << QSize(900, 700) << false;
    QTest::newRow("1280 x 1024 at 200 %") << QSize(632, 430) << true;
    QTest::newRow("520 x 420") << QSize(512, 360) << true;
    QTest::newRow("lower than the buttons") << QSize(747, 280) << true;
}

// Each control that keeps its place can be brought into view whole, by the scroll bars or by
// tabbing to it; at a size the window has room for there is nothing to scroll.
void TestMainWindow::smallWindowScrollsToEveryControl()
{
    QFETCH(QSize, client);
    QFETCH(bool, scrolls);
    TempFolder folder;
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    resizeClientTo(window, client.width(), client.height());
    auto *area = qobject_cast<QScrollArea *>(window.centralWidget());
    QVERIFY(area);
    QTRY_COMPARE(area->horizontalScrollBar()->maximum() > 0 || area->verticalScrollBar()->maximum() > 0, scrolls);
    for (const char *name : {"HentFast", "Registrering", "Normal", "Arial", "InternetEdit", "FuldVersion"}) {
        auto *widget = control<QWidget>(&window, name);
        area->ensureWidgetVisible(widget, 0, 0);
        QCOMPARE(widget->visibleRegion().boundingRect(), widget->rect());
    }
    // The resize rule still reads the window's client size.
    if (client.height() >= 300)
        QCOMPARE(control<QWidget>(&window, "Beskriv")->height(), client.height() - 310);
}

void TestMainWindow::escapeWithoutFocusEndsTheProgram()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *description = control<QTextEdit>(&window, "Beskriv");
    description->setFocus();
    QTest::keyClicks(description, "Ikke tabt");
    description->clearFocus();
    QCOMPARE(QApplication::focusWidget(), nullptr);
    QTimer::singleShot(0, &window, [&window] { QTest::keyClick(&window, Qt::Key_Escape); });
    QTimer::singleShot(3000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    // What was written in the description is saved on the way out.
    QVERIFY(folder.readFile("A/DK.RTF").contains("Ikke tabt"));
}

void TestMainWindow::tabOrder()
{
    TempFolder folder;
    TMQVEdit window;
    const QStringList expected = {"ZProgram", "Spil", "Galleri", "Junior", "Vaerksted", "Skole", "Internet",
                                  "Tilbehoer", "Software", "Nummer", "FlytteSpinner", "KnapOp", "NedKnap",
                                  "TitelEdit", "FolderEdit", "SetupEdit", "RunEdit", "Start", "OpretNavn",
                                  "EkstraEdit", "Omdoeb", "InternetEdit", "Registrering", "HentFast", "KortTekst",
                                  "Beskriv", "MasterList", "Fed", "Punkt10", "Normal", "Punkt12", "Arial"};
    QStringList order;
    QWidget *widget = control<QWidget>(&window, "ZProgram");
    for (int step = 0; step < 400 && order.size() < expected.size(); ++step, widget = widget->nextInFocusChain()) {
        if (expected.contains(widget->objectName()) && !order.contains(widget->objectName()))
            order << widget->objectName();
    }
    QCOMPARE(order, expected);
}

void TestMainWindow::tabLeavesTheDescription()
{
    TempFolder folder;
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    control<QLineEdit>(&window, "KortTekst")->setFocus();
    QStringList visited;
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Tab), QKeyCombination(Qt::Key_Tab),
                                      QKeyCombination(Qt::ShiftModifier, Qt::Key_Backtab),
                                      QKeyCombination(Qt::ShiftModifier, Qt::Key_Backtab)}) {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"Beskriv", "Fed", "Beskriv", "KortTekst"}));
    auto *description = control<QTextEdit>(&window, "Beskriv");
    description->setFocus();
    QTest::keyClick(description, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(description->toPlainText(), QString("\t"));
    QCOMPARE(QApplication::focusWidget(), description);
}

void TestMainWindow::escapeInATextFieldDoesNotEndTheProgram()
{
    TempFolder folder;
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *field = control<QLineEdit>(&window, "KortTekst");
    field->setFocus();
    QTimer::singleShot(0, field, [field] { QTest::keyClick(field, Qt::Key_Escape); });
    QTimer::singleShot(300, [] { QCoreApplication::exit(7); });
    QCOMPARE(QCoreApplication::exec(), 7);
}

// Start-up shows the window before the description and the category menus are read into it; a
// user who acts before they are there finds the window filled first, and no file is written.
void TestMainWindow::fillsTheWindowAfterItsFirstFrame_data()
{
    QTest::addColumn<bool>("stepsAtOnce");
    QTest::newRow("looking") << false;
    QTest::newRow("stepping before the fill") << true;
}

void TestMainWindow::fillsTheWindowAfterItsFirstFrame()
{
    QFETCH(bool, stepsAtOnce);
    TempFolder folder;
    const QByteArray description = "{\\rtf1 Dansk tekst\\par}";
    folder.writeFile("P/DK.RTF", description);
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Spil=Ja", "Folder=P", "[Z2]", "Titel=B", "Spil=Ja"}));
    TMQVEdit window(nullptr, TMQVEdit::Filling::AfterFirstFrame);
    auto *beskriv = control<QTextEdit>(&window, "Beskriv");
    QVERIFY(!window.findChild<QAction *>("S2"));
    QVERIFY(beskriv->isReadOnly());
    window.show();
    if (stepsAtOnce) {
        stepForward(window);
        QCOMPARE(window.CurrentItemNumber, 2);
        stepBack(window);
    }
    QTRY_COMPARE(shownDescription(window), QString("Dansk tekst"));
    QVERIFY(!beskriv->isReadOnly());
    QVERIFY(window.findChild<QAction *>("S2"));
    QCOMPARE(folder.readFile("P/DK.RTF"), description);
}

// The checks its first frame queued can come after the window was closed, as when the program is
// ended at once; the window is gone from the catalogue by then.
void TestMainWindow::closedBeforeTheChecksAtStartAsksNothing()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A"}));
    TMQVEdit window;
    window.show();
    QVERIFY(window.close());
    window.findChild<RecoveryController *>()->checkAtStart();
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
