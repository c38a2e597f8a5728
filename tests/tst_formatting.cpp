#include "app/EditMQV.h"
#include "description/Twips.h"
#include "support/EditorTesting.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

#include <QAction>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QtTest>

// The formatting commands of the description editor, each through its button, its context-menu
// entry and its shortcut, and the keys the editor takes differently from a plain text box.
class TestFormatting : public QObject {
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void boldWithoutSelectionAppliesToWhatIsTyped();
    void standardLook_data();
    void standardLook();
    void standardLookSurvivesSaveAndReload();
    void returnKeys();
    void aWideTableGetsAHorizontalScrollBar();
};

namespace {

enum class Way { Button, Menu, Shortcut };

struct Expected {
    bool bold;
    bool italic;
    qreal pointSize;
    QColor colour;
};

// A description can be written only where it can be kept: in the item's folder.
void giveItemAFolder(const TempFolder &folder)
{
    folder.makeFolder("A");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A"}));
}

void startEditing(TMQVEdit &window, const QString &text)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *description = control<QTextEdit>(&window, "Beskriv");
    description->clear();
    description->setFocus();
    QTextCursor cursor(description->document());
    QTextCharFormat start;
    start.setFontWeight(QFont::Bold);
    start.setFontUnderline(true);
    start.setFontStrikeOut(true);
    start.setFontPointSize(8);
    start.setForeground(QColor(10, 20, 30));
    cursor.insertText(text, start);
    cursor.select(QTextCursor::Document);
    description->setTextCursor(cursor);
}

void run(TMQVEdit &window, Way way, const QString &button, const QString &entry, Qt::Key key)
{
    switch (way) {
    case Way::Button:
        clickButton(window, button);
        break;
    case Way::Menu:
        control<QAction>(&window, entry)->trigger();
        break;
    case Way::Shortcut:
        QTest::keyClick(control<QTextEdit>(&window, "Beskriv"), key, Qt::ControlModifier);
        break;
    }
}

QTextCharFormat formatAt(TMQVEdit &window, int position)
{
    QTextCursor cursor(control<QTextEdit>(&window, "Beskriv")->document());
    cursor.setPosition(position);
    return cursor.charFormat();
}

} // namespace

void TestFormatting::commands_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<QColor>("colour");
    const QColor unchanged(10, 20, 30);
    const struct {
        const char *name, *button, *entry;
        Qt::Key key;
        bool bold, italic, underline;
        qreal size;
        QColor colour;
    } commands[] = {
        {"italic", "Kursiv", "KursivMenu", Qt::Key_K, false, true, false, 8, unchanged},
        {"bold", "Fed", "FedMenu", Qt::Key_F, true, false, false, 8, unchanged},
        {"plain", "Normal", "NormalMenu", Qt::Key_P, false, false, false, 8, unchanged},
        {"12 pt", "Punkt12", "Punkt12Menu", Qt::Key_W, true, false, true, 12, unchanged},
        {"10 pt", "Punkt10", "Punkt10Menu", Qt::Key_Q, true, false, true, 10, unchanged},
        {"green", "LMDButton3", "GreenMenu", Qt::Key_G, true, false, true, 8, QColor(0, 128, 0)},
        {"red", "LMDButton1", "RedMenu", Qt::Key_R, true, false, true, 8, QColor(255, 0, 0)},
        {"blue", "LMDButton2", "BlueMenu", Qt::Key_B, true, false, true, 8, QColor(0, 0, 255)},
        {"black", "LMDButton4", "BlackMenu", Qt::Key_S, true, false, true, 8, QColor(0, 0, 0)},
    };
    const std::pair<Way, const char *> ways[] = {{Way::Button, "button"}, {Way::Menu, "menu"}, {Way::Shortcut, "shortcut"}};
    for (const auto &command : commands) {
        for (const auto &[way, wayName] : ways) {
            QTest::addRow("%s by %s", command.name, wayName)
                << int(way) << command.button << command.entry << int(command.key) << command.bold << command.italic
                << command.underline << command.size << command.colour;
        }
    }
}

void TestFormatting::commands()
{
    QFETCH(int, way);
    QFETCH(QString, button);
    QFETCH(QString, entry);
    QFETCH(int, key);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(qreal, pointSize);
    QFETCH(QColor, colour);
    TempFolder folder;
    giveItemAFolder(folder);
    TMQVEdit window;
    startEditing(window, "Hello world");
    run(window, Way(way), button, entry, Qt::Key(key));
    QCOMPARE(control<QTextEdit>(&window, "Beskriv")->toPlainText(), QString("Hello world"));
    const QTextCharFormat format = formatAt(window, 3);
    QCOMPARE(format.fontWeight() >= QFont::Bold, bold);
    QCOMPARE(format.fontItalic(), italic);
    QCOMPARE(format.fontUnderline(), underline);
    QCOMPARE(format.fontStrikeOut(), underline);
    QCOMPARE(format.fontPointSize(), pointSize);
    QCOMPARE(format.foreground().color(), colour);
}

void TestFormatting::boldWithoutSelectionAppliesToWhatIsTyped()
{
    TempFolder folder;
    giveItemAFolder(folder);
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *description = control<QTextEdit>(&window, "Beskriv");
    description->setFocus();
    QTest::keyClicks(description, "ab");
    QTest::keyClick(description, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(description, "cd");
    QCOMPARE(description->toPlainText(), QString("abcd"));
    QCOMPARE(formatAt(window, 1).fontWeight(), int(QFont::Normal));
    QCOMPARE(formatAt(window, 4).fontWeight(), int(QFont::Bold));
}

void TestFormatting::standardLook_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("button") << int(Way::Button);
    QTest::newRow("menu") << int(Way::Menu);
    QTest::newRow("shortcut") << int(Way::Shortcut);
}

void TestFormatting::standardLook()
{
    QFETCH(int, way);
    TempFolder folder;
    giveItemAFolder(folder);
    TMQVEdit window;
    startEditing(window, "First");
    auto *description = control<QTextEdit>(&window, "Beskriv");
    QTextCursor cursor = description->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock();
    cursor.insertText("Second");
    QTextBlockFormat spaced;
    spaced.setTopMargin(20);
    spaced.setBottomMargin(12);
    spaced.setLineHeight(200, QTextBlockFormat::ProportionalHeight);
    cursor.setBlockFormat(spaced);
    cursor.select(QTextCursor::Document);
    description->setTextCursor(cursor);

    run(window, Way(way), "Arial", "Normal1", Qt::Key_N);

    QVERIFY(!description->textCursor().hasSelection());
    QCOMPARE(description->textCursor().position(), 0);
    for (int position : {2, 8}) {
        const QTextCharFormat format = formatAt(window, position);
        QCOMPARE(format.fontFamilies().toStringList().value(0), QString("Arial"));
        QCOMPARE(format.background().color(), QColor(255, 255, 255));
        QCOMPARE(format.fontWeight(), int(QFont::Bold));
        QCOMPARE(format.fontPointSize(), 8.0);
        QCOMPARE(format.foreground().color(), QColor(10, 20, 30));
    }
    for (QTextBlock block = description->document()->firstBlock(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        QCOMPARE(unitsToTwips(format.leftMargin() + format.textIndent()), 160);
        QCOMPARE(unitsToTwips(format.tabPositions().value(0).position), 1400);
        QCOMPARE(format.topMargin(), 0.0);
        QCOMPARE(format.bottomMargin(), 0.0);
        QVERIFY(!format.hasProperty(QTextFormat::LineHeight) || format.lineHeight() == 100);
    }
}

void TestFormatting::standardLookSurvivesSaveAndReload()
{
    TempFolder folder;
    giveItemAFolder(folder);
    folder.makeFolder("A");
    folder.writeFile("Z.MQV", iniBytes({"[Z1]", "Titel=A", "Folder=A", "[Z2]", "Titel=B"}));
    TMQVEdit window;
    startEditing(window, "Standard text");
    clickButton(window, "Arial");
    stepForward(window);
    stepBack(window);
    QCOMPARE(window.CurrentItemNumber, 1);
    auto *description = control<QTextEdit>(&window, "Beskriv");
    QVERIFY(description->toPlainText().startsWith("Standard text"));
    const QTextBlockFormat block = description->document()->firstBlock().blockFormat();
    QCOMPARE(unitsToTwips(block.leftMargin() + block.textIndent()), 160);
    QCOMPARE(unitsToTwips(block.tabPositions().value(0).position), 1400);
    QCOMPARE(block.topMargin(), 0.0);
    QCOMPARE(block.bottomMargin(), 0.0);
    const QTextCharFormat format = formatAt(window, 3);
    QCOMPARE(format.font().family(), QString("Arial"));
    QCOMPARE(format.fontWeight(), int(QFont::Bold));
    QCOMPARE(format.background().color(), QColor(255, 255, 255));
}

void TestFormatting::returnKeys()
{
    TempFolder folder;
    giveItemAFolder(folder);
    TMQVEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *description = control<QTextEdit>(&window, "Beskriv");
    description->clear();
    description->setFocus();
    QTest::keyClicks(description, "ab");
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClick(description, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(description->document()->blockCount(), 1);
    QTest::keyClick(description, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(description, "cd");
    QCOMPARE(description->document()->blockCount(), 2);
    QTest::keyClick(description, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(description, "ef");
    QCOMPARE(description->document()->blockCount(), 2);
    QCOMPARE(description->document()->toRawText(), QString("ab\u2029cd\u2028ef"));
    // Ctrl+K makes italic; it does not delete to the end of the line.
    QTest::keyClick(description, Qt::Key_Home);
    QTest::keyClick(description, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(description->document()->toRawText(), QString("ab\u2029cd\u2028ef"));
}

// Text wraps at the editor's width; only what cannot wrap, such as a wide table, needs a
// horizontal scroll bar.
void TestFormatting::aWideTableGetsAHorizontalScrollBar()
{
    TempFolder folder;
    giveItemAFolder(folder);
    TMQVEdit window;
    startEditing(window, QString(40, QLatin1Char('x')).repeated(20));
    auto *description = control<QTextEdit>(&window, "Beskriv");
    QVERIFY(!description->horizontalScrollBar()->isVisible());
    auto *table = new QMimeData;
    table->setHtml("<table width=\"900\" border=\"1\"><tr><td>Ja</td><td>Nej</td></tr></table>");
    QApplication::clipboard()->setMimeData(table);
    QTest::keyClick(description, Qt::Key_V, Qt::ControlModifier);
    QTRY_VERIFY(description->horizontalScrollBar()->isVisible());
    QVERIFY(description->horizontalScrollBar()->maximum() > 0);
}

QTEST_MAIN(TestFormatting)
#include "tst_formatting.moc"
