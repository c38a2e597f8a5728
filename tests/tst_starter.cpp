#include "launch/Starter.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr auto ExecutableBits = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// Records where it ran and what it was given, one line per start, so a test can see both the
// working directory and how the parameters were split.
const QByteArray RecordingScript = "#!/bin/sh\n"
                                   "{ pwd -P; echo \"$#\"; for argument in \"$@\"; do echo \"[$argument]\"; done; }"
                                   " >> started.mark\n";

void writeExecutable(const TempFolder &folder, const QString &relative, const QByteArray &content)
{
    folder.writeFile(relative, content);
    QFile::setPermissions(folder.filePath(relative), ExecutableBits);
}

Starter starterFor(const QString &defaultDir, const QString &command)
{
    Starter starter;
    starter.DefaultDir = defaultDir;
    starter.Command = command;
    return starter;
}

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QStringList markLines(const TempFolder &folder, const QString &mark)
{
    return QString::fromLocal8Bit(folder.readFile(mark)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Puts a stand-in for the desktop's opener first on PATH, or leaves none there at all, so no
// test ever opens a real application.
class FakeOpener {
public:
    // defaultApplication: what the desktop's xdg-mime names for every type; none: no xdg-mime.
    // openerScript: what the opener does; by default it takes the file and says so by its status.
    explicit FakeOpener(bool installed, std::optional<QByteArray> defaultApplication = std::nullopt,
                        const QByteArray &openerScript = "#!/bin/sh\necho \"$1\" >> opened.mark\n")
        : previousPath_(qgetenv("PATH"))
    {
        if (installed)
            writeScript(QStringLiteral("xdg-open"), openerScript);
        if (defaultApplication)
            writeScript(QStringLiteral("xdg-mime"), "#!/bin/sh\necho '" + *defaultApplication + "'\n");
        qputenv("PATH", QFile::encodeName(bin_.path()));
    }
    ~FakeOpener() { qputenv("PATH", previousPath_); }
    FakeOpener(const FakeOpener &) = delete;
    FakeOpener &operator=(const FakeOpener &) = delete;

private:
    void writeScript(const QString &name, const QByteArray &content)
    {
        QFile file(bin_.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) < 0)
            qFatal("cannot write a stand-in for the desktop");
        file.close();
        QFile::setPermissions(file.fileName(), ExecutableBits);
    }

    QTemporaryDir bin_;
    QByteArray previousPath_;
};

} // namespace

class TestStarter : public QObject {
    Q_OBJECT

private slots:
    void runsProgramInItsFolder_data();
    void runsProgramInItsFolder();
    void splitsParametersLikeACommandLine_data();
    void splitsParametersLikeACommandLine();
    void startsAgainAndForgetsTheEarlierProcess();
    void failsWithTheSystemsReason_data();
    void failsWithTheSystemsReason();
    void unreadableFileFailsWithPermissionDenied();
    void otherFilesGoToTheDesktopOpener_data();
    void otherFilesGoToTheDesktopOpener();
    void fileTheDesktopCannotOpenFailsWithReason_data();
    void fileTheDesktopCannotOpenFailsWithReason();
    void missingOpenerFailsWithReason();
    void asksBeforeRunningANativeFile_data();
    void asksBeforeRunningANativeFile();
    void fileTheDesktopRefusedIsNotStarted();
    void fileOutsideTheCatalogueIsNotStarted();
};

void TestStarter::runsProgramInItsFolder_data()
{
    QTest::addColumn<QString>("folderOnDisk");
    QTest::addColumn<QString>("fileOnDisk");
    QTest::addColumn<QString>("defaultDir");
    QTest::addColumn<QString>("command");

    QTest::newRow("bare name in another letter case") << "Prog" << "setup.sh" << "Prog" << "SETUP.SH";
    QTest::newRow("nested folder with backslashes") << "cd/Prog" << "Setup.sh" << "CD\\prog" << "setup.SH";
    QTest::newRow("name with a subfolder") << "Prog" << "bin/run.sh" << "Prog" << "BIN\\Run.sh";
}

void TestStarter::runsProgramInItsFolder()
{
    QFETCH(QString, folderOnDisk);
    QFETCH(QString, fileOnDisk);
    QFETCH(QString, defaultDir);
    QFETCH(QString, command);

    TempFolder folder;
    writeExecutable(folder, folderOnDisk + QLatin1Char('/') + fileOnDisk, RecordingScript);
    Starter starter = starterFor(defaultDir, command);

    const Starter::Outcome outcome = starter.execute();
    QVERIFY2(outcome.started, qPrintable(outcome.failure));
    QVERIFY(outcome.failure.isEmpty());
    QVERIFY(starter.processId() > 0);
    const QString mark = folderOnDisk + QStringLiteral("/started.mark");
    QTRY_COMPARE(markLines(folder, mark).size(), 2);
    QCOMPARE(markLines(folder, mark), QStringList({QDir(folder.filePath(folderOnDisk)).canonicalPath(), "0"}));
}

void TestStarter::splitsParametersLikeACommandLine_data()
{
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QStringList>("received");

    QTest::newRow("one word") << "/silent" << QStringList({"1", "[/silent]"});
    QTest::newRow("quoted words stay together")
        << "/dir \"C:\\Program Files\\Z\" -q" << QStringList({"3", "[/dir]", "[C:\\Program Files\\Z]", "[-q]"});
}

void TestStarter::splitsParametersLikeACommandLine()
{
    QFETCH(QString, parameters);
    QFETCH(QStringList, received);

    TempFolder folder;
    writeExecutable(folder, QStringLiteral("Prog/setup.sh"), RecordingScript);
    Starter starter = starterFor(QStringLiteral("Prog"), QStringLiteral("setup.sh"));
    starter.Parameters = parameters;

    QVERIFY(starter.execute().started);
    QTRY_COMPARE(markLines(folder, QStringLiteral("Prog/started.mark")).size(), received.size() + 1);
    QCOMPARE(markLines(folder, QStringLiteral("Prog/started.mark")).mid(1), received);
}

void TestStarter::startsAgainAndForgetsTheEarlierProcess()
{
    TempFolder folder;
    writeExecutable(folder, QStringLiteral("Prog/setup.sh"), RecordingScript);
    Starter starter = starterFor(QStringLiteral("Prog"), QStringLiteral("Setup.sh"));

    QVERIFY(starter.execute().started);
    QVERIFY(starter.processId() > 0);
    QVERIFY(starter.execute().started);
    QVERIFY(starter.processId() > 0);
    QTRY_COMPARE(markLines(folder, QStringLiteral("Prog/started.mark")).size(), 4);

    starter.Command = QStringLiteral("Missing.sh");
    QVERIFY(!starter.execute().started);
    QCOMPARE(starter.processId(), 0);
    starter.Command = QStringLiteral("setup.sh");
    QVERIFY(starter.execute().started);
    QTRY_COMPARE(markLines(folder, QStringLiteral("Prog/started.mark")).size(), 6);
}

void TestStarter::failsWithTheSystemsReason_data()
{
    QTest::addColumn<QString>("defaultDir");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("shownFile");
    QTest::addColumn<QString>("failure");

    QTest::newRow("missing file") << "Prog" << "Missing.exe" << "Prog/Missing.exe" << "Filen %1 findes ikke.";
    QTest::newRow("missing folder") << "Nowhere" << "setup.sh" << "Nowhere/setup.sh" << "Filen %1 findes ikke.";
    QTest::newRow("a folder of that name") << "Prog" << "SUB" << "Prog/Sub" << "%1 er en mappe og ikke en fil.";
    QTest::newRow("no name at all") << "Prog" << "" << "Prog" << "%1 er en mappe og ikke en fil.";
    QTest::newRow("kernel refuses the program")
        << "Prog" << "broken.sh" << "Prog/broken.sh" << "Filen %1 kunne ikke startes: execv: " + reason(ENOENT);
}

void TestStarter::failsWithTheSystemsReason()
{
    QFETCH(QString, defaultDir);
    QFETCH(QString, command);
    QFETCH(QString, shownFile);
    QFETCH(QString, failure);

    TempFolder folder;
    writeExecutable(folder, QStringLiteral("Prog/setup.sh"), RecordingScript);
    writeExecutable(folder, QStringLiteral("Prog/broken.sh"), "#!/no/such/interpreter\n");
    folder.makeFolder(QStringLiteral("Prog/Sub"));
    Starter starter = starterFor(QStringLiteral("Prog"), QStringLiteral("setup.sh"));
    QVERIFY(starter.execute().started);
    QTRY_COMPARE(markLines(folder, QStringLiteral("Prog/started.mark")).size(), 2);

    starter.DefaultDir = defaultDir;
    starter.Command = command;
    const Starter::Outcome outcome = starter.execute();
    QVERIFY(!outcome.started);
    QCOMPARE(outcome.failure, failure.arg(QDir::current().absoluteFilePath(shownFile)));
    QCOMPARE(starter.processId(), 0);
    QCOMPARE(starter.DefaultDir, defaultDir);
    QCOMPARE(starter.Command, command);
}

void TestStarter::unreadableFileFailsWithPermissionDenied()
{
    if (geteuid() == 0)
        QSKIP("root may read any file");
    TempFolder folder;
    folder.writeFile(QStringLiteral("Prog/Setup.exe"), "MZ");
    QFile::setPermissions(folder.filePath(QStringLiteral("Prog/Setup.exe")), QFileDevice::Permissions());
    const FakeOpener opener(true);
    Starter starter = starterFor(QStringLiteral("Prog"), QStringLiteral("Setup.exe"));

    const Starter::Outcome outcome = starter.execute();
    QVERIFY(!outcome.started);
    QCOMPARE(outcome.failure, "Du har ikke adgang til filen " + QDir::current().absoluteFilePath("Prog/Setup.exe") + ".");
}

void TestStarter::otherFilesGoToTheDesktopOpener_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("executeBit");

    QTest::newRow("script without the execute bit") << RecordingScript << false;
    QTest::newRow("Windows program with the execute bit, as on a CD") << QByteArray("MZ\x90\0", 4) << true;
    QTest::newRow("document") << QByteArray("Read me") << false;
}

void TestStarter::otherFilesGoToTheDesktopOpener()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, executeBit);

    TempFolder folder;
    folder.writeFile(QStringLiteral("Prog/Setup.exe"), content);
    if (executeBit)
        QFile::setPermissions(folder.filePath(QStringLiteral("Prog/Setup.exe")), ExecutableBits);
    const FakeOpener opener(true);
    Starter starter = starterFor(QStringLiteral("prog"), QStringLiteral("SETUP.EXE"));

    const Starter::Outcome outcome = starter.execute();
    QVERIFY2(outcome.started, qPrintable(outcome.failure));
    QVERIFY(starter.processId() > 0);
    QTRY_COMPARE(markLines(folder, QStringLiteral("Prog/opened.mark")),
                 QStringList(QFileInfo(folder.filePath(QStringLiteral("Prog/Setup.exe"))).absoluteFilePath()));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("Prog/started.mark"))));
}

void TestStarter::fileTheDesktopCannotOpenFailsWithReason_data()
{
    QTest::addColumn<QByteArray>("defaultApplication");
    QTest::addColumn<bool>("started");
    QTest::newRow("no application for the type") << QByteArray() << false;
    QTest::newRow("an application for the type") << QByteArray("wine.desktop") << true;
}

void TestStarter::fileTheDesktopCannotOpenFailsWithReason()
{
    QFETCH(QByteArray, defaultApplication);
    QFETCH(bool, started);

    TempFolder folder;
    folder.writeFile(QStringLiteral("Prog/Setup.exe"), QByteArray("MZ\x90\0", 4));
    const FakeOpener opener(true, defaultApplication);
    Starter starter = starterFor(QStringLiteral("Prog"), QStringLiteral("Setup.exe"));

    const Starter::Outcome outcome = starter.execute();
    QCOMPARE(outcome.started, started);
    if (started) {
        QTRY_VERIFY(QFile::exists(folder.filePath(QStringLiteral("Prog/opened.mark"))));
        return;
    }
    QVERIFY2(outcome.failure.startsWith(QStringLiteral("Skrivebordet har intet program, som kan åbne filen ")
                                        + QDir::current().absoluteFilePath("Prog/Setup.exe")),
             qPrintable(outcome.failure));
    QTest::qWait(200);
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("Prog/opened.mark"))));
}

void TestStarter::missingOpenerFailsWithReason()
{
    TempFolder folder;
    folder.writeFile(QStringLiteral("Prog/Setup.exe"), "MZ");
    const FakeOpener opener(false);
    Starter starter = starterFor(QStringLiteral("Prog"), QStringLiteral("Setup.exe"));

    const Starter::Outcome outcome = starter.execute();
    QVERIFY(!outcome.started);
    QVERIFY2(outcome.failure.contains(QDir::current().absoluteFilePath("Prog/Setup.exe")), qPrintable(outcome.failure));
    QVERIFY2(outcome.failure.contains(QStringLiteral("xdg-open")), qPrintable(outcome.failure));
    QCOMPARE(starter.processId(), 0);
}

void TestStarter::asksBeforeRunningANativeFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("question");
    QTest::newRow("script named as a Windows program") << "Setup.exe" << RecordingScript
                                                        << "Setup.exe er et Linux-skript, ikke et Windows-program. K\u00F8r det?";
    QTest::newRow("script") << "install.sh" << RecordingScript << "install.sh er et Linux-skript. K\u00F8r det?";
    QTest::newRow("program") << "setup" << QByteArray("\x7F" "ELF\2\1\1") << "setup er et Linux-program. K\u00F8r det?";
    QTest::newRow("Windows program, as on a CD") << "Setup.exe" << QByteArray("MZ\x90\0", 4) << QString();
}

void TestStarter::asksBeforeRunningANativeFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, question);
    TempFolder folder;
    writeExecutable(folder, "Prog/" + name, content);
    QCOMPARE(starterFor(QStringLiteral("Prog"), name).question(), question);
}

void TestStarter::fileTheDesktopRefusedIsNotStarted()
{
    TempFolder folder;
    folder.writeFile(QStringLiteral("Prog/spil.desktop"), "[Desktop Entry]\nType=Application\nExec=false\n");
    const FakeOpener opener(true, QByteArray("texteditor.desktop"), "#!/bin/sh\nexit 4\n");
    Starter starter = starterFor(QStringLiteral("Prog"), QStringLiteral("spil.desktop"));
    const Starter::Outcome outcome = starter.execute();
    QVERIFY(!outcome.started);
    QCOMPARE(outcome.failure, "Skrivebordet kunne ikke \u00E5bne filen " + QDir::current().absoluteFilePath("Prog/spil.desktop") + ".");
    QCOMPARE(starter.processId(), 0);
}

// A setup named by an absolute path, or a link in the tree that leads out of it, is not the disc's.
void TestStarter::fileOutsideTheCatalogueIsNotStarted()
{
    TempFolder folder;
    QTemporaryDir outside;
    QFile script(outside.filePath("setup.sh"));
    QVERIFY(script.open(QIODevice::WriteOnly) && script.write(RecordingScript) > 0);
    script.close();
    QFile::setPermissions(script.fileName(), ExecutableBits);
    folder.makeFolder(QStringLiteral("Prog"));
    QVERIFY(QFile::link(script.fileName(), folder.filePath(QStringLiteral("Prog/link.sh"))));
    const FakeOpener opener(true);
    for (const QString &command : {script.fileName(), QStringLiteral("link.sh")}) {
        Starter starter = starterFor(QStringLiteral("Prog"), command);
        QCOMPARE(starter.question(), QString());
        const Starter::Outcome outcome = starter.execute();
        QVERIFY(!outcome.started);
        QVERIFY2(outcome.failure.endsWith(" ligger uden for kataloget og startes ikke."), qPrintable(outcome.failure));
    }
    QTest::qWait(200);
    QVERIFY(!QFile::exists(outside.filePath("started.mark")));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("Prog/started.mark"))));
}

QTEST_GUILESS_MAIN(TestStarter)
#include "tst_starter.moc"
