#include "app/CatalogueLocation.h"
#include "app/EditMQV.h"
#include "app/RecentCatalogues.h"
#include "editor/CatalogueMenu.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

// The editor as the desktop starts it: with a catalogue to open, with --help or --version, or
// from a launcher without one.
class TestProgramStart : public QObject {
    Q_OBJECT
private slots:
    void opensTheCatalogueNamedOnTheCommandLine_data();
    void opensTheCatalogueNamedOnTheCommandLine();
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
    void aFileOtherThanTheCatalogueIsNotOpenedSilently_data();
    void aFileOtherThanTheCatalogueIsNotOpenedSilently();
    void theFileDialogIsDanishAndFitsTheScreen();
    void anotherCatalogueOpensInANewEditor();
};

namespace {

// With a display Qt draws off screen; without one, as over ssh or on a text console, no platform
// is chosen for Qt either.
void startEditor(QProcess &editor, const QString &workingFolder, const QStringList &arguments, bool display = true)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (display) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
    }
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

void TestProgramStart::answersWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("version") << QStringList{"--version"} << 0 << "MQVEditor " MQV_VERSION "\n" << "";
    QTest::newRow("help") << QStringList{"-h"} << 0 << "Brug: MQVEditor [tilvalg] [KATALOG]\n" << "";
    QTest::newRow("a missing catalogue") << QStringList{"Ingen/Z.MQV"} << 2 << ""
                                         << "MQVEditor: Ingen/Z.MQV findes ikke.\n";
    QTest::newRow("an unknown option") << QStringList{"--help-all"} << 2 << ""
                                       << "MQVEditor: Ukendt tilvalg: --help-all. Se MQVEditor --help.\n";
    QTest::newRow("two catalogues") << QStringList{".", "."} << 2 << "" << "MQVEditor: Angiv h\u00F8jst \u00E9t katalog.\n";
    QTest::newRow("a catalogue to show") << QStringList{"."} << 2 << ""
                                         << "MQVEditor: Vinduet kan ikke \u00E5bnes: der er ingen sk\u00E6rm";
}

void TestProgramStart::answersWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, complaint);
    TempFolder folder;
    QProcess editor;
    startEditor(editor, folder.path(), arguments, false);
    QVERIFY(editor.waitForFinished());
    QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(editor.exitCode(), exitCode);
    const QString printed = QString::fromUtf8(editor.readAllStandardOutput());
    QVERIFY2(output.isEmpty() ? printed.isEmpty() : printed.startsWith(output), qPrintable(printed));
    QVERIFY2(QString::fromUtf8(editor.readAllStandardError()).contains(complaint), qPrintable(complaint));
    // Every line of the help is the editor's own Danish, none of Qt's English.
    for (const char *english : {"Usage", "Options", "Displays", "help-all"})
        QVERIFY2(!printed.contains(QLatin1String(english)), qPrintable(printed));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

// The editor works on Z.MQV in its folder; a copy or Fast.MQV given instead is named in a message,
// and only the catalogue beside it is offered.
void TestProgramStart::aFileOtherThanTheCatalogueIsNotOpenedSilently_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("catalogueBeside");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("the catalogue in lower case") << "z.mqv" << false << QMessageBox::NoButton << true << QStringList();
    QTest::newRow("a copy, opening Z.MQV instead")
        << "foo.mqv" << true << QMessageBox::Open << true << QStringList{"\u00C5bn Z.MQV", "Annuller"};
    QTest::newRow("Fast.MQV, declining")
        << "Fast.MQV" << true << QMessageBox::Cancel << false << QStringList{"\u00C5bn Z.MQV", "Annuller"};
    QTest::newRow("a copy with no catalogue beside it") << "foo.mqv" << false << QMessageBox::Ok << false << QStringList{"OK"};
}

void TestProgramStart::aFileOtherThanTheCatalogueIsNotOpenedSilently()
{
    QFETCH(QString, file);
    QFETCH(bool, catalogueBeside);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, opened);
    QFETCH(QStringList, buttons);
    TempFolder root;
    const QByteArray stored = iniBytes({"[Z1]", "Titel=Kopi"});
    root.writeFile("Cd/" + file, stored);
    if (catalogueBeside)
        root.writeFile("Cd/Z.MQV", stored);
    const QStringList before = QDir(root.filePath("Cd")).entryList(QDir::Files);

    MessageBoxAnswer boxes(answer);
    const std::optional<QString> folder = CatalogueLocation::folderToOpen(root.filePath("Cd/" + file));
    QCOMPARE(folder.has_value(), opened);
    if (folder)
        QCOMPARE(*folder, root.filePath("Cd"));
    QCOMPARE(boxes.count(), buttons.isEmpty() ? 0 : 1);
    if (!buttons.isEmpty()) {
        QVERIFY2(boxes.text().contains(root.filePath("Cd/" + file)) && boxes.text().contains(root.filePath("Cd/Z.MQV")),
                 qPrintable(boxes.text()));
        QCOMPARE(boxes.buttonTexts(), buttons);
    }
    QCOMPARE(QDir(root.filePath("Cd")).entryList(QDir::Files), before);
    QCOMPARE(root.readFile("Cd/" + file), stored);
}

// Whatever dialog the desktop would give, the catalogue is chosen in Qt's own, with Danish texts;
// cancelling leaves the current folder as it is, so a new catalogue can be started there.
void TestProgramStart::theFileDialogIsDanishAndFitsTheScreen()
{
    TempFolder folder;
    QVERIFY(!CatalogueLocation::inCurrentFolder());
    QStringList texts;
    QRect frame;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        frame = dialog->frameGeometry();
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            texts.append(label->text());
        for (const QPushButton *button : dialog->findChild<QDialogButtonBox *>()->findChildren<QPushButton *>())
            texts.append(button->text());
        dialog->reject();
    });
    answer.start(20);
    QVERIFY(!CatalogueLocation::ask());
    QCOMPARE(QDir::currentPath(), folder.path());
    for (const QString &text : {"S\u00F8g i:", "Filnavn:", "Filtype:", "\u00C5bn", "Annuller"})
        QVERIFY2(texts.contains(text), qPrintable(texts.join('|')));
    QVERIFY2(QGuiApplication::primaryScreen()->availableGeometry().contains(frame),
             qPrintable(QStringLiteral("%1 x %2 at %3,%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y())));
}

// "Filer" starts the editor anew in the folder of the catalogue chosen and closes this window; the
// catalogues opened are kept in the user's config folder, and a start from a launcher offers the
// last one before the file dialog.
void TestProgramStart::anotherCatalogueOpensInANewEditor()
{
    TempFolder root;
    root.writeFile("A/Z.MQV", "[Generelt]\r\n");
    root.writeFile("B/Z.MQV", "[Generelt]\r\n");
    root.writeFile("bin/editor", "#!/bin/sh\necho \"$(pwd) $*\" > \"$0.ran\"\n");
    QFile::setPermissions(root.filePath("bin/editor"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    CatalogueMenu::setProgram(root.filePath("bin/editor"));
    RecentCatalogues::remember(root.filePath("B"));
    RecentCatalogues::remember(root.filePath("Gone"));
    QVERIFY(QDir::setCurrent(root.filePath("A")));
    {
        TMQVEdit window;
        window.show();
        auto *filer = window.findChild<QMenu *>("Filer");
        emit filer->aboutToShow();
        auto *last = window.findChild<QAction *>("SenesteKatalog1");
        QVERIFY(last);
        QCOMPARE(last->text(), "&1 " + root.filePath("B"));
        QVERIFY(!window.findChild<QAction *>("SenesteKatalog2"));
        last->trigger();
        QTRY_VERIFY(QFile::exists(root.filePath("bin/editor.ran")));
        QCOMPARE(QString::fromUtf8(root.readFile("bin/editor.ran")), root.filePath("B") + " " + root.filePath("B") + "\n");
        QVERIFY(!window.isVisible());
    }
    QCOMPARE(QDir(root.filePath("A")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"Z.MQV"}));

    for (const char *answer : {"VaelgEtAndet", "Annuller", "Open"}) {
        QTimer::singleShot(50, [&root, answer] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box && box->text().contains(root.filePath("B")));
            for (QAbstractButton *button : box->buttons()) {
                if (button->objectName() == answer || button->text() == answer ||
                    (button == box->button(QMessageBox::Open) && qstrcmp(answer, "Open") == 0))
                    button->click();
            }
        });
        const std::optional<bool> chosen = CatalogueLocation::offerLast(root.filePath("B"));
        QCOMPARE(chosen.has_value(), qstrcmp(answer, "Annuller") != 0);
        if (chosen)
            QCOMPARE(*chosen, qstrcmp(answer, "Open") == 0);
    }
}

QTEST_MAIN(TestProgramStart)
#include "tst_programstart.moc"
