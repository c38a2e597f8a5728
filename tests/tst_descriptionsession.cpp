#include "description/DescriptionSession.h"
#include "description/DescriptionSaveError.h"
#include "support/TempFolder.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

// The description editor without a window: a document, filled and emptied as the window's is.
class DocumentEditor : public DescriptionSession::Editor {
public:
    QTextDocument &descriptionDocument() override { return document; }
    DescriptionFile::Reading fillDescription(const std::function<DescriptionFile::Reading(QTextDocument &)> &fill) override
    {
        ++fills;
        return fill(document);
    }
    void clearDescription() override { document.clear(); }

    void type(const QString &text) { QTextCursor(&document).insertText(text); }

    QTextDocument document;
    int fills = 0;
};

const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hej\\par}";

} // namespace

class DescriptionSessionTest : public QObject {
    Q_OBJECT
private slots:
    void anUnchangedFileIsNeitherReadAgainNorWritten();
    void whatIsTypedGoesBackToTheFolderItCameFrom();
    void aFileThatCannotBeReadIsNeverWrittenOver();
    void aFileChangedOnDiskIsWrittenWhereTheUserSays_data();
    void aFileChangedOnDiskIsWrittenWhereTheUserSays();
};

void DescriptionSessionTest::anUnchangedFileIsNeitherReadAgainNorWritten()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.writeFile("A/DK.RTF", rtf);
    DocumentEditor editor;
    int changes = 0;
    DescriptionSession session(editor, [](const QString &) { return std::nullopt; }, [&changes] { ++changes; });
    QVERIFY(session.load("A", "DK.RTF", "DK.RTF"));
    QVERIFY(!session.load("A", "DK.RTF", "DK.RTF"));
    QCOMPARE(editor.fills, 1);
    QCOMPARE(changes, 1);
    QCOMPARE(editor.document.toPlainText().trimmed(), QStringLiteral("Hej"));
    QCOMPARE(session.shownPath("DK.RTF"), QStringLiteral("A\\DK.RTF"));
    session.save("DK.RTF", DescriptionLanguage::Dansk);
    QCOMPARE(folder.readFile("A/DK.RTF"), rtf);
}

void DescriptionSessionTest::whatIsTypedGoesBackToTheFolderItCameFrom()
{
    TempFolder folder;
    folder.makeFolder("A");
    folder.makeFolder("B");
    DocumentEditor editor;
    DescriptionSession session(editor, [](const QString &) { return std::nullopt; }, [] {});
    QVERIFY(session.load("A", QString(), "No.RTF"));
    QCOMPARE(session.access(), DescriptionSession::Access::Editable);
    editor.type(QStringLiteral("Norsk tekst"));
    session.followRename("A", "B");
    session.save("No.RTF", DescriptionLanguage::Norsk);
    QVERIFY(folder.readFile("B/No.RTF").contains("Norsk tekst"));
    QVERIFY(!editor.document.isModified());

    // An item without a folder has nowhere to keep what is typed.
    QVERIFY(session.load(QString(), QString(), "No.RTF"));
    QVERIFY(!session.isEditable());
    editor.type(QStringLiteral("lost"));
    session.save("No.RTF", DescriptionLanguage::Norsk);
    QVERIFY(!QFile::exists(folder.filePath("No.RTF")));
}

void DescriptionSessionTest::aFileThatCannotBeReadIsNeverWrittenOver()
{
    TempFolder folder;
    folder.makeFolder("A");
    const QByteArray binary("MZ\x90\0\x03\0\0\0\x04\0", 10);
    folder.writeFile("A/DK.RTF", binary);
    DocumentEditor editor;
    DescriptionSession session(editor, [](const QString &) { return std::nullopt; }, [] {});
    session.load("A", "DK.RTF", "DK.RTF");
    QCOMPARE(session.access(), DescriptionSession::Access::Unreadable);
    editor.type(QStringLiteral("typed"));
    session.save("DK.RTF", DescriptionLanguage::Dansk);
    QCOMPARE(folder.readFile("A/DK.RTF"), binary);
}

void DescriptionSessionTest::aFileChangedOnDiskIsWrittenWhereTheUserSays_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<bool>("copyHoldsTypedText");
    QTest::newRow("overwrite") << "A\\DK.RTF" << QByteArray() << false;
    QTest::newRow("keep the disk's") << QString() << QByteArray("{\\rtf1 theirs}") << false;
    QTest::newRow("save as a new file") << "A\\DK - Kopi.RTF" << QByteArray("{\\rtf1 theirs}") << true;
}

void DescriptionSessionTest::aFileChangedOnDiskIsWrittenWhereTheUserSays()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, original);
    QFETCH(bool, copyHoldsTypedText);
    TempFolder folder;
    folder.makeFolder("A");
    folder.writeFile("A/DK.RTF", rtf);
    DocumentEditor editor;
    QStringList asked;
    DescriptionSession session(editor, [&](const QString &storedPath) -> std::optional<QString> {
        asked << storedPath;
        return answer.isEmpty() ? std::nullopt : std::optional<QString>(answer);
    }, [] {});
    session.load("A", "DK.RTF", "DK.RTF");
    editor.type(QStringLiteral("ours "));
    folder.writeFile("A/DK.RTF", "{\\rtf1 theirs}");
    session.save("DK.RTF", DescriptionLanguage::Dansk);
    QCOMPARE(asked, QStringList{"A\\DK.RTF"});
    if (original.isEmpty())
        QVERIFY(folder.readFile("A/DK.RTF").contains("ours"));
    else
        QCOMPARE(folder.readFile("A/DK.RTF"), original);
    QCOMPARE(QFile::exists(folder.filePath("A/DK - Kopi.RTF")), copyHoldsTypedText);
    QCOMPARE(editor.document.toPlainText().contains("ours"), original.isEmpty());
}

QTEST_MAIN(DescriptionSessionTest)
#include "tst_descriptionsession.moc"
