#include "catalogue/ProfileFile.h"
#include "files/AtomicFile.h"
#include "history/CatalogueHistory.h"
#include "support/IniBytes.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// The history on its own: what a crash, a full history and a damaged journal leave of it.
class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void killedAtAnyMomentUndoesBackToTheStart();
    void oldestStepsGoFirstWhenFull();
    void tornJournalEndIsCutOff();
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
    history.begin(action(round));
    catalogue.WriteString("Z1", "Titel", QStringLiteral("Runde %1").arg(round));
    if (round % 2)
        catalogue.DeleteKey("Z1", "Spil");
    else
        catalogue.WriteString("Z1", "Spil", "Ja");
    if (round % 5 == 0)
        AtomicFile::replace(QDir::current().filePath("A/DK.RTF"), "{\\rtf1 Runde " + QByteArray::number(round) + "}");
    history.end();
}

} // namespace

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
            history.begin({QString(), 1, QString(), QString()});
            file.WriteString("Z1", "Titel", QStringLiteral("Runde %1").arg(round));
            history.end();
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
        history.begin({QString(), 1, QString(), QString()});
        file.WriteString("Z1", "Titel", "Ny");
        history.end();
    }
    QFile journal(historyFolder(folder) + "/journal");
    QVERIFY(journal.open(QIODevice::Append));
    journal.write("{\"t\":\"file\",\"n\":9,\"data\":500}\n{\\rtf");
    journal.close();
    CatalogueHistory history(path, historyFolder(folder), {});
    QCOMPARE(history.steps().size(), std::size_t(1));
    history.begin({QString(), 1, QString(), QString()});
    file.WriteString("Z1", "Global", "Kort");
    history.end();
    QVERIFY(history.undo().done);
    QVERIFY(history.undo().done);
    QCOMPARE(folder.readFile("Z.MQV"), catalogue);
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
