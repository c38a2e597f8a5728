#include "catalogue/ProfileFile.h"
#include "catalogue/ProfileWriteError.h"
#include "support/SmallDisk.h"
#include "support/TempFolder.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString catalogueName = QStringLiteral(".\\Z.MQV");
const QString writeErrorText = QStringLiteral("Unable to write to .\\Z.MQV");

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The exception text, or an empty string when the call went through.
template <typename Call>
QString writeError(Call call)
{
    try {
        call();
    } catch (const ProfileWriteError &error) {
        return QString::fromUtf8(error.what());
    }
    return QString();
}

// chattr needs a file system that keeps the flag; when it refuses, the caller skips.
bool setImmutable(const QString &path, bool on)
{
    return QProcess::execute("chattr", {on ? "+i" : "-i", path}) == 0;
}

// A replaced file has a new inode; one left alone keeps its own.
ino_t inodeOf(const QString &path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

// Gives the file the modification time an untouched catalogue has, always the same one.
void makeOld(const QString &path)
{
    const timespec newYear2020 = {1577836800, 0};
    const timespec times[2] = {newYear2020, newYear2020};
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0);
}

QByteArray catalogueOf(int items, const QByteArray &titel)
{
    QByteArray bytes;
    for (int item = 1; item <= items; ++item) {
        bytes += "[Z" + QByteArray::number(item) + "]\r\n";
        bytes += "Titel=" + (item == 1 ? titel : "Program " + QByteArray::number(item)) + "\r\n";
        bytes += "Global=Et program til " + QByteArray(40, 'x') + "\r\n";
    }
    return bytes;
}

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT
private slots:
    void readString_data();
    void readString();
    void sectionExists_data();
    void sectionExists();
    void writeString_data();
    void writeString();
    void deleteKey_data();
    void deleteKey();
    void eraseSection_data();
    void eraseSection();
    void unsafeNamesAreRefused_data();
    void unsafeNamesAreRefused();

    void missingFileIsCreatedOnlyByWriteString();
    void missingFolderIsAWriteError();
    void fileNameMatchesRegardlessOfCaseAndFollowsTheCurrentFolder();
    void everyCallSeesTheFileAsItIsNow();
    void keptFileIsReadAgainOnceChanged_data();
    void keptFileIsReadAgainOnceChanged();
    void windows1252RoundTrips();

    void readOnlyFileCanBeBrowsedButNotChanged();
    void immutableFileCanBeBrowsedButNotChanged();
    void readOnlyFolderIsAWriteError();
    void unchangedWriteLeavesTheFileAlone();
    void replacementKeepsPermissionsAndOwner();
    void utf16FileIsNeverChanged();
    void fullDiskLeavesTheFileIntact_data();
    void fullDiskLeavesTheFileIntact();
    void crashDuringWriteLeavesOldOrNewFile();
    void twoWritersLoseNoKey();

    void badInputNeitherCrashesNorHangs_data();
    void badInputNeitherCrashesNorHangs();
    void hugeFileIsReadAndWritten();
};

void TestProfileFile::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<QString>("expected");

    const QByteArray item = "[Z1]\r\nTitel=Paint\r\nGlobal=Tegn\r\n";
    QTest::newRow("stored value") << item << "Z1" << "Global" << "d" << "Tegn";
    QTest::newRow("missing section") << item << "Z2" << "Titel" << "d" << "d";
    QTest::newRow("missing key") << item << "Z1" << "Setup" << "d" << "d";
    QTest::newRow("empty file") << QByteArray() << "Z1" << "Titel" << "d" << "d";
    QTest::newRow("header followed by header") << QByteArray("[Z5]\r\n[Z6]\r\nTitel=x\r\n") << "Z5" << "Titel"
                                               << "d" << "d";
    QTest::newRow("empty value is not the default") << QByteArray("[Z1]\r\nTitel=\r\n") << "Z1" << "Titel"
                                                    << "Nope" << "";
    QTest::newRow("default loses trailing spaces only") << item << "Z1" << "Run" << "  Nope \t  " << "  Nope \t";
    QTest::newRow("default cut like a value") << item << "Z1" << "Run" << QString(3000, 'd') << QString(2047, 'd');
    QTest::newRow("3000 characters come back as 2047")
        << QByteArray("[Z1]\r\nGlobal=" + QByteArray(3000, 'a') + "\r\n") << "Z1" << "Global" << "" << QString(2047, 'a');
    QTest::newRow("quotes go before the cut")
        << QByteArray("[Z1]\r\nGlobal=\"" + QByteArray(3000, 'a') + "\"\r\n") << "Z1" << "Global" << "" << QString(2047, 'a');
    QTest::newRow("lower-case header, upper-case key") << QByteArray("[z5]\r\nTitel=Paint\r\n") << "Z5" << "TITEL"
                                                       << "d" << "Paint";
    QTest::newRow("S and Z with caron fold") << QByteArray("[Z1]\r\n\x8A\x8E\x8C\x9F=Ja\r\n") << "Z1"
                                             << text("šžœÿ") << "d" << "Ja";
    QTest::newRow("accented capitals fold") << QByteArray("[Z1]\r\nV\xC6RKSTED=Ja\r\n") << "Z1" << text("Værksted")
                                            << "d" << "Ja";
    QTest::newRow("blanks around key and value") << QByteArray("[Z1]\r\n \t\vTitel \t= \v a  b \t\v\r\n") << "Z1"
                                                 << "Titel" << "d" << "a  b";
    QTest::newRow("spaces around the names given") << item << "  Z1 " << "  Titel  " << "d" << "Paint";
    QTest::newRow("a tab in a name given is kept") << item << "Z1\t" << "Titel" << "d" << "d";
    QTest::newRow("double quotes") << QByteArray("[Z1]\r\nk=\" a \"\r\n") << "Z1" << "k" << "d" << " a ";
    QTest::newRow("single quotes") << QByteArray("[Z1]\r\nk='a'\r\n") << "Z1" << "k" << "d" << "a";
    QTest::newRow("only the outer pair") << QByteArray("[Z1]\r\nk=''a''\r\n") << "Z1" << "k" << "d" << "'a'";
    QTest::newRow("mismatched quotes stay") << QByteArray("[Z1]\r\nk=\"a'\r\n") << "Z1" << "k" << "d" << "\"a'";
    QTest::newRow("lone quote stays") << QByteArray("[Z1]\r\nk=\"\r\n") << "Z1" << "k" << "d" << "\"";
    QTest::newRow("empty quotes") << QByteArray("[Z1]\r\nk=\"\"\r\n") << "Z1" << "k" << "d" << "";
    QTest::newRow("equals and semicolon in value") << QByteArray("[Z1]\r\nk=a=b ;c\r\n") << "Z1" << "k" << "d"
                                                   << "a=b ;c";
    QTest::newRow("bracket in value is no header") << QByteArray("[Z1]\r\nk=[Z2]\r\nm=2\r\n") << "Z1" << "m" << "d"
                                                   << "2";
    QTest::newRow("header name trimmed") << QByteArray(" \t[ \tZ1\v ]\r\nk=v\r\n") << "Z1" << "k" << "d" << "v";
    QTest::newRow("header without bracket") << QByteArray("[Z1\r\nk=v\r\n") << "Z1" << "k" << "d" << "v";
    QTest::newRow("name ends at first bracket") << QByteArray("[Z1]x]\r\nk=v\r\n") << "Z1" << "k" << "d" << "v";
    QTest::newRow("second opening bracket is name") << QByteArray("[[Z1]\r\nk=v\r\n") << "[Z1" << "k" << "d" << "v";
    QTest::newRow("text after bracket ignored") << QByteArray("[Z1]k=v\r\nk=w\r\n") << "Z1" << "k" << "d" << "w";
    QTest::newRow("empty section name") << QByteArray("[]\r\nk=v\r\n") << "" << "k" << "d" << "v";
    QTest::newRow("lines before first header") << QByteArray("k=v\r\n[Z1]\r\n") << "" << "k" << "d" << "d";
    QTest::newRow("comment is no key") << QByteArray("[Z1]\r\n  ;k=v\r\n") << "Z1" << ";k" << "d" << "d";
    QTest::newRow("hash is no comment") << QByteArray("[Z1]\r\n#k=v\r\n") << "Z1" << "#k" << "d" << "v";
    QTest::newRow("line without equals") << QByteArray("[Z1]\r\nk\r\n") << "Z1" << "k" << "d" << "d";
    QTest::newRow("first of duplicate sections")
        << QByteArray("[Z1]\r\nk=1\r\n[Z1]\r\nk=2\r\nm=3\r\n") << "Z1" << "k" << "d" << "1";
    QTest::newRow("key only in later duplicate") << QByteArray("[Z1]\r\nk=1\r\n[z1]\r\nm=3\r\n") << "Z1" << "m"
                                                 << "d" << "d";
    QTest::newRow("first of duplicate keys") << QByteArray("[Z1]\r\nk=1\r\nK=2\r\n") << "Z1" << "k" << "d" << "1";
    QTest::newRow("CR only") << QByteArray("[Z0]\rk=0\r[Z1]\rk=1\r") << "Z1" << "k" << "d" << "1";
    QTest::newRow("LF only") << QByteArray("[Z0]\nk=0\n[Z1]\nk=1\n") << "Z1" << "k" << "d" << "1";
    QTest::newRow("mixed line ends, no final break")
        << QByteArray("[Z0]\rk=0\n[Z1]\r\n\n\rk=1") << "Z1" << "k" << "d" << "1";
    QTest::newRow("windows-1252 text") << QByteArray("[Z1]\r\nTilbeh\xF8r=\x80 9\x96\x39\r\n") << "Z1"
                                       << text("Tilbehør") << "d" << text("€ 9–9");
    QTest::newRow("character outside the code page") << QByteArray("[Z1?]\r\nk=v\r\n") << text("Z1Ł") << "k"
                                                     << "d" << "d";
    QTest::newRow("NUL bytes") << QByteArray("\0\0\r\n[Z1]\r\nk=a\0b\r\n", 17) << "Z1" << "k" << "d"
                               << QString::fromLatin1("a\0b", 3);
    // Windows does not know the UTF-8 mark: it sticks to the first line, which is then no header.
    QTest::newRow("UTF-8 mark hides first header") << QByteArray("\xEF\xBB\xBF[Z1]\r\nk=v\r\n") << "Z1" << "k"
                                                   << "d" << "d";
    QTest::newRow("UTF-16 file reads as empty")
        << QByteArray("\xFF\xFE[\0Z\0\x31\0]\0\r\0\n\0k\0=\0v\0", 20) << "Z1" << "k" << "d" << "d";
}

void TestProfileFile::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, defaultValue);
    QFETCH(QString, expected);
    TempFolder folder;
    folder.writeFile("Z.MQV", file);
    QCOMPARE(ProfileFile(catalogueName).ReadString(section, key, defaultValue), expected);
}

void TestProfileFile::sectionExists_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<bool>("exists");

    QTest::newRow("keys") << QByteArray("[Z1]\r\nTitel=Paint\r\n") << "Z1" << true;
    QTest::newRow("missing") << QByteArray("[Z1]\r\nTitel=Paint\r\n") << "Z70" << false;
    QTest::newRow("header followed by header") << QByteArray("[Z5]\r\n[Z6]\r\nTitel=x\r\n") << "Z5" << false;
    QTest::newRow("only an empty key") << QByteArray("[Z5]\r\nTitel=\r\n") << "Z5" << true;
    QTest::newRow("only an empty key name") << QByteArray("[Z5]\r\n=v\r\n") << "Z5" << true;
    QTest::newRow("comments, blanks and bare words")
        << QByteArray("[Z5]\r\n;Titel=x\r\n \t\r\nTitel\r\n[Z6]\r\nk=v\r\n") << "Z5" << false;
    QTest::newRow("header at end of file") << QByteArray("[Z1]\r\nk=v\r\n[Z5]") << "Z5" << false;
    QTest::newRow("other letter case") << QByteArray("[z5]\r\nk=v\r\n") << "Z5" << true;
    QTest::newRow("empty first duplicate") << QByteArray("[Z5]\r\n[Z5]\r\nk=v\r\n") << "Z5" << false;
    QTest::newRow("unclosed header") << QByteArray("[Z5\r\nk=v\r\n") << "Z5" << true;
}

void TestProfileFile::sectionExists()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(bool, exists);
    TempFolder folder;
    folder.writeFile("Z.MQV", file);
    QCOMPARE(ProfileFile(catalogueName).SectionExists(section), exists);
}

void TestProfileFile::writeString_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("empty file") << QByteArray() << "Z1" << "Titel" << "x" << QByteArray("[Z1]\r\nTitel=x\r\n");
    QTest::newRow("new section at end") << QByteArray("[A]\nk=v\n") << "Z1" << "Titel" << "x"
                                        << QByteArray("[A]\nk=v\n[Z1]\r\nTitel=x\r\n");
    QTest::newRow("new section after unended line") << QByteArray("[A]\r\nk=v") << "Z1" << "Titel" << "x"
                                                    << QByteArray("[A]\r\nk=v\r\n[Z1]\r\nTitel=x\r\n");
    QTest::newRow("new section after CR") << QByteArray("[A]\rk=v\r") << "Z1" << "Titel" << "x"
                                          << QByteArray("[A]\rk=v\r[Z1]\r\nTitel=x\r\n");
    QTest::newRow("value replaced, spelling kept") << QByteArray("[z1]\r\nTITEL=old\r\nx=1\r\n") << "Z1" << "Titel"
                                                   << "new" << QByteArray("[z1]\r\nTITEL=new\r\nx=1\r\n");
    QTest::newRow("indent and spacing kept") << QByteArray("[Z1]\r\n  Titel =  old  \r\n") << "Z1" << "Titel"
                                             << "new" << QByteArray("[Z1]\r\n  Titel =  new\r\n");
    QTest::newRow("unended last line gets a break") << QByteArray("[S]\r\nTestKey=TestValue") << "s" << "testkey"
                                                    << "TestValue2" << QByteArray("[S]\r\nTestKey=TestValue2\r\n");
    QTest::newRow("LF and CR lines stay") << QByteArray("[Z1]\na=1\rk=a\nb=2\r") << "Z1" << "k" << "b"
                                          << QByteArray("[Z1]\na=1\rk=b\nb=2\r");
    QTest::newRow("new key after last key line")
        << QByteArray("[Z1]\r\na=1\r\n;c\r\n\r\n[Z2]\r\nb=2\r\n") << "Z1" << "k" << "v"
        << QByteArray("[Z1]\r\na=1\r\nk=v\r\n;c\r\n\r\n[Z2]\r\nb=2\r\n");
    QTest::newRow("new key in empty section") << QByteArray("[Z1]\r\n[Z2]\r\n") << "Z1" << "k" << "v"
                                              << QByteArray("[Z1]\r\nk=v\r\n[Z2]\r\n");
    QTest::newRow("new key after unended header") << QByteArray("[Z1]") << "Z1" << "k" << "v"
                                                  << QByteArray("[Z1]\r\nk=v\r\n");
    QTest::newRow("new key in first duplicate") << QByteArray("[Z1]\r\na=1\r\n[Z1]\r\nk=2\r\n") << "Z1" << "k"
                                                << "v" << QByteArray("[Z1]\r\na=1\r\nk=v\r\n[Z1]\r\nk=2\r\n");
    QTest::newRow("first duplicate key") << QByteArray("[Z1]\r\nk=1\r\nk=2\r\n") << "Z1" << "K" << "v"
                                         << QByteArray("[Z1]\r\nk=v\r\nk=2\r\n");
    QTest::newRow("comment is not the key") << QByteArray("[Z1]\r\n;k=1\r\n") << "Z1" << "k" << "v"
                                            << QByteArray("[Z1]\r\nk=v\r\n;k=1\r\n");
    QTest::newRow("empty value keeps key") << QByteArray("[Z1]\r\nTitel=Paint\r\n") << "Z1" << "Titel" << ""
                                           << QByteArray("[Z1]\r\nTitel=\r\n");
    QTest::newRow("value ends at line break") << QByteArray("[Z1]\r\n") << "Z1" << "k" << "a\r\n[Z2]\nb=c"
                                              << QByteArray("[Z1]\r\nk=a\r\n");
    QTest::newRow("value written verbatim") << QByteArray() << "Z1" << "k" << " ;\"x\" " << QByteArray("[Z1]\r\nk= ;\"x\" \r\n");
    QTest::newRow("leading blank replaces the spacing") << QByteArray("[Z1]\r\nk =  v\r\n") << "Z1" << "k" << " v"
                                                       << QByteArray("[Z1]\r\nk = v\r\n");
    QTest::newRow("names without outer spaces") << QByteArray("[Z1]\r\nk=1\r\n") << " Z1 " << " k " << "2"
                                                << QByteArray("[Z1]\r\nk=2\r\n");
    QTest::newRow("windows-1252 key and value") << QByteArray("[Z1]\r\nV\xC6RKSTED=Nope\r\n") << "Z1"
                                                << text("Værksted") << text("Ja €ø")
                                                << QByteArray("[Z1]\r\nV\xC6RKSTED=Ja \x80\xF8\r\n");
    QTest::newRow("text before first header and NULs kept")
        << QByteArray("\0x\r\n[Z1]\r\nk=1\r\n", 15) << "Z1" << "k" << "2" << QByteArray("\0x\r\n[Z1]\r\nk=2\r\n", 15);
}

void TestProfileFile::writeString()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    TempFolder folder;
    folder.writeFile("Z.MQV", before);
    ProfileFile profile(catalogueName);
    profile.WriteString(section, key, value);
    QCOMPARE(folder.readFile("Z.MQV"), after);
}

void TestProfileFile::deleteKey_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("line removed, header stays") << QByteArray("[Z1]\r\nk=1\r\n[Z2]\r\n") << "Z1" << "K"
                                                << QByteArray("[Z1]\r\n[Z2]\r\n");
    QTest::newRow("unended last line") << QByteArray("[Z1]\r\na=1\r\nk=1") << "Z1" << "k" << QByteArray("[Z1]\r\na=1\r\n");
    QTest::newRow("first of duplicates") << QByteArray("[Z1]\nk=1\nk=2\n[Z1]\nk=3\n") << "z1" << "k"
                                         << QByteArray("[Z1]\nk=2\n[Z1]\nk=3\n");
    QTest::newRow("missing key") << QByteArray("[Z1]\r\nk=1\r\n") << "Z1" << "m" << QByteArray("[Z1]\r\nk=1\r\n");
    QTest::newRow("missing section") << QByteArray("[Z1]\r\nk=1\r\n") << "Z2" << "k" << QByteArray("[Z1]\r\nk=1\r\n");
    QTest::newRow("comment is not the key") << QByteArray("[Z1]\r\n;k=1\r\n") << "Z1" << ";k"
                                            << QByteArray("[Z1]\r\n;k=1\r\n");
}

void TestProfileFile::deleteKey()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);
    TempFolder folder;
    folder.writeFile("Z.MQV", before);
    ProfileFile(catalogueName).DeleteKey(section, key);
    QCOMPARE(folder.readFile("Z.MQV"), after);
}

void TestProfileFile::eraseSection_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("header and keys") << QByteArray("[Z1]\r\na=1\r\n[Z2]\r\nb=2\r\n[Z3]\r\nc=3\r\n") << "z2"
                                     << QByteArray("[Z1]\r\na=1\r\n[Z3]\r\nc=3\r\n");
    QTest::newRow("comments, blank lines and bare words stay")
        << QByteArray("[Z1]\r\na=1\r\n;note\r\n\r\nword\r\nb=2\r\n[Z2]\r\n") << "Z1"
        << QByteArray(";note\r\n\r\nword\r\n[Z2]\r\n");
    QTest::newRow("first of duplicates") << QByteArray("[Z1]\na=1\n[Z1]\nb=2\n") << "Z1" << QByteArray("[Z1]\nb=2\n");
    QTest::newRow("last section, unended") << QByteArray("[Z0]\r\n[Z1]\r\na=1") << "Z1" << QByteArray("[Z0]\r\n");
    QTest::newRow("missing section") << QByteArray("[Z1]\r\na=1\r\n") << "Z2" << QByteArray("[Z1]\r\na=1\r\n");
}

void TestProfileFile::eraseSection()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QByteArray, after);
    TempFolder folder;
    folder.writeFile("Z.MQV", before);
    ProfileFile(catalogueName).EraseSection(section);
    QCOMPARE(folder.readFile("Z.MQV"), after);
}

void TestProfileFile::unsafeNamesAreRefused_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");

    QTest::newRow("bracket in section") << "Z1]x" << "k";
    QTest::newRow("line break in section") << "Z1\r\n[Z2" << "k";
    QTest::newRow("tab around section") << "\tZ1" << "k";
    QTest::newRow("equals in key") << "Z1" << "a=b";
    QTest::newRow("key like a comment") << "Z1" << ";k";
    QTest::newRow("key like a header") << "Z1" << "[k]";
    QTest::newRow("line break in key") << "Z1" << "k\n";
    QTest::newRow("tab around key") << "Z1" << "k\v";
    QTest::newRow("character outside the code page") << "Z1" << text("kŁ");
}

void TestProfileFile::unsafeNamesAreRefused()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    TempFolder folder;
    const QByteArray before("[Z1]\r\nk=1\r\n");
    folder.writeFile("Z.MQV", before);
    QCOMPARE(writeError([&] { ProfileFile(catalogueName).WriteString(section, key, "v"); }), writeErrorText);
    QCOMPARE(folder.readFile("Z.MQV"), before);
}

void TestProfileFile::missingFileIsCreatedOnlyByWriteString()
{
    TempFolder folder;
    ProfileFile profile(catalogueName);
    QCOMPARE(profile.ReadString("Z1", "Titel", "Nope"), QString("Nope"));
    QVERIFY(!profile.SectionExists("Z1"));
    profile.DeleteKey("Z1", "Titel");
    profile.EraseSection("Z1");
    QVERIFY(!QFileInfo::exists(folder.filePath("Z.MQV")));
    QVERIFY(profile.CanWrite());

    profile.WriteString("Z1", "Titel", "");
    QCOMPARE(folder.readFile("Z.MQV"), QByteArray("[Z1]\r\nTitel=\r\n"));
    QVERIFY(profile.SectionExists("Z1"));
    QCOMPARE(profile.FileName(), catalogueName);
}

void TestProfileFile::missingFolderIsAWriteError()
{
    TempFolder folder;
    ProfileFile profile(".\\Dansk\\Z.MQV");
    QCOMPARE(writeError([&] { profile.WriteString("Z1", "Titel", "x"); }), QString("Unable to write to .\\Dansk\\Z.MQV"));
    QVERIFY(!QFileInfo::exists(folder.filePath("Dansk")));
}

void TestProfileFile::fileNameMatchesRegardlessOfCaseAndFollowsTheCurrentFolder()
{
    TempFolder folder;
    folder.writeFile("one/z.mqv", "[Z1]\r\nTitel=One\r\n");
    folder.writeFile("two/Z.MQV", "[Z1]\r\nTitel=Two\r\n");
    ProfileFile profile(catalogueName);
    QDir::setCurrent(folder.filePath("one"));
    QCOMPARE(profile.ReadString("Z1", "Titel", ""), QString("One"));
    profile.WriteString("Z1", "Titel", "Een");
    QCOMPARE(QDir().entryList(QDir::Files), QStringList{"z.mqv"});
    QCOMPARE(folder.readFile("one/z.mqv"), QByteArray("[Z1]\r\nTitel=Een\r\n"));
    QDir::setCurrent(folder.filePath("two"));
    QCOMPARE(profile.ReadString("Z1", "Titel", ""), QString("Two"));
}

void TestProfileFile::everyCallSeesTheFileAsItIsNow()
{
    TempFolder folder;
    ProfileFile profile(catalogueName);
    folder.writeFile("Z.MQV", "[Z1]\r\nTitel=Old\r\n");
    QCOMPARE(profile.ReadString("Z1", "Titel", ""), QString("Old"));
    folder.writeFile("Z.MQV", "[Z1]\r\nTitel=New\r\n");
    QCOMPARE(profile.ReadString("Z1", "Titel", ""), QString("New"));
    folder.writeFile("Z.MQV", "[Z2]\r\nTitel=New\r\n");
    QVERIFY(!profile.SectionExists("Z1"));
}

// Another program changes the kept file behind the layer's back, keeping its size and putting its
// old modification time back.
void TestProfileFile::keptFileIsReadAgainOnceChanged_data()
{
    QTest::addColumn<bool>("replaced");
    QTest::newRow("rewritten in place") << false;
    QTest::newRow("replaced by a renamed file") << true;
}

void TestProfileFile::keptFileIsReadAgainOnceChanged()
{
    QFETCH(bool, replaced);
    TempFolder folder;
    ProfileFile profile(catalogueName);
    folder.writeFile("Z.MQV", "[Z1]\r\nTitel=Old\r\n");
    makeOld(folder.filePath("Z.MQV"));
    // Only a file whose last change is older than any file system's clock tick is kept.
    QTest::qSleep(2500);
    QCOMPARE(profile.ReadString("Z1", "Titel", ""), QString("Old"));
    QCOMPARE(profile.ReadString("Z1", "Titel", ""), QString("Old"));
    if (replaced) {
        folder.writeFile("other", "[Z1]\r\nTitel=New\r\n");
        QVERIFY(::rename("other", "Z.MQV") == 0);
    } else {
        folder.writeFile("Z.MQV", "[Z1]\r\nTitel=New\r\n");
    }
    makeOld(folder.filePath("Z.MQV"));
    QCOMPARE(profile.ReadString("Z1", "Titel", ""), QString("New"));
}

void TestProfileFile::windows1252RoundTrips()
{
    TempFolder folder;
    ProfileFile profile(catalogueName);
    const QString value = text("Tilbehør og Værksted til 10 € – “gratis”");
    profile.WriteString("Z1", text("Tilbehør"), value);
    profile.WriteString("Z1", text("Værksted"), "Ja");
    QCOMPARE(folder.readFile("Z.MQV"),
             QByteArray("[Z1]\r\nTilbeh\xF8r=Tilbeh\xF8r og V\xE6rksted til 10 \x80 \x96 \x93gratis\x94\r\nV\xE6rksted=Ja\r\n"));
    QCOMPARE(profile.ReadString("Z1", text("TILBEHØR"), ""), value);
}

void TestProfileFile::readOnlyFileCanBeBrowsedButNotChanged()
{
    TempFolder folder;
    const QByteArray before("[Z1]\r\nTitel=Paint\r\nSpil=Ja\r\n");
    folder.writeFile("Z.MQV", before);
    QVERIFY(QFile::setPermissions(folder.filePath("Z.MQV"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ProfileFile profile(catalogueName);

    QCOMPARE(profile.ReadString("Z1", "Titel", ""), QString("Paint"));
    QVERIFY(profile.SectionExists("Z1"));
    QVERIFY(!profile.CanWrite());
    profile.WriteString("Z1", "Titel", "Paint");
    profile.EraseSection("Z9");
    QCOMPARE(writeError([&] { profile.WriteString("Z1", "Titel", "Draw"); }), writeErrorText);
    QCOMPARE(writeError([&] { profile.EraseSection("Z1"); }), writeErrorText);
    profile.DeleteKey("Z1", "Spil");
    QCOMPARE(folder.readFile("Z.MQV"), before);
}

void TestProfileFile::immutableFileCanBeBrowsedButNotChanged()
{
    TempFolder folder;
    const QByteArray before("[Z1]\r\nTitel=Paint\r\n");
    folder.writeFile("Z.MQV", before);
    if (!setImmutable(folder.filePath("Z.MQV"), true))
        QSKIP("this file system or user cannot mark files immutable");
    ProfileFile profile(catalogueName);
    const QString error = writeError([&] { profile.WriteString("Z1", "Titel", "Draw"); });
    const QString read = profile.ReadString("Z1", "Titel", "");
    const bool writableWhileImmutable = profile.CanWrite();
    profile.WriteString("Z1", "Titel", "Paint");
    QVERIFY(setImmutable(folder.filePath("Z.MQV"), false));
    QVERIFY(!writableWhileImmutable);
    QVERIFY(profile.CanWrite());
    QCOMPARE(error, writeErrorText);
    QCOMPARE(read, QString("Paint"));
    QCOMPARE(folder.readFile("Z.MQV"), before);
}

void TestProfileFile::readOnlyFolderIsAWriteError()
{
    TempFolder folder;
    folder.writeFile("Dansk/Z.MQV", "[Z1]\r\nTitel=Paint\r\n");
    QVERIFY(QFile::setPermissions(folder.filePath("Dansk"), QFile::ReadOwner | QFile::ExeOwner));
    const QString changed = writeError([] { ProfileFile(".\\Dansk\\Z.MQV").WriteString("Z1", "Titel", "Draw"); });
    const QString created = writeError([] { ProfileFile(".\\Dansk\\Fast.MQV").WriteString("Z1", "Titel", "x"); });
    const bool writableInReadOnlyFolder = ProfileFile(".\\Dansk\\Z.MQV").CanWrite();
    const QStringList entries = QDir(folder.filePath("Dansk")).entryList(QDir::Files);
    QFile::setPermissions(folder.filePath("Dansk"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(changed, QString("Unable to write to .\\Dansk\\Z.MQV"));
    QCOMPARE(created, QString("Unable to write to .\\Dansk\\Fast.MQV"));
    QVERIFY(!writableInReadOnlyFolder);
    QCOMPARE(entries, QStringList{"Z.MQV"});
    QCOMPARE(folder.readFile("Dansk/Z.MQV"), QByteArray("[Z1]\r\nTitel=Paint\r\n"));
}

void TestProfileFile::unchangedWriteLeavesTheFileAlone()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", "[Z1]\r\nTitel = Paint");
    const ino_t before = inodeOf(folder.filePath("Z.MQV"));
    ProfileFile(catalogueName).WriteString("Z1", "Titel", "Paint");
    ProfileFile(catalogueName).WriteString("Z1", "Titel", " Paint");
    ProfileFile(catalogueName).DeleteKey("Z1", "Run");
    ProfileFile(catalogueName).EraseSection("Z2");
    QCOMPARE(inodeOf(folder.filePath("Z.MQV")), before);
    QCOMPARE(folder.readFile("Z.MQV"), QByteArray("[Z1]\r\nTitel = Paint"));
}

void TestProfileFile::replacementKeepsPermissionsAndOwner()
{
    TempFolder folder;
    const QString path = folder.filePath("Z.MQV");
    folder.writeFile("Z.MQV", "[Z1]\r\nTitel=Paint\r\n");
    const QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(path, permissions));
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(QFile::encodeName(path).constData(), 4321, 4321), 0);
    ProfileFile(catalogueName).WriteString("Z1", "Titel", "Draw");
    const QFileInfo after(path);
    QCOMPARE(after.permissions() & ~(QFile::ReadUser | QFile::WriteUser), permissions);
    if (root) {
        QCOMPARE(after.ownerId(), 4321u);
        QCOMPARE(after.groupId(), 4321u);
    }
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"Z.MQV"});
}

void TestProfileFile::utf16FileIsNeverChanged()
{
    TempFolder folder;
    const QByteArray before("\xFF\xFE[\0Z\0\x31\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 24);
    folder.writeFile("Z.MQV", before);
    ProfileFile profile(catalogueName);
    QVERIFY(!profile.SectionExists("Z1"));
    QCOMPARE(writeError([&] { profile.WriteString("Z1", "k", "w"); }), writeErrorText);
    profile.DeleteKey("Z1", "k");
    profile.EraseSection("Z1");
    QCOMPARE(folder.readFile("Z.MQV"), before);
}

void TestProfileFile::fullDiskLeavesTheFileIntact_data()
{
    QTest::addColumn<int>("valueSize");
    // Qt buffers small writes and hands large ones straight to the system; both must fail cleanly.
    QTest::newRow("buffered") << 12000;
    QTest::newRow("direct") << 40000;
}

void TestProfileFile::fullDiskLeavesTheFileIntact()
{
    QFETCH(int, valueSize);
    TempFolder folder;
    folder.makeFolder("disk");
    const SmallDisk disk(folder.filePath("disk"));
    if (!disk.isMounted())
        QSKIP("no permission to mount a small file system");

    const QByteArray before = catalogueOf(40, "Paint");
    folder.writeFile("disk/Z.MQV", before);
    ProfileFile profile(".\\disk\\Z.MQV");
    QCOMPARE(writeError([&] { profile.WriteString("Z1", "Global", QString(valueSize, 'x')); }),
             QString("Unable to write to .\\disk\\Z.MQV"));
    QCOMPARE(folder.readFile("disk/Z.MQV"), before);
    QCOMPARE(QDir(folder.filePath("disk")).entryList(QDir::Files), QStringList{"Z.MQV"});
}

// A child process rewrites a large catalogue again and again and is killed at some moment; the file
// must then hold the old or the new text, whole.
// Two editors writing keys of one catalogue as fast as they can: every key either wrote is in the
// file at the end, so neither ever wrote from bytes the other had already replaced.
void TestProfileFile::twoWritersLoseNoKey()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", catalogueOf(70, "start"));
    const std::int64_t until = FileStamp::nowNs() + 10LL * 1000 * 1000 * 1000;
    std::vector<pid_t> writers;
    for (const char *writer : {"A", "B"}) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ProfileFile catalogue(".\\Z.MQV");
            int written = 0;
            for (; FileStamp::nowNs() < until; ++written)
                catalogue.WriteString(QString("Z%1").arg(written % 70 + 1), QString("%1%2").arg(writer).arg(written), "x");
            catalogue.WriteString("Antal", writer, QString::number(written));
            ::_exit(0);
        }
        writers.push_back(pid);
    }
    for (const pid_t pid : writers) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ProfileFile catalogue(".\\Z.MQV");
    QCOMPARE(catalogue.ReadString("Z1", "Titel", ""), QString("start"));
    for (const char *writer : {"A", "B"}) {
        const int written = catalogue.ReadString("Antal", writer, "0").toInt();
        QVERIFY(written > 10);
        for (int key = 0; key < written; ++key)
            QCOMPARE(catalogue.ReadString(QString("Z%1").arg(key % 70 + 1), QString("%1%2").arg(writer).arg(key), ""),
                     QString("x"));
    }
}

void TestProfileFile::crashDuringWriteLeavesOldOrNewFile()
{
    TempFolder folder;
    const QByteArray filler = "[Fyld]\r\nData=" + QByteArray(4 << 20, 'f') + "\r\n";
    const QByteArray first = catalogueOf(70, "first") + filler;
    const QByteArray second = catalogueOf(70, "second") + filler;
    folder.writeFile("Z.MQV", second);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            try {
                ProfileFile profile(catalogueName);
                for (int round = 0;; ++round)
                    profile.WriteString("Z1", "Titel", round % 2 == 0 ? "first" : "second");
            } catch (const ProfileWriteError &) {
                ::_exit(1);
            }
        }
        ::usleep(useconds_t(5000 + 7000 * attempt));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QByteArray found = folder.readFile("Z.MQV");
        QVERIFY2(found == first || found == second, qPrintable(QString("attempt %1").arg(attempt)));
    }
}

void TestProfileFile::badInputNeitherCrashesNorHangs_data()
{
    QTest::addColumn<QByteArray>("file");

    QByteArray garbage(1 << 20, Qt::Uninitialized);
    QRandomGenerator random(1234);
    for (char &byte : garbage)
        byte = char(random.bounded(256));
    QTest::newRow("binary garbage") << garbage;
    QTest::newRow("NUL bytes") << QByteArray(100000, '\0');
    QTest::newRow("1 MB line") << QByteArray("[Z1]\r\nk=" + QByteArray(1 << 20, 'v'));
    QTest::newRow("1 MB header, no bracket") << QByteArray("[" + QByteArray(1 << 20, 'Z'));
    QTest::newRow("brackets everywhere") << QByteArray(1 << 20, '[');
    QTest::newRow("blanks and brackets") << QByteArray("[ [\t[\v").repeated(200000);
    QTest::newRow("line breaks only") << QByteArray("\r\n\r\r\n\n").repeated(200000);
}

void TestProfileFile::badInputNeitherCrashesNorHangs()
{
    QFETCH(QByteArray, file);
    TempFolder folder;
    folder.writeFile("Z.MQV", file);
    ProfileFile profile(catalogueName);
    QCOMPARE(profile.ReadString("Z1", "Titel", "d").size() <= 2047, true);
    profile.SectionExists("Z70");
    profile.DeleteKey("Z1", "k");
    profile.EraseSection("Z1");
    profile.WriteString("Ny", "Titel", "x");
    QCOMPARE(profile.ReadString("Ny", "Titel", "d"), QString("x"));
    QVERIFY(profile.SectionExists("Ny"));
}

void TestProfileFile::hugeFileIsReadAndWritten()
{
    TempFolder folder;
    QByteArray bytes = catalogueOf(70, "Paint");
    bytes += "[Fyld]\r\n";
    const QByteArray line = "Data=" + QByteArray(94, 'f') + "\r\n";
    while (bytes.size() < 50 * 1024 * 1024)
        bytes += line;
    bytes += "[Sidst]\r\nk=end\r\n";
    folder.writeFile("Z.MQV", bytes);
    ProfileFile profile(catalogueName);
    QCOMPARE(profile.ReadString("Sidst", "k", ""), QString("end"));
    profile.WriteString("Sidst", "k", "slut");
    QCOMPARE(profile.ReadString("Sidst", "k", ""), QString("slut"));
    QCOMPARE(QFileInfo(folder.filePath("Z.MQV")).size(), bytes.size() + 1);
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
