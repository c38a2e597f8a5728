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
