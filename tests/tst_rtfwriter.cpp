#include "description/RtfProperties.h"
#include "description/RtfListFormat.h"
#include "description/RtfReader.h"
#include "description/RtfWriter.h"
#include "description/Twips.h"
#include "support/DocumentDump.h"
#include "support/RtfSamples.h"
#include "support/PngBytes.h"
#include "support/RtfCorpus.h"

#include <QtTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

// The writer's dialect, and round trips: what is written reads back as the same document, and
// writing that again gives the same bytes.
class TestRtfWriter : public QObject {
    Q_OBJECT
private slots:
    void writesTheRichEditDialect();
    void escapesText_data();
    void escapesText();
    void writesCharacterFormatsAsDeltas();
    void writesParagraphFormatsWhereTheyChange();
    void writesListsAsTheRichEditControlDoes();
    void writesTablesAsTheRichEditControlDoes();
    void picturesGoBackByteForByte();
    void unsetPropertiesComeFromTheDefaultFont();
    void twipsConversionIsExact();
    void roundTripKeepsTextAndEveryFormat();
    void writeReadWriteGivesTheSameBytes_data();
    void writeReadWriteGivesTheSameBytes();
    void fontNamesAreWrittenAsAFontTableHoldsThem();
    void languageTagsAreKept();
};

namespace {

QTextCharFormat charFormat(const QString &family, qreal points, const QColor &foreground = {},
                           const QColor &background = {}, QStringView flags = {})
{
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    if (foreground.isValid())
        format.setForeground(foreground);
    if (background.isValid())
        format.setBackground(background);
    format.setFontWeight(flags.contains(u'b') ? QFont::Bold : QFont::Normal);
    format.setFontItalic(flags.contains(u'i'));
    format.setFontUnderline(flags.contains(u'u'));
    format.setFontStrikeOut(flags.contains(u's'));
    return format;
}

const QTextCharFormat editorFormat = charFormat(QStringLiteral("MS Sans Serif"), 8, Qt::black);

QByteArray writeText(const QString &text)
{
    QTextDocument document;
    QTextCursor(&document).insertText(text, editorFormat);
    return RtfWriter::write(document);
}

// What stands between the paragraph's formatting and its \par.
QByteArray bodyText(const QByteArray &rtf)
{
    const QByteArray start = "\\fs16";
    const qsizetype from = rtf.indexOf(start) + start.size();
    return rtf.mid(from, rtf.indexOf("\\par\r\n") - from);
}

QByteArray bodyLines(const QByteArray &rtf)
{
    const QByteArray start = "\\uc1 \r\n";
    const qsizetype from = rtf.indexOf(start) + start.size();
    return rtf.mid(from, rtf.lastIndexOf("}\r\n") - from);
}

// Every format the writer carries, in several paragraphs, with text inside and outside the
// code page, empty paragraphs in between and at the end.
void buildFormattedDocument(QTextDocument &document)
{
    const QString arial = QStringLiteral("Arial");
    QTextCursor cursor(&document);
    QTextBlockFormat first;
    first.setLeftMargin(twipsToUnits(160));
    first.setTabPositions({QTextOption::Tab(twipsToUnits(1400), QTextOption::LeftTab),
                           QTextOption::Tab(twipsToUnits(2880), QTextOption::RightTab),
                           QTextOption::Tab(twipsToUnits(4320), QTextOption::CenterTab),
                           QTextOption::Tab(twipsToUnits(5760), QTextOption::DelimiterTab, u',')});
    cursor.setBlockFormat(first);
    cursor.insertText(QStringLiteral("Plain "), charFormat(arial, 10, Qt::black));
    cursor.insertText(QStringLiteral("fed"), charFormat(arial, 10, Qt::black, {}, u"b"));
    cursor.insertText(QStringLiteral(" kursiv"), charFormat(arial, 12, QColor(0, 128, 0), {}, u"i"));
    cursor.insertText(QStringLiteral(" understreget\tgennemstreget"),
                      charFormat(QStringLiteral("Tahoma"), 12, QColor(255, 0, 0), Qt::white, u"us"));
    cursor.insertText(QStringLiteral(" alt på én gang"), charFormat(arial, 9.5, QColor(0, 0, 255), {}, u"bius"));

    QTextBlockFormat second;
    second.setAlignment(Qt::AlignHCenter);
    second.setTextIndent(twipsToUnits(-360));
    second.setRightMargin(twipsToUnits(720));
    second.setTopMargin(twipsToUnits(120));
    second.setBottomMargin(twipsToUnits(200));
    second.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    cursor.insertBlock(second, charFormat(arial, 10));
    cursor.insertText(QStringLiteral("Blåbærgrød med fløde: 25 €, “citat” – Łódź, ﬁ, 💩, {x}\\y"),
                      charFormat(QStringLiteral("Times New Roman"), 11, {}, QColor(255, 255, 0)));
    cursor.insertText(QString(QChar::LineSeparator) + u"ny linje\u00A0med\u00ADbindestreg\u2011her"_qs,
                      charFormat(QStringLiteral("Times New Roman"), 11));

    QTextBlockFormat fixed;
    fixed.setAlignment(Qt::AlignRight);
    fixed.setLineHeight(twipsToUnits(300), QTextBlockFormat::FixedHeight);
    cursor.insertBlock(fixed, charFormat(arial, 24, Qt::black, {}, u"b"));

    QTextBlockFormat minimum;
    minimum.setAlignment(Qt::AlignJustify);
    minimum.setLineHeight(twipsToUnits(360), QTextBlockFormat::MinimumHeight);
    cursor.insertBlock(minimum, charFormat(arial, 10));
    cursor.insertText(QStringLiteral("Sidste afsnit."), charFormat(arial, 10));
    QTextCharFormat raised = charFormat(arial, 10);
    raised.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.insertText(QStringLiteral("2"), raised);
    raised.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    cursor.insertText(QStringLiteral("x"), raised);
    raised.setVerticalAlignment(QTextCharFormat::AlignNormal);
    raised.setBaselineOffset(-30);
    raised.setFontCapitalization(QFont::SmallCaps);
    cursor.insertText(QStringLiteral("ned"), raised);
    QTextCharFormat link = charFormat(arial, 10, Qt::blue, {}, u"u");
    link.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    link.setAnchor(true);
    link.setAnchorHref(QStringLiteral("https://z-cd.dk/\"q\\"));
    cursor.insertText(QStringLiteral("link"), link);
    QTextCharFormat hidden = charFormat(arial, 10, {}, {}, u"b");
    hidden.setFontCapitalization(QFont::AllUppercase);
    hidden.setObjectType(RtfProperty::HiddenTextObject);
    hidden.setProperty(RtfProperty::HiddenText, QStringLiteral("skjult"));
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), hidden);
    cursor.insertBlock(QTextBlockFormat(), charFormat(QStringLiteral("Courier New"), 14));
}

} // namespace

void TestRtfWriter::writesTheRichEditDialect()
{
    QCOMPARE(writeText(QStringLiteral("Hej")),
             QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1030"
                        "{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans Serif;}}\r\n"
                        "{\\colortbl ;\\red0\\green0\\blue0;}\r\n"
                        "{\\*\\generator Z-CD editor;}\\viewkind4\\uc1 \r\n"
                        "\\pard\\cf1\\f0\\fs16 Hej\\par\r\n"
                        "}\r\n")
                 + QByteArray(1, '\0'));
}

void TestRtfWriter::escapesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("readBack");

    auto row = [](const char *name, const QString &text, const QByteArray &expected, const QString &readBack = {}) {
        QTest::newRow(name) << text << expected << (readBack.isNull() ? text : readBack);
    };
    row("one delimiter space before text", u"Hej"_qs, " Hej");
    row("a leading space becomes two", u" a"_qs, "  a");
    row("a digit after a control word", u"1"_qs, " 1");
    row("Danish letters in cp1252", u"æøåÆØÅ"_qs, "\\'e6\\'f8\\'e5\\'c6\\'d8\\'c5");
    row("cp1252's own range", u"€“”"_qs, "\\'80\\'93\\'94");
    row("outside cp1252", u"Łódź"_qs, "\\u321?\\'f3d\\u378?");
    row("above 32767 is negative", u"\uFB01"_qs, "\\u-1279?");
    row("surrogate pair as two \\u", u"💩"_qs, "\\u-10179?\\u-9047?");
    row("unpaired surrogate", QString(QChar(0xD800)), "\\u-3?", u"\uFFFD"_qs);
    row("braces and backslash", u"{a}\\"_qs, "\\{a\\}\\\\");
    row("tab and line break", u"a\tb\u2028c"_qs, " a\\tab b\\line c");
    row("no-break space and hyphens", u"a\u00A0b\u00ADc\u2011d"_qs, " a\\~b\\-c\\_d");
    row("control characters", u"a\u0001b"_qs, " a\\'01b");
    row("embedded objects are left out", u"a\uFFFCb"_qs, " ab", u"ab"_qs);
}

void TestRtfWriter::escapesText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QFETCH(QString, readBack);
    const QByteArray rtf = writeText(text);
    QCOMPARE(bodyText(rtf), expected);
    QTextDocument document;
    QVERIFY(RtfReader::read(rtf, document));
    QCOMPARE(DocumentDump::text(document), readBack);
}

void TestRtfWriter::writesCharacterFormatsAsDeltas()
{
    const QString arial = QStringLiteral("Arial");
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("a"), charFormat(arial, 10));
    cursor.insertText(QStringLiteral("b"), charFormat(arial, 10, {}, {}, u"bu"));
    cursor.insertText(QStringLiteral("c"), charFormat(arial, 10, Qt::red, Qt::white, u"b"));
    cursor.insertText(QStringLiteral("d"), charFormat(QStringLiteral("Tahoma"), 12, Qt::red, {}, u"is"));
    cursor.insertText(QStringLiteral("e"), charFormat(arial, 10));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("f"), charFormat(arial, 10));
    const QByteArray rtf = RtfWriter::write(document);
    QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Tahoma;}}"));
    QVERIFY(rtf.contains("{\\colortbl ;\\red255\\green0\\blue0;\\red255\\green255\\blue255;}"));
    QCOMPARE(bodyLines(rtf), QByteArray("\\pard\\f0\\fs20 a\\b\\ul b\\cf1\\highlight2\\ulnone c"
                                        "\\highlight0\\b0\\i\\strike\\f1\\fs24 d\\cf0\\i0\\strike0\\f0\\fs20 e\\par\r\n"
                                        "f\\par\r\n"));
}

void TestRtfWriter::writesParagraphFormatsWhereTheyChange()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextBlockFormat indented;
    indented.setLeftMargin(twipsToUnits(720));
    indented.setTextIndent(twipsToUnits(-360));
    indented.setTabPositions({QTextOption::Tab(twipsToUnits(720), QTextOption::RightTab),
                              QTextOption::Tab(twipsToUnits(1440), QTextOption::LeftTab)});
    indented.setProperty(RtfProperty::TabLeaders, QByteArray("\x00\x01", 2));
    indented.setProperty(RtfProperty::BarTabs, QVariant::fromValue(QList<int>{1000, 2000}));
    cursor.setBlockFormat(indented);
    cursor.insertText(QStringLiteral("a"), editorFormat);
    cursor.insertBlock(indented);
    cursor.insertText(QStringLiteral("b"));
    QTextBlockFormat spaced;
    spaced.setBottomMargin(twipsToUnits(200));
    spaced.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    spaced.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(spaced);
    cursor.insertText(QStringLiteral("c"));
    cursor.insertBlock(QTextBlockFormat());
    QCOMPARE(bodyLines(RtfWriter::write(document)),
             QByteArray("\\pard\\fi-360\\li720\\tqr\\tx720\\tb1000\\tldot\\tx1440\\tb2000\\cf1\\f0\\fs16 a\\par\r\n"
                        "b\\par\r\n"
                        "\\pard\\sa200\\sl276\\slmult1\\qc c\\par\r\n"
                        "\\pard\\par\r\n"));
}

void TestRtfWriter::writesListsAsTheRichEditControlDoes()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextBlockFormat hanging;
    hanging.setLeftMargin(twipsToUnits(720));
    hanging.setTextIndent(twipsToUnits(-360));
    cursor.setBlockFormat(hanging);
    cursor.insertText(QStringLiteral("a"), editorFormat);
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    bullets.setIndent(0);
    cursor.createList(bullets);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("b"));
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("c"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("d"));
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListUpperRoman);
    numbers.setNumberSuffix(QStringLiteral(")"));
    numbers.setIndent(0);
    cursor.createList(numbers);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("e"));
    const QByteArray rtf = RtfWriter::write(document);
    QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans Serif;}{\\f1\\fnil\\fcharset2 Symbol;}}"));
    // Word processors read the list table and \ls, rich-edit controls \pn and \pntext.
    QVERIFY(rtf.contains("{\\*\\listtable{\\list\\listtemplateid1\\listsimple1{\\listlevel\\levelnfc23\\levelnfcn23"
                         "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1{\\leveltext\\'01\\u-3913?;}{\\levelnumbers;}"
                         "\\f1\\fi-360\\li720\\lin720}{\\listname ;}\\listid1}"
                         "{\\list\\listtemplateid2\\listsimple1{\\listlevel\\levelnfc1\\levelnfcn1\\leveljc0\\leveljcn0"
                         "\\levelfollow0\\levelstartat1{\\leveltext\\'02\\'00);}{\\levelnumbers\\'01;}\\fi-360\\li720\\lin720}"
                         "{\\listname ;}\\listid2}}\r\n"
                         "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
                         "{\\listoverride\\listid2\\listoverridecount0\\ls2}}\r\n"));
    QCOMPARE(bodyLines(rtf),
             QByteArray("\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720"
                        "\\ls1\\cf1\\f0\\fs16 a\\par\r\n"
                        "{\\pntext\\f1\\'B7\\tab}b\\par\r\n"
                        "\\pard c\\par\r\n"
                        "\\pard{\\pntext\\f0 I)\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pnucrm{\\pntxta )}}\\ls2 d\\par\r\n"
                        "{\\pntext\\f0 II)\\tab}e\\par\r\n"));
    QTextDocument readBack;
    QVERIFY(RtfReader::read(rtf, readBack));
    QCOMPARE(DocumentDump::describe(readBack), DocumentDump::describe(document));

    // Found by the fuzz target: lists of one word-processor list at one level, which started
    // again or have formats of their own, are written as lists of their own.
    QTextDocument twoFormats;
    QTextCursor shared(&twoFormats);
    for (const QString &suffix : {QStringLiteral(")"), QStringLiteral("."), QStringLiteral(")")}) {
        RtfListFormat level;
        level.kind = RtfListFormat::Kind::Decimal;
        level.level = 2;
        level.listId = 5;
        level.suffix = suffix;
        if (!shared.atStart())
            shared.insertBlock();
        shared.insertText(suffix, editorFormat);
        shared.createList(level.toListFormat());
    }
    const QByteArray twice = RtfWriter::write(twoFormats);
    QTextDocument twiceRead;
    QVERIFY(RtfReader::read(twice, twiceRead));
    QCOMPARE(DocumentDump::describe(twiceRead), DocumentDump::describe(twoFormats));
    QCOMPARE(RtfWriter::write(twiceRead), twice);

    // A level that shows the numbers of the levels above it says so in its level text; rich-edit
    // controls, which have no levels, get those numbers as text before their own.
    QTextDocument nested;
    QVERIFY(RtfReader::read(RtfSamples::nestedLevelNumbers(), nested));
    const QByteArray nestedRtf = RtfWriter::write(nested);
    QVERIFY(nestedRtf.contains("{\\leveltext\\'04\\'00.\\'01.;}{\\levelnumbers\\'01\\'03;}"));
    QCOMPARE(bodyLines(nestedRtf),
             QByteArray("\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta .}}"
                        "\\ls1\\f0\\fs24 One\\par\r\n"
                        "\\pard{\\pntext\\f0 1.1.\\tab}{\\*\\pn\\pnlvl2\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxtb 1.}"
                        "{\\pntxta .}}\\ls1\\ilvl1 One-one\\par\r\n"
                        "{\\pntext\\f0 1.2.\\tab}One-two\\par\r\n"
                        "\\pard{\\pntext\\f0 2.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart2\\pndec{\\pntxta .}}"
                        "\\ls1 Two\\par\r\n"));

    // Qt indents a list it makes by a level; RTF holds that as the paragraph's indent.
    QTextDocument indented;
    QTextCursor(&indented).createList(QTextListFormat::ListDisc);
    QVERIFY(bodyLines(RtfWriter::write(indented)).contains("}}\\li600\\ls1\\f0"));
}

void TestRtfWriter::writesTablesAsTheRichEditControlDoes()
{
    const QByteArray nested = "{\\rtf1{\\fonttbl{\\f0\\fnil Arial;}}\\f0\\fs20 "
                              "\\trowd\\trgaph108\\trleft-108\\cellx1000\\cellx3000\\pard\\intbl a\\cell "
                              "\\pard\\intbl\\itap2 x\\nestcell y\\nestcell{\\*\\nesttableprops\\trowd\\cellx500\\cellx900\\nestrow}"
                              "{\\nonesttables\\par}\\pard\\intbl b\\cell\\row\\pard after\\par}";
    QTextDocument document;
    QVERIFY(RtfReader::read(nested, document));
    QCOMPARE(DocumentDump::describe(document),
             u"left mark{ 0pt fg=auto bg=auto }\n"
             u"table 1x2 widths=73.8667,133.333 gap=108 left=-108\n"
             u"cell 0,0\n  left {Arial 10pt fg=auto bg=auto }a\n"
             u"cell 0,1\n  left mark{ 0pt fg=auto bg=auto }\n"
             u"  table 1x2 widths=33.3333,26.6667 gap=0 left=0\n  cell 0,0\n    left {Arial 10pt fg=auto bg=auto }x\n"
             u"  cell 0,1\n    left {Arial 10pt fg=auto bg=auto }y\n  end table\n"
             u"  left {Arial 10pt fg=auto bg=auto }b\n"
             u"end table\n"
             u"left {Arial 10pt fg=auto bg=auto }after"_qs);
    const QByteArray rtf = RtfWriter::write(document);
    QCOMPARE(bodyLines(rtf),
             QByteArray("\\trowd\\trgaph108\\trleft-108\\cellx1000\\cellx3000\\pard\\intbl\\f0\\fs20 a\\cell"
                        "\\pard\\intbl\\itap2 x\\nestcell y\\nestcell{\\*\\nesttableprops\\trowd\\trgaph0\\trleft0"
                        "\\cellx500\\cellx900\\nestrow}{\\nonesttables\\par}\r\n"
                        "\\pard\\intbl b\\cell\\row\r\n"
                        "\\pard after\\par\r\n"));
    QTextDocument readBack;
    QVERIFY(RtfReader::read(rtf, readBack));
    QCOMPARE(DocumentDump::describe(readBack), DocumentDump::describe(document));
}

void TestRtfWriter::picturesGoBackByteForByte()
{
    const QByteArray png = pngBytes(QSize(3, 2), Qt::red);
    const QByteArray metafile("\x01\x00\x09\x00}{\\\xff", 8);
    const QByteArray rtf = "{\\rtf1 a{\\pict{\\*\\picprop x}\\pngblip\\picw3\\pich2\\picwgoal900\\pichgoal600\\picscalex50 "
                           + png.toHex() + "}b{\\pict\\wmetafile8\\picw2540\\pich1270\\piccropl144\\piccropb-72\\bin8 " + metafile
                           + "}{\\*\\shppict{\\pict\\emfblip 0A0b}}{\\nonshppict{\\pict\\wmetafile8 0c}}}";
    QTextDocument document;
    QVERIFY(RtfReader::read(rtf, document));
    QCOMPARE(DocumentDump::text(document), u"a\uFFFCb\uFFFC\uFFFC"_qs);
    QList<QTextImageFormat> pictures;
    for (QTextBlock::iterator it = document.begin().begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            pictures.append(it.fragment().charFormat().toImageFormat());
    }
    QCOMPARE(pictures.size(), 3);
    QCOMPARE(pictures[0].property(RtfProperty::PictureData).toByteArray(), png);
    QCOMPARE(pictures[0].width(), 30.0); // 900 twips at 50 %
    QCOMPARE(pictures[1].property(RtfProperty::PictureData).toByteArray(), metafile);
    // 2540 hundredths of a millimetre are an inch, less a tenth cut off; a negative crop widens.
    QCOMPARE(pictures[1].width(), 86.4);
    QCOMPARE(pictures[1].height(), 52.8);
    QCOMPARE(pictures[2].property(RtfProperty::PictureData).toByteArray(), QByteArray("\x0a\x0b"));
    // The picture Qt draws is the one the file holds.
    const QVariant shown = document.resource(QTextDocument::ImageResource, QUrl(pictures[0].name()));
    QCOMPARE(QImage::fromData(shown.toByteArray()).pixelColor(1, 1), QColor(Qt::red));
    // A metafile shows as a framed stand-in of its size.
    const QImage standIn = document.resource(QTextDocument::ImageResource, QUrl(pictures[1].name())).value<QImage>();
    QCOMPARE(standIn.size(), QSize(86, 52));
    QVERIFY(standIn.pixelColor(0, 20) != standIn.pixelColor(20, 10));

    const QByteArray written = RtfWriter::write(document);
    QVERIFY(written.contains("{\\pict\\pngblip\\picw3\\pich2\\picwgoal900\\pichgoal600\\picscalex50\r\n"
                             + png.left(64).toHex()));
    QVERIFY(written.contains("{\\pict\\wmetafile8\\picw2540\\pich1270\\piccropl144\\piccropb-72\r\n"
                             + metafile.toHex() + "}"));
    QTextDocument readBack;
    QVERIFY(RtfReader::read(written, readBack));
    QCOMPARE(DocumentDump::describe(readBack), DocumentDump::describe(document));
    QCOMPARE(RtfWriter::write(readBack), written);
}

// Text typed into an emptied editor carries no format of its own; it shows, and is written,
// in the document's default font.
void TestRtfWriter::unsetPropertiesComeFromTheDefaultFont()
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Verdana"), 10));
    QTextCursor(&document).insertText(QStringLiteral("x"));
    const QByteArray rtf = RtfWriter::write(document);
    QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}}"));
    QVERIFY(!rtf.contains("colortbl"));
    QCOMPARE(bodyLines(rtf), QByteArray("\\pard\\f0\\fs20 x\\par\r\n"));
}

void TestRtfWriter::twipsConversionIsExact()
{
    for (int twips : {-31680, -360, -1, 0, 1, 7, 120, 276, 1400, 31680})
        QCOMPARE(unitsToTwips(twipsToUnits(twips)), twips);
    QCOMPARE(twipsToUnits(1440), 96.0);
    QCOMPARE(unitsToTwips(1e300), twipsLimit);
    QCOMPARE(unitsToTwips(-qInf()), -twipsLimit);
    QCOMPARE(unitsToTwips(qQNaN()), -twipsLimit);
}

void TestRtfWriter::roundTripKeepsTextAndEveryFormat()
{
    QTextDocument original;
    buildFormattedDocument(original);
    QTextDocument readBack;
    QVERIFY(RtfReader::read(RtfWriter::write(original), readBack));
    QCOMPARE(DocumentDump::describe(readBack), DocumentDump::describe(original));
    QCOMPARE(readBack.blockCount(), 5);
}

void TestRtfWriter::writeReadWriteGivesTheSameBytes_data()
{
    QTest::addColumn<QByteArray>("source"); // RTF; empty: the document built in code

    QTest::newRow("document with every format") << QByteArray();
    QTest::newRow("empty document") << QByteArray("{\\rtf1}");
    QTest::newRow("trailing empty paragraphs") << QByteArray("{\\rtf1 a\\par\\par\\par}");
    QTest::newRow("plain text") << QByteArray("Linje 1\r\nLinje 2 \xE6\xF8\xE5\r\n");
    for (const QString &file : RtfCorpus::files())
        QTest::newRow(qPrintable(file)) << RtfCorpus::read(file);
}

void TestRtfWriter::writeReadWriteGivesTheSameBytes()
{
    QFETCH(QByteArray, source);
    QTextDocument document;
    if (source.isEmpty())
        buildFormattedDocument(document);
    else
        QVERIFY(RtfReader::read(source, document));
    const QByteArray written = RtfWriter::write(document);
    QTextDocument readBack;
    QVERIFY(RtfReader::read(written, readBack));
    QCOMPARE(DocumentDump::describe(readBack), DocumentDump::describe(document));
    QCOMPARE(RtfWriter::write(readBack), written);
}

// A name ends at ';' and is trimmed by readers: "A;" and "A" are one font, and a name with
// nothing left is the default font.
void TestRtfWriter::fontNamesAreWrittenAsAFontTableHoldsThem()
{
    QTextDocument document;
    QVERIFY(RtfReader::read("{\\rtf1{\\fonttbl{\\f0 A\\u59?;}{\\f1 A;}{\\f2 \\u59?;}}\\f0 x\\f1 y\\f2 z}", document));
    const QByteArray written = RtfWriter::write(document);
    QCOMPARE(written.count("\\fnil"), 2);
    QVERIFY(written.contains("{\\f0\\fnil\\fcharset0 A;}"));
    QTextDocument readBack;
    QVERIFY(RtfReader::read(written, readBack));
    QCOMPARE(RtfWriter::write(readBack), written);

    // Each font keeps its character set; its name and text are bytes of that set's code page,
    // and a symbol font's bytes are its glyphs whatever they would be as text.
    QTextDocument charsets;
    QVERIFY(RtfReader::read(RtfSamples::fontCharacterSets(), charsets));
    QCOMPARE(DocumentDump::text(charsets), u"При ж\u0436\u0080\u009F\u00E6ř æ"_qs);
    const QByteArray kept = RtfWriter::write(charsets);
    QVERIFY2(kept.contains("{\\fonttbl{\\f0\\fnil\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}{\\f1\\fnil\\fcharset204 Tahoma;}"
                           "{\\f2\\fnil\\fcharset2 Wingdings;}{\\f3\\fnil\\fcharset238 Arial CE;}}"),
             kept.constData());
    QVERIFY2(bodyLines(kept).contains("\\f0\\fs24\\'cf\\'f0\\'e8 \\'e6\\f1\\'e6\\f2\\'80\\'9f\\'e6\\f3\\'f8 \\u230?\\par"),
             kept.constData());
}

// A file's own tags are written back; only a document that has none takes the language given.
void TestRtfWriter::languageTagsAreKept()
{
    QTextDocument tagged;
    QVERIFY(RtfReader::read("{\\rtf1\\ansi\\deflang1033\\deflangfe2052{\\fonttbl{\\f0 Arial;}}\\f0 a\\lang1044 b\\plain c\\par}",
                            tagged));
    const QByteArray written = RtfWriter::write(tagged, 1053);
    QVERIFY2(written.contains("\\deflang1033\\deflangfe2052{\\fonttbl"), written.constData());
    QVERIFY2(written.contains(" a\\lang1044 b\\lang1033 c\\par"), written.constData());
    QTextDocument untagged;
    QVERIFY(RtfReader::read("{\\rtf1 a\\par}", untagged));
    QVERIFY(RtfWriter::write(untagged, 1053).contains("\\nouicompat\\deflang1053{\\fonttbl"));
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
