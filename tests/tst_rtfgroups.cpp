#include "description/CodePageDecoder.h"
#include "description/RtfColorTable.h"
#include "description/RtfFontTable.h"
#include "description/RtfListTable.h"
#include "description/RtfNumbering.h"
#include "description/RtfPicture.h"
#include "description/RtfShapeInstructions.h"
#include "description/RtfTokenizer.h"

#include <QtTest>

// Each destination read as a whole, from a literal group: what it makes of the group, and that
// it stops at the group's own closing brace, so that what follows is the body's again.
class TestRtfGroups : public QObject {
    Q_OBJECT
private slots:
    void fontTable_data();
    void fontTable();
    void colorTable_data();
    void colorTable();
    void listTables_data();
    void listTables();
    void picture_data();
    void picture();
    void numbering_data();
    void numbering();
    void shapeInstructions();
};

namespace {

// The group is followed by "after", which the reader must leave in place.
void verifyStoppedAtItsEnd(RtfTokenizer &tokenizer)
{
    const RtfTokenizer::Token next = tokenizer.next();
    QCOMPARE(int(next.type), int(RtfTokenizer::TokenType::Text));
    QCOMPARE(next.text, "after");
}

} // namespace

void TestRtfGroups::fontTable_data()
{
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<int>("font");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QStringList>("notKept");

    QTest::newRow("entries in groups") << QByteArray("{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fswiss Tahoma;}}") << 1
                                       << u"Tahoma"_qs << 1252 << QStringList();
    QTest::newRow("entries without groups") << QByteArray("\\f0 Arial;\\f1 Courier New;}") << 1 << u"Courier New"_qs
                                            << 1252 << QStringList();
    QTest::newRow("a name in its character set") << QByteArray("{\\f2\\fcharset161 \\'c1\\'e8\\'de\\'ed\\'e1;}}") << 2
                                                 << u"Αθήνα"_qs << 1253 << QStringList();
    QTest::newRow("a code page of its own") << QByteArray("{\\f3\\cpg1251 \\'cc\\'e8\\'f0;}}") << 3 << u"Мир"_qs
                                            << 1251 << QStringList();
    QTest::newRow("unicode with fallback") << QByteArray("{\\f4\\uc1\\u23435 ?\\u20307 ?;}}") << 4 << u"宋体"_qs << 1252
                                           << QStringList();
    QTest::newRow("groups passed over inside an entry")
        << QByteArray("{\\f5\\froman{\\*\\panose 02020603}Times{\\*\\falt T};}}") << 5 << u"Times"_qs << 1252
        << QStringList({"panose", "falt"});
}

void TestRtfGroups::fontTable()
{
    QFETCH(QByteArray, group);
    QFETCH(int, font);
    group += "after";
    RtfTokenizer tokenizer(group);
    CodePageDecoder decoder;
    QStringList notKept;
    RtfFontTable table;
    table.read(tokenizer, decoder, CodePageDecoder::windows1252, 1, notKept);

    QTEST(table.family(font), "family");
    QTEST(table.codePage(font, CodePageDecoder::windows1252), "codePage");
    QTEST(notKept, "notKept");
    verifyStoppedAtItsEnd(tokenizer);
}

void TestRtfGroups::colorTable_data()
{
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<QList<QColor>>("colors");

    QTest::newRow("automatic first") << QByteArray(";\\red255\\green0\\blue0;\\red0\\green128\\blue255;}")
                                     << QList<QColor>{QColor(), QColor(255, 0, 0), QColor(0, 128, 255)};
    QTest::newRow("out of range components") << QByteArray("\\red300\\green-5\\blue7;}")
                                             << QList<QColor>{QColor(255, 0, 7)};
    QTest::newRow("no closing semicolon") << QByteArray("\\red1\\green2\\blue3;\\red4}")
                                          << QList<QColor>{QColor(1, 2, 3)};
}

void TestRtfGroups::colorTable()
{
    QFETCH(QByteArray, group);
    QFETCH(QList<QColor>, colors);
    group += "after";
    RtfTokenizer tokenizer(group);
    QStringList notKept;
    RtfColorTable table;
    table.read(tokenizer, 1, notKept);

    for (int index = 0; index < colors.size(); ++index)
        QCOMPARE(table.color(index), colors.at(index));
    QVERIFY(!table.contains(int(colors.size())));
    verifyStoppedAtItsEnd(tokenizer);
}

void TestRtfGroups::listTables_data()
{
    QTest::addColumn<QByteArray>("lists");
    QTest::addColumn<QByteArray>("overrides");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("name");

    const QByteArray numbered("{\\list\\listtemplateid1{\\listlevel\\levelnfc4\\levelstartat3{\\leveltext\\'02\\'00);}"
                              "{\\levelnumbers\\'01;}\\fi-360\\li720}{\\listname Steps;}\\listid7}}");
    QTest::newRow("numbered") << numbered << QByteArray("{\\listoverride\\listid7\\listoverridecount0\\ls1}}")
                              << int(RtfListFormat::Kind::LowerLetter) << 3 << u")"_qs << u"Steps"_qs;
    QTest::newRow("restarted by its override")
        << numbered
        << QByteArray("{\\listoverride\\listid7\\listoverridecount1{\\lfolevel\\listoverridestartat\\levelstartat5}\\ls1}}")
        << int(RtfListFormat::Kind::LowerLetter) << 5 << u")"_qs << u"Steps"_qs;
    QTest::newRow("bullet") << QByteArray("{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}\\listid9}}")
                            << QByteArray("{\\listoverride\\listid9\\ls1}}") << int(RtfListFormat::Kind::Bullet) << 1
                            << QString() << QString();
    QTest::newRow("parts out of place are passed over")
        << QByteArray("{\\listlevel\\levelnfc23}{\\list{\\listoverride\\ls1}{\\listlevel\\levelnfc2{\\leveltext\\'02\\'00.;}}"
                      "\\listid3}}")
        << QByteArray("{\\list\\listid4}{\\listoverride\\listid3\\ls1}}") << int(RtfListFormat::Kind::LowerRoman) << 1
        << u"."_qs << QString();
}

void TestRtfGroups::listTables()
{
    QFETCH(QByteArray, lists);
    QFETCH(QByteArray, overrides);
    CodePageDecoder decoder;
    QStringList notKept;
    RtfListTable table;
    lists += "after";
    RtfTokenizer listTokenizer(lists);
    table.readLists(listTokenizer, decoder, CodePageDecoder::windows1252, 1, notKept);
    verifyStoppedAtItsEnd(listTokenizer);
    overrides += "after";
    RtfTokenizer overrideTokenizer(overrides);
    table.readOverrides(overrideTokenizer, decoder, CodePageDecoder::windows1252, 1, notKept);
    verifyStoppedAtItsEnd(overrideTokenizer);

    const RtfListFormat format = table.paragraphFormat(1, 0);
    QTEST(int(format.kind), "kind");
    QTEST(format.start, "start");
    QTEST(format.suffix, "suffix");
    QTEST(format.name, "name");
}

void TestRtfGroups::picture_data()
{
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QList<int>>("sizes"); // width, height, goal width, goal height, scale x, scale y

    QTest::newRow("hexadecimal over lines") << QByteArray("\\pngblip\\picw10\\pich20\\picscalex150 8950\r\n4e 47}")
                                            << QByteArray("pngblip") << QByteArray("\x89PNG")
                                            << QList<int>{10, 20, 0, 0, 150, 100};
    QTest::newRow("ids passed over") << QByteArray("{\\*\\blipuid 00ff}\\wmetafile8\\picwgoal300\\pichgoal200 0102}")
                                     << QByteArray("wmetafile8") << QByteArray("\x01\x02")
                                     << QList<int>{0, 0, 300, 200, 100, 100};
    QTest::newRow("binary data holding braces") << QByteArray("\\jpegblip\\bin3 {}x}") << QByteArray("jpegblip")
                                                << QByteArray("{}x") << QList<int>{0, 0, 0, 0, 100, 100};
    QTest::newRow("sizes out of range") << QByteArray("\\emfblip\\picw-5\\picscalex99999 ab}") << QByteArray("emfblip")
                                        << QByteArray("\xab") << QList<int>{0, 0, 0, 0, 10000, 100};
}

void TestRtfGroups::picture()
{
    QFETCH(QByteArray, group);
    QFETCH(QList<int>, sizes);
    group += "after";
    RtfTokenizer tokenizer(group);
    const RtfPicture picture = RtfPicture::read(tokenizer, 1);

    QTEST(picture.type, "type");
    QTEST(picture.data, "data");
    QCOMPARE((QList<int>{picture.width, picture.height, picture.goalWidth, picture.goalHeight, picture.scaleX,
                         picture.scaleY}),
             sizes);
    verifyStoppedAtItsEnd(tokenizer);
}

void TestRtfGroups::numbering_data()
{
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("suffix");

    QTest::newRow("numbered") << QByteArray("\\pnlvlbody\\pnf0\\pnindent0\\pnstart3\\pnucltr{\\pntxtb (}{\\pntxta )}}")
                              << int(RtfListFormat::Kind::UpperLetter) << 3 << u"("_qs << u")"_qs;
    QTest::newRow("bullet") << QByteArray("\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}") << int(RtfListFormat::Kind::Bullet)
                            << 1 << QString() << QString();
    QTest::newRow("square bullet") << QByteArray("\\pnlvlblt\\pnf2{\\pntxtb\\'A7}}") << int(RtfListFormat::Kind::Square)
                                   << 1 << QString() << QString();
    QTest::newRow("continues an item") << QByteArray("\\pnlvlcont\\pndec{\\pntxta .}}") << int(RtfListFormat::Kind::None)
                                       << 1 << QString() << QString();
}

void TestRtfGroups::numbering()
{
    QFETCH(QByteArray, group);
    group += "after";
    RtfTokenizer tokenizer(group);
    CodePageDecoder decoder;
    QStringList notKept;
    const RtfListFormat format = RtfNumbering::read(tokenizer, decoder, CodePageDecoder::windows1252, 1, notKept);

    QTEST(int(format.kind), "kind");
    QTEST(format.start, "start");
    QTEST(format.prefix, "prefix");
    QTEST(format.suffix, "suffix");
    verifyStoppedAtItsEnd(tokenizer);
}

// Of a shape's instructions only a picture frame's picture is read.
void TestRtfGroups::shapeInstructions()
{
    const struct {
        QByteArray group;
        QByteArray data;
        QStringList notKept;
    } cases[] = {
        {"{\\sp{\\sn fFilled}{\\sv 0}}{\\sp{\\sn pib}{\\sv {\\pict\\pngblip 0102}}}{\\*\\shptxt box}}", "\x01\x02",
         {"shptxt"}},
        {"{\\sp{\\sn fillBlip}{\\sv {\\pict\\pngblip 01}}}{\\sp{\\sn pib}{\\sv {\\pict 02}}}}", {}, {}},
    };
    for (const auto &[group, data, expectedNotKept] : cases) {
        const QByteArray input = group + "after";
        RtfTokenizer tokenizer(input);
        QStringList notKept;
        QCOMPARE(RtfShapeInstructions::readPicture(tokenizer, 1, notKept).data, data);
        QCOMPARE(notKept, expectedNotKept);
        verifyStoppedAtItsEnd(tokenizer);
    }
}

QTEST_MAIN(TestRtfGroups)
#include "tst_rtfgroups.moc"
