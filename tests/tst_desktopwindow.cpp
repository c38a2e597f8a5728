#include "app/DanishTranslation.h"
#include "app/EditMQV.h"
#include "app/ScreenFit.h"
#include "app/WindowColours.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

// The window as the desktop shows it: colour marks drawn in their colours, the title bar, message
// boxes with exactly their captions and Danish buttons, the sign that a setup program started,
// and a window that fits the screen.
class TestDesktopWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void colourMarksAreDrawnInTheirColour_data();
    void colourMarksAreDrawnInTheirColour();
    void titleBarFollowsTheShownItem();
    void messageBoxesHaveTheirOwnCaptionAndDanishButtons();
    void startedSetupProgramShowsInTheStatusBar();
    void windowFitsTheScreen_data();
    void windowFitsTheScreen();
    void windowOpensInsideTheScreen();
    void windowComesBackWhereItWasLeft();
};

namespace {

const QString wideTitle = QString(40, QLatin1Char('W'));

} // namespace

void TestDesktopWindow::initTestCase()
{
    QVERIFY2(DanishTranslation::install(*QCoreApplication::instance()), "Qt's Danish translation is not installed");
}

void TestDesktopWindow::colourMarksAreDrawnInTheirColour_data()
{
    QTest::addColumn<QStringList>("item");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    const QStringList present = {"Titel=Kort", "Folder=Prog", "Setup=Setup.exe", "Run=Dansk.exe", "Spil=Ja"};
    const QStringList missing = {"Titel=" + wideTitle, "Folder=Ingen", "Setup=Ingen.exe", "Run=Ingen.exe"};
    QTest::newRow("title that fits") << present << "TitelLabel" << WindowColours::black();
    QTest::newRow("title too wide") << missing << "TitelLabel" << WindowColours::red();
    QTest::newRow("folder present") << present << "FolderEdit" << WindowColours::black();
    QTest::newRow("folder missing") << missing << "FolderEdit" << WindowColours::red();
    QTest::newRow("run only in the Danish edition") << present << "RunEdit" << WindowColours::blue();
    QTest::newRow("setup missing") << missing << "SetupEdit" << WindowColours::red();
    QTest::newRow("category box, none ticked") << missing << "Spil" << WindowColours::red();
    QTest::newRow("category label, none ticked") << missing << "NummerLabel" << WindowColours::red();
    QTest::newRow("category label, one ticked") << present << "Label2" << WindowColours::black();
    QTest::newRow("category group caption, none ticked") << missing << "Kategorier" << WindowColours::red();
    QTest::newRow("category group caption, one ticked") << present << "Kategorier" << WindowColours::black();
}

void TestDesktopWindow::colourMarksAreDrawnInTheirColour()
{
    QFETCH(QStringList, item);
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    TempFolder root;
    root.writeFile("Dansk/Prog/Dansk.exe", "x");
    root.writeFile("Udgaver/Norsk/Prog/Setup.exe", "x");
    root.writeFile("Udgaver/Norsk/Z.MQV", iniBytes(QStringList{"[Z1]"} + item));
    QDir::setCurrent(root.filePath("Udgaver/Norsk"));
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto *widget = control<QWidget>(&window, name);
    // Of a group box only its caption: the controls inside it have marks of their own.
    const QRect area = qobject_cast<QGroupBox *>(widget) ? QRect(0, 0, widget->width(), 16) : widget->rect();
    const QImage image = widget->grab(area).toImage();
    QVERIFY2(pixelsNear(image, colour) > 10, qPrintable(name));
    for (const QColor &other : {WindowColours::black(), WindowColours::blue(), WindowColours::red()}) {
        if (other != colour)
            QCOMPARE(pixelsNear(image, other), 0);
    }
}

void TestDesktopWindow::titleBarFollowsTheShownItem()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Skakmester", "[Z2]", "Titel=Tegning"}));
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString separator = QStringLiteral(" \u2014 ");
    QCOMPARE(window.windowHandle()->title(), "Z-CD editor" + separator + "R-Irad: Skakmester" + separator + folder.path());
    control<QSpinBox>(&window, "Nummer")->setValue(2);
    QCOMPARE(window.windowHandle()->title(), "Z-CD editor" + separator + "R-Irad: Tegning" + separator + folder.path());
    // The desktop appends an application display name to every window's caption.
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
}

void TestDesktopWindow::messageBoxesHaveTheirOwnCaptionAndDanishButtons()
{
    TempFolder folder;
    folder.makeFolder("P");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Spil=Ja", "Folder=P", "Setup=Mangler.exe", "[Z5]",
                                        "Titel=Testprogram"}));
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    {
        MessageBoxAnswer answer(QMessageBox::No);
        control<QAction>(&window, "Spil")->trigger();
        QCOMPARE(answer.title(), QString("Slet kategori?"));
        QCOMPARE(answer.buttonTexts(), QStringList({"Ja", "Nej"}));
    }
    {
        MessageBoxAnswer answer(QMessageBox::Ok);
        clickButton(window, "Start");
        QCOMPARE(answer.title(), QString("R-Irad: A"));
        QCOMPARE(answer.text(), "Filen " + folder.filePath("P/Mangler.exe") + " findes ikke.");
        QCOMPARE(answer.buttonTexts(), QStringList({"OK"}));
    }
    control<QSpinBox>(&window, "Nummer")->setValue(5);
    MessageBoxAnswer answer(QMessageBox::Cancel);
    deleteItem(window);
    QCOMPARE(answer.title(), QString("Slet program 5 ?"));
    QCOMPARE(answer.buttonTexts(), QStringList({"OK", "Annuller"}));
}

void TestDesktopWindow::startedSetupProgramShowsInTheStatusBar()
{
    TempFolder folder;
    folder.writeFile("P/setup.sh", "#!/bin/sh\ntouch ran\n");
    QFile::setPermissions(folder.filePath("P/setup.sh"), QFile::ReadOwner | QFile::ExeOwner);
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=P", "Setup=SETUP.SH"}));
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    MessageBoxAnswer answer(QMessageBox::Yes);
    clickButton(window, "Start");
    QCOMPARE(answer.count(), 1);
    QCOMPARE(control<QStatusBar>(&window, "ZStatus")->currentMessage(), "Startet: " + folder.filePath("P/setup.sh"));
    QTRY_VERIFY(QFile::exists(folder.filePath("P/ran")));
}

void TestDesktopWindow::windowFitsTheScreen_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("placed");
    QTest::newRow("fits: centred") << QSize(763, 644) << QRect(0, 0, 1920, 1040) << QRect(578, 198, 763, 644);
    QTest::newRow("1280 x 900 at 200 %") << QSize(763, 644) << QRect(0, 0, 640, 450) << QRect(0, 0, 640, 450);
    QTest::newRow("panel on top, too low") << QSize(763, 644) << QRect(0, 40, 1024, 560) << QRect(130, 40, 763, 560);
    QTest::newRow("second screen") << QSize(763, 644) << QRect(1920, 0, 700, 900) << QRect(1920, 128, 700, 644);
}

void TestDesktopWindow::windowFitsTheScreen()
{
    QFETCH(QSize, frame);
    QFETCH(QRect, available);
    QFETCH(QRect, placed);
    QCOMPARE(ScreenFit::place(frame, available), placed);
}

// Run also on a 1280 x 900 screen at 200 % (see CMakeLists.txt), where the window is made smaller
// and its controls scroll: what is in view of the picture and the description is never under the
// status bar.
void TestDesktopWindow::windowOpensInsideTheScreen()
{
    TempFolder folder;
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));
    auto inWindow = [&window](const QWidget *widget) { return QRect(widget->mapTo(&window, QPoint()), widget->size()); };
    const QRect inView = inWindow(qobject_cast<QScrollArea *>(window.centralWidget())->viewport());
    const QRect status = inWindow(control<QWidget>(&window, "ZStatus"));
    for (const char *name : {"Skud", "Beskriv"}) {
        const QRect shown = inWindow(control<QWidget>(&window, name)) & inView;
        QVERIFY2(!shown.isEmpty() && !shown.intersects(status), name);
    }
}

// The size and place are the user's, kept in the config folder, not in the catalogue's tree.
void TestDesktopWindow::windowComesBackWhereItWasLeft()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", "[Generelt]\r\n");
    QRect left;
    {
        TMQVEdit window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.setGeometry(40, 60, 600, 400);
        QTRY_COMPARE(window.geometry().size(), QSize(600, 400));
        left = window.geometry();
        window.close();
    }
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.geometry(), left);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"Z.MQV"}));
}

QTEST_MAIN(TestDesktopWindow)
#include "tst_desktopwindow.moc"
