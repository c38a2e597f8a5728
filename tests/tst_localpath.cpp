#include "files/LocalPath.h"
#include "files/Windows1252.h"
#include "support/TempFolder.h"

#include <QtTest>

class TestLocalPath : public QObject {
    Q_OBJECT
private slots:
    void windows1252RoundTripsEveryByte();
    void windows1252DiffersFromLatin1();
    void windows1252UnknownBecomesQuestionMark();
    void existence_data();
    void existence();
    void resolveKeepsMissingComponentsAsWritten();
    void forWritingReusesTheNameOnDisk();
    void keptFolderListingFollowsChanges();
};

void TestLocalPath::windows1252RoundTripsEveryByte()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(Windows1252::encode(Windows1252::decode(all)), all);
}

void TestLocalPath::windows1252DiffersFromLatin1()
{
    QCOMPARE(Windows1252::decode(QByteArray("\x80\x93\x94\xF8")), QString::fromUtf8("€“”ø"));
    QCOMPARE(Windows1252::encode(QString::fromUtf8("Tilbehør Værksted €")), QByteArray("Tilbeh\xF8r V\xE6rksted \x80"));
}

void TestLocalPath::windows1252UnknownBecomesQuestionMark()
{
    QCOMPARE(Windows1252::encode(QString::fromUtf8("a\u0141b\U0001F600c")), QByteArray("a?b?c"));
}

void TestLocalPath::existence_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("isFile");
    QTest::addColumn<bool>("isFolder");
    QTest::newRow("exact file") << "Prog\\Setup.exe" << true << false;
    QTest::newRow("file in other case") << "PROG\\setup.EXE" << true << false;
    QTest::newRow("dot prefix") << ".\\prog\\SETUP.exe" << true << false;
    QTest::newRow("folder") << "prog" << false << true;
    QTest::newRow("folder of a file's name") << "Prog\\Sub.exe" << false << true;
    QTest::newRow("missing") << "Prog\\Nothing.exe" << false << false;
    QTest::newRow("through parent") << "Prog\\..\\Prog\\setup.exe" << true << false;
    QTest::newRow("danish edition") << "..\\..\\Dansk\\Prog\\Only.exe" << true << false;
    QTest::newRow("forward slashes") << "prog/setup.exe" << true << false;
}

void TestLocalPath::existence()
{
    QFETCH(QString, stored);
    QFETCH(bool, isFile);
    QFETCH(bool, isFolder);
    TempFolder root;
    root.writeFile("Dansk/Prog/ONLY.EXE", "x");
    root.makeFolder("Udgaver/Norsk");
    root.writeFile("Udgaver/Norsk/Prog/Setup.exe", "x");
    root.makeFolder("Udgaver/Norsk/Prog/sub.exe");
    QDir::setCurrent(root.filePath("Udgaver/Norsk"));
    QCOMPARE(LocalPath::fileExists(stored), isFile);
    QCOMPARE(LocalPath::folderExists(stored), isFolder);
}

void TestLocalPath::resolveKeepsMissingComponentsAsWritten()
{
    TempFolder root;
    root.makeFolder("Prog");
    QCOMPARE(LocalPath::resolve("PROG\\New\\File.txt"), QString("./Prog/New/File.txt"));
    QCOMPARE(LocalPath::resolve("\\Shot.jpg"), QString("/Shot.jpg"));
}

void TestLocalPath::forWritingReusesTheNameOnDisk()
{
    TempFolder root;
    root.writeFile("Prog/no.rtf", "old");
    QCOMPARE(LocalPath::forWriting("prog\\No.RTF"), QString("./Prog/no.rtf"));
    QCOMPARE(LocalPath::forWriting("prog\\Sv.RTF"), QString("./Prog/Sv.RTF"));
}

// Names not found are looked up in a kept listing of the folder; files that come, go or are
// renamed behind the editor's back, within the same second, are found as they are now.
void TestLocalPath::keptFolderListingFollowsChanges()
{
    TempFolder root;
    root.writeFile("Prog/Shot.jpg", "x");
    // Only a folder whose last change is older than any file system's clock tick is kept.
    QTest::qSleep(2500);
    QVERIFY(!LocalPath::fileExists("prog\\SETUP.EXE"));
    QVERIFY(!LocalPath::fileExists("prog\\SETUP.EXE"));
    root.writeFile("Prog/setup.exe", "x");
    QVERIFY(LocalPath::fileExists("prog\\SETUP.EXE"));
    QVERIFY(QFile::rename(root.filePath("Prog/setup.exe"), root.filePath("Prog/install.exe")));
    QVERIFY(!LocalPath::fileExists("prog\\SETUP.EXE"));
    QCOMPARE(LocalPath::findFile("PROG\\INSTALL.EXE"), std::optional<QString>("./Prog/install.exe"));
    QVERIFY(QFile::remove(root.filePath("Prog/install.exe")));
    QVERIFY(!LocalPath::fileExists("PROG\\INSTALL.EXE"));
}

QTEST_GUILESS_MAIN(TestLocalPath)
#include "tst_localpath.moc"
