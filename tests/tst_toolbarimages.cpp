#include "app/ToolbarImages.h"

#include <QtTest>

namespace {

// Pixel letters for the flag scans: the flags' official colours, and '.' for the transparent
// margin above and below a flag.
QColor colourOf(QChar letter)
{
    switch (letter.unicode()) {
    case 'R': return QColor(200, 16, 46);  // Danish red
    case 'r': return QColor(186, 12, 47);  // Norwegian red
    case 'N': return QColor(0, 32, 91);    // Norwegian blue
    case 'B': return QColor(0, 106, 167);  // Swedish blue
    case 'Y': return QColor(254, 204, 0);  // Swedish yellow
    case 'F': return QColor(0, 47, 108);   // Finnish blue
    case 'W': return QColor(Qt::white);
    default: return QColor(Qt::transparent);
    }
}

QString scan(const QImage &image, QPoint from, QPoint step, const QString &expected)
{
    QString seen;
    for (int i = 0; i < expected.size(); ++i) {
        const QColor actual = image.pixelColor(from + i * step);
        seen += actual == colourOf(expected.at(i)) ? expected.at(i) : QLatin1Char('?');
    }
    return seen;
}

} // namespace

class TestToolbarImages : public QObject {
    Q_OBJECT

private slots:
    void everyIndexIsDrawnAtBothSizes_data();
    void everyIndexIsDrawnAtBothSizes();
    void indexOutOfRangeGivesNothing();
    void flagsHaveTheirColoursAndCrossProportions_data();
    void flagsHaveTheirColoursAndCrossProportions();
    void largeFlagDoublesEveryPixel();
};

void TestToolbarImages::everyIndexIsDrawnAtBothSizes_data()
{
    QTest::addColumn<int>("index");
    for (int index = 0; index < ToolbarImages::Count; ++index)
        QTest::addRow("image %d", index) << index;
}

void TestToolbarImages::everyIndexIsDrawnAtBothSizes()
{
    QFETCH(int, index);
    for (int size : {16, 32}) {
        const QImage image = ToolbarImages::image(index, size);
        QCOMPARE(image.size(), QSize(size, size));
        int painted = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x)
                painted += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        }
        QVERIFY2(painted > size * size / 5, qPrintable(QString::number(painted)));
    }
    const QIcon icon = ToolbarImages::icon(index);
    QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(16, 16), QSize(32, 32)}));
}

void TestToolbarImages::indexOutOfRangeGivesNothing()
{
    QVERIFY(ToolbarImages::image(-1).isNull());
    QVERIFY(ToolbarImages::image(ToolbarImages::Count).isNull());
    QVERIFY(ToolbarImages::icon(ToolbarImages::Count).isNull());
}

// One scan across the flag through the upper field and one down it through the hoist field.
void TestToolbarImages::flagsHaveTheirColoursAndCrossProportions_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("acrossAtRow");
    QTest::addColumn<QString>("across");
    QTest::addColumn<QString>("down");

    QTest::newRow("Denmark") << int(ToolbarImages::DanishFlag) << 3 << "RRRRRWWRRRRRRRRR" << "..RRRRRWWRRRRR..";
    QTest::newRow("Norway") << int(ToolbarImages::NorwegianFlag) << 3 << "rrrrWNNWrrrrrrrr" << "..rrrrWNNWrrrr..";
    QTest::newRow("Sweden") << int(ToolbarImages::SwedishFlag) << 4 << "BBBBBYYBBBBBBBBB" << "...BBBBYYBBBB...";
    QTest::newRow("Finland") << int(ToolbarImages::FinnishFlag) << 3 << "WWWWFFFWWWWWWWWW" << "..WWWWFFFWWWW...";
}

void TestToolbarImages::flagsHaveTheirColoursAndCrossProportions()
{
    QFETCH(int, index);
    QFETCH(int, acrossAtRow);
    QFETCH(QString, across);
    QFETCH(QString, down);

    const QImage flag = ToolbarImages::image(index);
    QCOMPARE(scan(flag, QPoint(0, acrossAtRow), QPoint(1, 0), across), across);
    QCOMPARE(scan(flag, QPoint(1, 0), QPoint(0, 1), down), down);
}

void TestToolbarImages::largeFlagDoublesEveryPixel()
{
    const QImage small = ToolbarImages::image(ToolbarImages::NorwegianFlag, 16);
    const QImage large = ToolbarImages::image(ToolbarImages::NorwegianFlag, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x)
            QCOMPARE(large.pixel(x, y), small.pixel(x / 2, y / 2));
    }
}

QTEST_MAIN(TestToolbarImages)
#include "tst_toolbarimages.moc"
