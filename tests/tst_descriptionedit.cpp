#include "app/DescriptionEdit.h"
#include "description/RtfReader.h"

#include <QtTest>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>

// What the description editor draws of what Qt cannot show by itself.
class TestDescriptionEdit : public QObject {
    Q_OBJECT
private slots:
    void listShowsItsStartNumber_data();
    void listShowsItsStartNumber();
    void levelShowsTheNumbersAboveIt();
    void listNumbersOnThroughTableCells();
    void cellShowsItsShading();
};

namespace {

QByteArray numberedList(int start, QByteArray items, QByteArray kind = "0")
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}{\\*\\listtable{\\list{\\listlevel\\levelnfc" + kind
                   + "\\levelstartat" + QByteArray::number(start)
                   + "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720}\\listid1}}"
                     "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\\f0\\fs24 ";
    for (const QByteArray &item : items.split(' '))
        rtf += "\\pard\\fi-360\\li720\\ls1 " + item + "\\par ";
    return rtf + "}";
}

void show(DescriptionEdit &edit, const QByteArray &rtf)
{
    edit.resize(300, 240);
    QVERIFY(RtfReader::read(rtf, *edit.document()));
    edit.document()->documentLayout()->documentSize(); // laid out before it is measured
}

// A paragraph as drawn, from the viewport's left edge, where the numbers are.
QImage drawnParagraph(DescriptionEdit &edit, int paragraph)
{
    const QImage drawn = edit.viewport()->grab().toImage();
    const QTextBlock block = edit.document()->findBlockByNumber(paragraph);
    const QRect shown = edit.document()->documentLayout()->blockBoundingRect(block).toAlignedRect();
    return drawn.copy(0, shown.top(), drawn.width(), shown.height());
}

// A list item's number and the start of its text as drawn, wherever the paragraph stands: short
// numbers, a cell's border a little further left.
QImage drawnNumber(DescriptionEdit &edit, int paragraph)
{
    const QImage drawn = edit.viewport()->grab().toImage();
    const QTextBlock block = edit.document()->findBlockByNumber(paragraph);
    const QRectF shown = edit.document()->documentLayout()->blockBoundingRect(block);
    const int textLeft = int(shown.left() + block.layout()->lineAt(0).naturalTextRect().left());
    return drawn.copy(textLeft - 20, int(shown.top()), 40, int(shown.height()));
}

QByteArray oneLevelList(const QByteArray &paragraphs)
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0"
           "\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid1}}"
           "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\\f0\\fs24 "
        + paragraphs + "}";
}

} // namespace

void TestDescriptionEdit::listShowsItsStartNumber_data()
{
    QTest::addColumn<QByteArray>("kind"); // \levelnfc
    QTest::newRow("numbers") << QByteArray("0");
    QTest::newRow("letters") << QByteArray("4");
    QTest::newRow("roman numbers") << QByteArray("2");
}

// An item of a list that starts at 3 looks as the third item of a list that starts at 1.
void TestDescriptionEdit::listShowsItsStartNumber()
{
    QFETCH(QByteArray, kind);
    DescriptionEdit fromThree;
    show(fromThree, numberedList(3, "x y", kind));
    DescriptionEdit fromOne;
    show(fromOne, numberedList(1, "a b x y", kind));
    QCOMPARE(drawnParagraph(fromThree, 0), drawnParagraph(fromOne, 2));
    QCOMPARE(drawnParagraph(fromThree, 1), drawnParagraph(fromOne, 3));
}

// An item of a second level that shows the first level's number before its own looks as an item
// of a list whose numbers have that text before them.
void TestDescriptionEdit::levelShowsTheNumbersAboveIt()
{
    DescriptionEdit nested;
    show(nested, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\*\\listtable{\\list\\listtemplateid1"
                 "{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
                 "{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'04\\'00.\\'01.;}{\\levelnumbers\\'01\\'03;}}"
                 "\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\\f0\\fs24 "
                 "\\pard\\fi-360\\li1440\\ls1 One\\par \\ilvl1 a\\par b\\par \\ilvl0 Two\\par \\ilvl1 a\\par}");
    DescriptionEdit written;
    show(written, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24\\pard\\fi-360\\li1440"
                  "{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxtb 1.}{\\pntxta .}}a\\par b\\par"
                  "\\pard\\fi-360\\li1440{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxtb 2.}{\\pntxta .}}a\\par}");
    QCOMPARE(drawnParagraph(nested, 1), drawnParagraph(written, 0)); // 1.1.
    QCOMPARE(drawnParagraph(nested, 2), drawnParagraph(written, 1)); // 1.2.
    QCOMPARE(drawnParagraph(nested, 4), drawnParagraph(written, 2)); // 2.1.
}

// The items of a list in table cells and after the table look as the items of a list without one.
void TestDescriptionEdit::listNumbersOnThroughTableCells()
{
    DescriptionEdit acrossCells;
    show(acrossCells, oneLevelList("\\pard\\fi-360\\li720\\ls1 a\\par b\\par\\trowd\\cellx3000\\cellx6000"
                                   "\\pard\\intbl\\fi-360\\li720\\ls1 c\\cell d\\cell\\row\\pard\\fi-360\\li720\\ls1 e\\par"));
    DescriptionEdit withoutCells;
    show(withoutCells, oneLevelList("\\pard\\fi-360\\li720\\ls1 a\\par b\\par c\\par d\\par e\\par"));
    for (int paragraph = 2; paragraph < 5; ++paragraph)
        QCOMPARE(drawnNumber(acrossCells, paragraph), drawnNumber(withoutCells, paragraph));
}

void TestDescriptionEdit::cellShowsItsShading()
{
    DescriptionEdit edit;
    show(edit, "{\\rtf1\\ansi{\\colortbl ;\\red255\\green255\\blue0;}\\trowd\\clcbpat1\\cellx3000"
               "\\pard\\intbl x\\cell\\row}");
    const QImage drawn = edit.viewport()->grab().toImage();
    const QTextBlock cellText = edit.document()->findBlockByNumber(1);
    const QRectF shown = edit.document()->documentLayout()->blockBoundingRect(cellText);
    QCOMPARE(drawn.pixelColor(shown.bottomRight().toPoint() + QPoint(-2, -2)), QColor(Qt::yellow));
}

QTEST_MAIN(TestDescriptionEdit)
#include "tst_descriptionedit.moc"
