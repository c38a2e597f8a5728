#include "files/AtomicFile.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class AtomicFileTest : public QObject {
    Q_OBJECT
private slots:
    void replaceWritesEveryByteAndLeavesNothingBeside();
    void refusalLeavesTheFileAsItWas_data();
    void refusalLeavesTheFileAsItWas();
};

void AtomicFileTest::replaceWritesEveryByteAndLeavesNothingBeside()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", "old");
    QFile::setPermissions(folder.filePath("Z.MQV"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QFile::Permissions permissions = QFile::permissions(folder.filePath("Z.MQV"));
    const QByteArray bytes("[Z1]\r\nTitel=\xE6\r\n", 16);
    QVERIFY(AtomicFile::replace(folder.filePath("Z.MQV"), bytes));
    QCOMPARE(folder.readFile("Z.MQV"), bytes);
    QCOMPARE(QFile::permissions(folder.filePath("Z.MQV")), permissions);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Z.MQV"});
}

// Nothing is written where the user could not write, and the old bytes stay whole.
void AtomicFileTest::refusalLeavesTheFileAsItWas_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("readOnly");
    QTest::newRow("read-only file") << "A/DK.RTF" << "A/DK.RTF";
    QTest::newRow("read-only folder") << "A/DK.RTF" << "A";
    QTest::newRow("new file in a read-only folder") << "A/No.RTF" << "A";
    QTest::newRow("missing folder") << "B/DK.RTF" << QString();
}

void AtomicFileTest::refusalLeavesTheFileAsItWas()
{
    QFETCH(QString, relative);
    QFETCH(QString, readOnly);
    TempFolder folder;
    folder.makeFolder("A");
    folder.writeFile("A/DK.RTF", "kept");
    if (!readOnly.isEmpty())
        QFile::setPermissions(folder.filePath(readOnly), QFile::ReadOwner | QFile::ExeOwner);
    const QString path = folder.filePath(relative);
    QVERIFY(!AtomicFile::canReplace(path));
    QVERIFY(!AtomicFile::replace(path, "new"));
    QFile::setPermissions(folder.filePath("A"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(folder.readFile("A/DK.RTF"), QByteArray("kept"));
    QCOMPARE(QDir(folder.filePath("A")).entryList(QDir::Files | QDir::Hidden), QStringList{"DK.RTF"});
}

QTEST_GUILESS_MAIN(AtomicFileTest)
#include "tst_atomicfile.moc"
