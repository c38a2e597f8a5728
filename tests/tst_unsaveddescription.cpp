#include "description/DescriptionRecovery.h"
#include "files/CatalogueLock.h"
#include "files/LocalPath.h"
#include "support/TempFolder.h"

#include <QDirIterator>
#include <QtTest>

// A description typed and not yet saved: kept against a crash and offered at the next start,
// never written over a file another editor changed, and a second editor on the catalogue told so.
class TestUnsavedDescription : public QObject {
    Q_OBJECT
private slots:
    void lockCountsOnlyOpenEditors_data();
    void lockCountsOnlyOpenEditors();
    void recoveryIsKeptOutsideTheCatalogue();
};

namespace {

// Every file under the folder, by relative path.
QStringList filesUnder(const QString &path)
{
    QStringList files;
    QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(path).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QStringList recoveryFiles(const TempFolder &folder)
{
    return filesUnder(folder.statePath() + "/mqveditor/recovery");
}

} // namespace

void TestUnsavedDescription::lockCountsOnlyOpenEditors_data()
{
    QTest::addColumn<bool>("runtimeFolder");
    QTest::newRow("runtime folder") << true;
    QTest::newRow("no runtime folder: the state folder") << false;
}

void TestUnsavedDescription::lockCountsOnlyOpenEditors()
{
    QFETCH(bool, runtimeFolder);
    TempFolder folder;
    if (!runtimeFolder)
        qunsetenv("XDG_RUNTIME_DIR");
    const QString catalogue = folder.filePath("Z.MQV");
    auto first = std::make_unique<CatalogueLock>(catalogue);
    QVERIFY(!first->othersHadItOpen());
    QVERIFY(first->path().startsWith((runtimeFolder ? folder.runtimePath() : folder.statePath()) + "/mqveditor/locks/"));
    CatalogueLock second(catalogue);
    QVERIFY(second.othersHadItOpen());
    QVERIFY(!CatalogueLock(folder.filePath("Other/Z.MQV")).othersHadItOpen());
    first.reset();
    // The lock file stays behind; only a lock that is held counts.
    QVERIFY(QFile::exists(second.path()));
    QVERIFY(CatalogueLock(catalogue).othersHadItOpen());
    QCOMPARE(filesUnder(folder.path()), QStringList());
}

void TestUnsavedDescription::recoveryIsKeptOutsideTheCatalogue()
{
    TempFolder folder;
    folder.writeFile("A/DK.RTF", "{\\rtf1 Gammel\\par}");
    const QString catalogue = folder.filePath("Z.MQV");
    const FileStamp shown = FileStamp::of(*LocalPath::findFile("A\\DK.RTF"));
    const DescriptionRecovery::Unsaved typed{3, "Norsk", "A\\DK.RTF", "{\\rtf1 Ny\\par}",
                                             DescriptionRecovery::shownDigest("A\\DK.RTF", shown)};
    DescriptionRecovery writer(catalogue, [&] { return std::optional(typed); });
    const DescriptionRecovery reader(catalogue, [] { return std::nullopt; });
    QVERIFY(writer.keep());
    QCOMPARE(recoveryFiles(folder).size(), 1);
    QCOMPARE(filesUnder(folder.path()), QStringList({"A/DK.RTF"}));
    QCOMPARE(writer.leftOver().size(), std::size_t(0));
    const std::vector<DescriptionRecovery::LeftOver> found = reader.leftOver();
    QCOMPARE(found.size(), std::size_t(1));
    QCOMPARE(found[0].unsaved.item, 3);
    QCOMPARE(found[0].unsaved.language, QString("Norsk"));
    QCOMPARE(found[0].unsaved.storedPath, QString("A\\DK.RTF"));
    QCOMPARE(found[0].unsaved.rtf, typed.rtf);
    QVERIFY(DescriptionRecovery::fileAsShown(found[0].unsaved));
    folder.writeFile("A/DK.RTF", "{\\rtf1 Andet\\par}");
    QVERIFY(!DescriptionRecovery::fileAsShown(found[0].unsaved));
    writer.drop();
    QCOMPARE(recoveryFiles(folder), QStringList());

    // A state folder inside the catalogue's tree is not used.
    qputenv("XDG_STATE_HOME", folder.filePath("state").toUtf8());
    DescriptionRecovery inside(catalogue, [&] { return std::optional(typed); });
    QVERIFY(!inside.keep());
    QCOMPARE(filesUnder(folder.path()), QStringList({"A/DK.RTF"}));
}

QTEST_MAIN(TestUnsavedDescription)
#include "tst_unsaveddescription.moc"
