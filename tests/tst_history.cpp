#include "catalogue/ProfileFile.h"
#include "files/AtomicFile.h"
#include "history/CatalogueHistory.h"
#include "history/JournalRecord.h"
#include "support/IniBytes.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The history on its own: what a crash, a full history and a damaged journal leave of it.
class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void killedAtAnyMomentUndoesBackToTheStart();
    void oldestStepsGoFirstWhenFull();
    void tornJournalEndIsCutOff();
    void journalOfTheFormerFormatStillReads();
    void stepLeftOpenInTheFormerFormatIsFinished();
    void journalOfTheNamedFormatUndoesAndRedoes();
    void everyKeptRecordIsWrittenAsItWasRead();
    void noFlippedBitTurnsTheJournalAgainstTheCatalogue();
    void damagedJournals_data();
    void damagedJournals();
    void journalThatIsNoFileIsNotOpened();
};

namespace {

const QString catalogueName = QStringLiteral(".\\Z.MQV");

QString historyFolder(const TempFolder &folder)
{
    return folder.statePath() + "/history";
}

CatalogueHistory::Action action(int round)
{
    return {QString(), 1, QStringLiteral("Titel"), round % 3 == 0 ? QStringLiteral("TitelEdit/1") : QString()};
}

// One user action of the kind the editor makes: a key or two of the catalogue and, now and then,
// the description file.
void editOnce(CatalogueHistory &history, ProfileFile &catalogue, int round)
{
    const CatalogueHistory::Recording recording = history.begin(action(round));
    catalogue.WriteString("Z1", "Titel", QStringLiteral("Runde %1").arg(round));
    if (round % 2)
        catalogue.DeleteKey("Z1", "Spil");
    else
        catalogue.WriteString("Z1", "Spil", "Ja");
    if (round % 5 == 0)
        AtomicFile::replace(QDir::current().filePath("A/DK.RTF"), "{\\rtf1 Runde " + QByteArray::number(round) + "}");
}

} // namespace

// The history makes every record durable; on a real disk the thousand starts over damaged
// journals would take minutes, so the folders are kept in memory where the system has a place.
void TestHistory::initTestCase()
{
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
}

// A child process edits, undoes and redoes without pause and is killed at some moment; the next
// start must finish what was cut off and take every step back to the files as they began.
void TestHistory::killedAtAnyMomentUndoesBackToTheStart()
{
    int stepsTakenBack = 0;
    for (int attempt = 0; attempt < 6; ++attempt) {
        TempFolder folder;
        folder.makeFolder("A");
        const QByteArray catalogue = iniBytes({"[Z1]", "Titel=Start", "Folder=A"});
        const QByteArray description = "{\\rtf1 Start}";
        folder.writeFile("Z.MQV", catalogue);
        folder.writeFile("A/DK.RTF", description);
        const QString path = folder.filePath("Z.MQV");
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            CatalogueHistory history(path, historyFolder(folder), {});
            ProfileFile file(catalogueName);
            for (int round = 1;; ++round) {
                editOnce(history, file, round);
                if (round % 4 == 0) {
                    history.undo();
                    history.undo();
                    history.redo();
                }
            }
        }
        ::usleep(useconds_t(30000 + 45000 * attempt));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        // Killed before its first step or in the middle of any later one.
        CatalogueHistory history(path, historyFolder(folder), {});
        while (history.nextUndo()) {
            const CatalogueHistory::Outcome outcome = history.undo();
            QVERIFY2(outcome.done, qPrintable(QString("attempt %1: %2").arg(attempt).arg(outcome.refusal)));
            ++stepsTakenBack;
        }
        QCOMPARE(folder.readFile("Z.MQV"), catalogue);
        QCOMPARE(folder.readFile("A/DK.RTF"), description);
    }
    QVERIFY(stepsTakenBack > 6);
}

void TestHistory::oldestStepsGoFirstWhenFull()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=Start", "Folder=A"}));
    const QString path = folder.filePath("Z.MQV");
    ProfileFile file(catalogueName);
    QByteArray afterTwenty;
    {
        CatalogueHistory history(path, historyFolder(folder), {10, 1 << 30});
        for (int round = 1; round <= 30; ++round) {
            {
                const CatalogueHistory::Recording recording = history.begin({QString(), 1, QString(), QString()});
                file.WriteString("Z1", "Titel", QStringLiteral("Runde %1").arg(round));
            }
            if (round == 20)
                afterTwenty = folder.readFile("Z.MQV");
        }
        QCOMPARE(history.steps().size(), std::size_t(10));
        QCOMPARE(history.steps().back().summary, QString("Titel: \u00BBRunde 29\u00AB \u2192 \u00BBRunde 30\u00AB"));
    }
    CatalogueHistory history(path, historyFolder(folder), {10, 1 << 30});
    QCOMPARE(history.steps().size(), std::size_t(10));
    while (history.nextUndo() && history.nextUndo()->number > 20)
        QVERIFY(history.undo().done);
    QCOMPARE(folder.readFile("Z.MQV"), afterTwenty);
}

// A journal whose last record was cut short by a crash (or a full disk) keeps what is whole.
void TestHistory::tornJournalEndIsCutOff()
{
    TempFolder folder;
    const QByteArray catalogue = iniBytes({"[Z1]", "Titel=Start"});
    folder.writeFile("Z.MQV", catalogue);
    const QString path = folder.filePath("Z.MQV");
    ProfileFile file(catalogueName);
    {
        CatalogueHistory history(path, historyFolder(folder), {});
        {
            const CatalogueHistory::Recording recording = history.begin({QString(), 1, QString(), QString()});
            file.WriteString("Z1", "Titel", "Ny");
        }
    }
    QFile journal(historyFolder(folder) + "/journal");
    QVERIFY(journal.open(QIODevice::Append));
    journal.write("{\"t\":\"file\",\"n\":9,\"data\":500}\n{\\rtf");
    journal.close();
    CatalogueHistory history(path, historyFolder(folder), {});
    QCOMPARE(history.steps().size(), std::size_t(1));
    {
        const CatalogueHistory::Recording recording = history.begin({QString(), 1, QString(), QString()});
        file.WriteString("Z1", "Global", "Kort");
    }
    QVERIFY(history.undo().done);
    QVERIFY(history.undo().done);
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
}

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray formerJournal(const TempFolder &folder)
{
    return readAll(MQV_SOURCE_DIR "/tests/data/history-v1/journal")
        .replace("@FOLDER@", QFile::encodeName(folder.path()));
}

// A journal the editor wrote for a catalogue in /tmp/zcd-journal, as if written for one in
// folder: its paths moved there, and the check of each record's line made anew.
QByteArray movedJournal(const TempFolder &folder)
{
    static const QRegularExpression checkedLine(QStringLiteral("^(\\{.*\\})\t[0-9a-f]{32}$"));
    QList<QByteArray> lines = readAll(MQV_SOURCE_DIR "/tests/data/history-v2/journal").split('\n');
    for (QByteArray &line : lines) {
        const QRegularExpressionMatch match = checkedLine.match(QString::fromUtf8(line));
        if (!match.hasMatch())
            continue;
        const QByteArray json = match.captured(1).toUtf8().replace("/tmp/zcd-journal", QFile::encodeName(folder.path()));
        line = json + '\t' + QCryptographicHash::hash(json, QCryptographicHash::Sha256).left(16).toHex();
    }
    return lines.join('\n');
}

} // namespace

// A journal of the named format, kept as the editor wrote it: the title changed, a folder made,
// a description saved in it, the folder renamed, then a title typed, undone, redone and undone
// again. Every step is taken back to the bytes the catalogue began with and done again.
void TestHistory::journalOfTheNamedFormatUndoesAndRedoes()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.makeFolder("C");
    folder.writeFile("C/DK.RTF", "{\\rtf1 Skak}");
    folder.writeFile("Z.MQV", "[Z1]\r\nTitel=Ny\r\nFolder=C\r\n");
    writeAll(historyFolder(folder) + "/journal", movedJournal(folder));
    CatalogueHistory history(folder.filePath("Z.MQV"), historyFolder(folder), {});
    QCOMPARE(history.takeFailure(), QString());
    QCOMPARE(history.steps().size(), std::size_t(5));
    QCOMPARE(history.nextRedo()->caption(), QStringLiteral("Titel: »Ny« → »Skak«, punkt 1"));
    for (int step = 4; step >= 1; --step)
        QVERIFY2(history.undo().done, qPrintable(QString::number(step)));
    QCOMPARE(folder.readFile("Z.MQV"), QByteArray("[Z1]\r\nTitel=Start\r\nFolder=A\r\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"A", "Z.MQV"}));
    for (int step = 1; step <= 5; ++step)
        QVERIFY2(history.redo().done, qPrintable(QString::number(step)));
    QCOMPARE(folder.readFile("Z.MQV"), QByteArray("[Z1]\r\nTitel=Skak\r\nFolder=C\r\n"));
    QCOMPARE(folder.readFile("C/DK.RTF"), QByteArray("{\\rtf1 Skak}"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({"A", "C", "Z.MQV"}));
}

// Each record of the kept journal, read and written again, says what it said: a journal written
// anew (when it is full, or after damage) keeps every field of every kind of record.
void TestHistory::everyKeptRecordIsWrittenAsItWasRead()
{
    QSet<QString> kinds;
    for (const QByteArray &line : readAll(MQV_SOURCE_DIR "/tests/data/history-v2/journal").split('\n')) {
        QJsonObject json = QJsonDocument::fromJson(line.left(line.indexOf('\t'))).object();
        if (json.isEmpty() || json.value("t") == "journal")
            continue;
        json.remove("data");
        json.remove("dsum");
        const std::optional<JournalRecord::Record> record = JournalRecord::decode(json);
        QVERIFY2(record, line.constData());
        QCOMPARE(JournalRecord::encode(*record), json);
        kinds.insert(json.value("t").toString());
    }
    QCOMPARE(kinds.size(), 10);
}

// A journal written before the format was named: its steps are taken back as before, and it is
// written anew in the named format.
void TestHistory::journalOfTheFormerFormatStillReads()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", readAll(MQV_SOURCE_DIR "/tests/data/history-v1/Z.MQV"));
    writeAll(historyFolder(folder) + "/journal", formerJournal(folder));
    CatalogueHistory history(folder.filePath("Z.MQV"), historyFolder(folder), {});
    QCOMPARE(history.takeFailure(), QString());
    QCOMPARE(history.steps().size(), std::size_t(1));
    QVERIFY(history.undo().done);
    QCOMPARE(folder.readFile("Z.MQV"), readAll(MQV_SOURCE_DIR "/tests/data/history-v1/Z.MQV.before"));
    QVERIFY(readAll(historyFolder(folder) + "/journal").startsWith("{\"t\":\"journal\",\"v\":2}\t"));
}

// A crash in the middle of a step: the start finishes it from the files, also while it writes
// the journal anew in the named format.
void TestHistory::stepLeftOpenInTheFormerFormatIsFinished()
{
    TempFolder folder;
    const QByteArray after = readAll(MQV_SOURCE_DIR "/tests/data/history-v1/Z.MQV");
    const QByteArray third = "[Z1]\r\nTitel=Tredje\r\n";
    folder.writeFile("Z.MQV", third);
    const QByteArray sha = QCryptographicHash::hash(after, QCryptographicHash::Sha256).toHex();
    writeAll(historyFolder(folder) + "/journal",
             formerJournal(folder) + "{\"t\":\"step\",\"n\":2,\"item\":1}\n{\"t\":\"file\",\"n\":2,\"path\":\"" +
                 QFile::encodeName(folder.filePath("Z.MQV")) + "\",\"exists\":true,\"sha\":\"" + sha +
                 "\",\"data\":" + QByteArray::number(after.size()) + "}\n" + after + "\n");
    CatalogueHistory history(folder.filePath("Z.MQV"), historyFolder(folder), {});
    QCOMPARE(history.takeFailure(), QString());
    QCOMPARE(history.steps().size(), std::size_t(2));
    QVERIFY(history.undo().done);
    QCOMPARE(folder.readFile("Z.MQV"), after);
    QVERIFY(history.undo().done);
    QCOMPARE(folder.readFile("Z.MQV"), readAll(MQV_SOURCE_DIR "/tests/data/history-v1/Z.MQV.before"));
}

// Every bit of a small journal flipped in turn: the history then never puts a file in a state it
// did not record, and says once where it was damaged.
void TestHistory::noFlippedBitTurnsTheJournalAgainstTheCatalogue()
{
    TempFolder folder;
    folder.makeFolder("A");
    QSet<QByteArray> catalogueStates{iniBytes({"[Z1]", "Titel=Start", "Folder=A"})};
    QSet<QByteArray> descriptionStates{QByteArray()};
    folder.writeFile("Z.MQV", *catalogueStates.begin());
    const QString path = folder.filePath("Z.MQV");
    ProfileFile file(catalogueName);
    {
        CatalogueHistory history(path, historyFolder(folder), {});
        for (int round = 1; round <= 3; ++round) {
            editOnce(history, file, round * 5);
            catalogueStates.insert(folder.readFile("Z.MQV"));
            descriptionStates.insert(folder.readFile("A/DK.RTF"));
        }
        QVERIFY(history.undo().done);
    }
    const QByteArray catalogue = folder.readFile("Z.MQV");
    const QByteArray description = folder.readFile("A/DK.RTF");
    const QString journalPath = historyFolder(folder) + "/journal";
    const QByteArray journal = readAll(journalPath);
    const qsizetype lastRecord = journal.lastIndexOf('\n', journal.size() - 2);
    int told = 0;
    int undoneAfterDamage = 0;
    for (qsizetype at = 0; at < journal.size(); ++at) {
        QDir(historyFolder(folder)).removeRecursively();
        QByteArray damaged = journal;
        damaged[at] = char(damaged[at] ^ (1 << (at % 8)));
        writeAll(journalPath, damaged);
        folder.writeFile("Z.MQV", catalogue);
        folder.writeFile("A/DK.RTF", description);
        {
            CatalogueHistory history(path, historyFolder(folder), {});
            const QString failure = history.takeFailure();
            QVERIFY2(failure.startsWith("Historikken er beskadiget ved trin ") || at > lastRecord,
                     qPrintable(QString("byte %1: %2").arg(at).arg(failure)));
            told += failure.isEmpty() ? 0 : 1;
            undoneAfterDamage += history.nextUndo() ? 1 : 0;
            while (history.nextUndo() && history.undo().done) {
                QVERIFY2(catalogueStates.contains(folder.readFile("Z.MQV")), qPrintable(QString("byte %1").arg(at)));
                QVERIFY(descriptionStates.contains(folder.readFile("A/DK.RTF")));
            }
            while (history.nextRedo() && history.redo().done) {
                QVERIFY2(catalogueStates.contains(folder.readFile("Z.MQV")), qPrintable(QString("byte %1").arg(at)));
                QVERIFY(descriptionStates.contains(folder.readFile("A/DK.RTF")));
            }
        }
        CatalogueHistory again(path, historyFolder(folder), {});
        QCOMPARE(again.takeFailure(), QString());
    }
    QVERIFY(told > journal.size() * 9 / 10);
    // What could be read stays undoable: one damaged record costs a step or two, not the history.
    QVERIFY2(undoneAfterDamage > journal.size() * 9 / 10,
             qPrintable(QString("%1 of %2").arg(undoneAfterDamage).arg(journal.size())));
}

void TestHistory::damagedJournals_data()
{
    QTest::addColumn<QByteArray>("damage");
    QTest::addColumn<int>("stepsLeft");
    // The former format's journal damaged so. A record whose step cannot be read leaves out the
    // step next to it, whose undo or redo it may have recorded.
    const QByteArray step2 = "{\"t\":\"step\",\"n\":2,\"item\":1}\n";
    QTest::newRow("garbage in the middle") << QByteArray("\x01garbage\xff\n") + step2 << 0;
    QTest::newRow("step number out of range") << QByteArray("{\"t\":\"step\",\"n\":1e300}\n") + step2 << 0;
    QTest::newRow("carried size out of range") << QByteArray("{\"t\":\"after\",\"n\":1,\"i\":0,\"data\":-5e20}\n") << 0;
    QTest::newRow("change index out of range") << QByteArray("{\"t\":\"after\",\"n\":1,\"i\":1e19,\"data\":1}\nx\n") << 0;
    QTest::newRow("state without exists")
        << QByteArray("{\"t\":\"step\",\"n\":2,\"item\":1}\n{\"t\":\"file\",\"n\":2,\"path\":\"@FOLDER@/Z.MQV\"}\n"
                      "{\"t\":\"close\",\"n\":2,\"changes\":[{\"i\":0,\"exists\":true,\"sha\":\"" +
                      QCryptographicHash::hash(readAll(MQV_SOURCE_DIR "/tests/data/history-v1/Z.MQV"),
                                               QCryptographicHash::Sha256).toHex() + "\"}]}\n")
        << 1;
    QTest::newRow("path outside the tree")
        << QByteArray("{\"t\":\"step\",\"n\":2,\"item\":1}\n{\"t\":\"file\",\"n\":2,\"path\":\"@OUTSIDE@\",\"exists\":false}\n"
                      "{\"t\":\"close\",\"n\":2,\"changes\":[{\"i\":0,\"exists\":true,\"sha\":\"" +
                      QCryptographicHash::hash("mine", QCryptographicHash::Sha256).toHex() + "\"}]}\n")
        << 1;
}

// Damage of each kind leaves out its own step only; the rest is taken back, and nothing outside
// the tree or in the catalogue is changed to a state the history did not record.
void TestHistory::damagedJournals()
{
    QFETCH(QByteArray, damage);
    QFETCH(int, stepsLeft);
    TempFolder folder;
    QTemporaryDir outside;
    const QString outsideFile = outside.filePath("mine");
    writeAll(outsideFile, "mine");
    folder.writeFile("Z.MQV", readAll(MQV_SOURCE_DIR "/tests/data/history-v1/Z.MQV"));
    damage.replace("@FOLDER@", QFile::encodeName(folder.path())).replace("@OUTSIDE@", QFile::encodeName(outsideFile));
    writeAll(historyFolder(folder) + "/journal", formerJournal(folder) + damage);
    CatalogueHistory history(folder.filePath("Z.MQV"), historyFolder(folder), {});
    QVERIFY2(history.takeFailure().startsWith("Historikken er beskadiget ved trin "), damage.constData());
    QCOMPARE(int(history.steps().size()), stepsLeft);
    while (history.nextUndo() && history.undo().done) {
    }
    QCOMPARE(readAll(outsideFile), QByteArray("mine"));
    const QByteArray catalogue = folder.readFile("Z.MQV");
    QVERIFY(catalogue == readAll(MQV_SOURCE_DIR "/tests/data/history-v1/Z.MQV") ||
            catalogue == readAll(MQV_SOURCE_DIR "/tests/data/history-v1/Z.MQV.before"));
    QCOMPARE(QDir(historyFolder(folder)).entryList({"journal-beskadiget-*"}).size(), 1);
}

// A pipe where the journal should be would hang the start: it is not opened, and the user is told
// that the history is off.
void TestHistory::journalThatIsNoFileIsNotOpened()
{
    TempFolder folder;
    folder.writeFile("Z.MQV", "[Z1]\r\nTitel=A\r\n");
    QDir().mkpath(historyFolder(folder));
    QVERIFY(::mkfifo(QFile::encodeName(historyFolder(folder) + "/journal").constData(), 0600) == 0);
    QElapsedTimer timer;
    timer.start();
    CatalogueHistory history(folder.filePath("Z.MQV"), historyFolder(folder), {});
    QVERIFY(timer.elapsed() < 5000);
    QVERIFY(history.takeFailure().contains("historikken er ingen almindelig fil"));
    QVERIFY(!history.nextUndo());
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
