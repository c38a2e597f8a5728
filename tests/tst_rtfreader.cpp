#include "description/RtfReader.h"
#include "support/DocumentDump.h"
#include "support/RtfSamples.h"

#include <QtTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// What the reader makes of the RTF constructs rich-edit controls and other writers use.
class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void formats_data();
    void formats();
    void plainText_data();
    void plainText();
    void plainTextIsInTheEditorFont();
    void namesWhatIsNotKept();
    void readingReplacesContentAndUndoHistory();
};

namespace {

QString readText(const QByteArray &bytes)
{
    QTextDocument document;
    if (!RtfReader::read(bytes, document))
        return QStringLiteral("<refused>");
    return DocumentDump::text(document);
}

} // namespace

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected"); // paragraphs joined by '\n'

    QTest::newRow("last \\par makes no empty paragraph") << QByteArray("{\\rtf1 a\\par}") << u"a"_qs;
    QTest::newRow("next-to-last \\par does") << QByteArray("{\\rtf1 a\\par\\par}") << u"a\n"_qs;
    QTest::newRow("unterminated last paragraph") << QByteArray("{\\rtf1 a\\par b}") << u"a\nb"_qs;
    QTest::newRow("empty document") << QByteArray("{\\rtf1}") << u""_qs;
    QTest::newRow("backslash + LF and + CR are \\par")
        << QByteArray("{\\rtf1 a\\\nb\\\rc}") << u"a\nb\nc"_qs;
    QTest::newRow("CR and LF in the body are nothing") << QByteArray("{\\rtf1 a\r\nb\nc}") << u"abc"_qs;
    QTest::newRow("one delimiter space, the second is text") << QByteArray("{\\rtf1\\b  a}") << u" a"_qs;
    QTest::newRow("parameter ended by a letter") << QByteArray("{\\rtf1\\highlight0Normal}") << u"Normal"_qs;
    QTest::newRow("hex right after a control word") << QByteArray("{\\rtf1\\fs22\\'dcber}") << u"Über"_qs;
    QTest::newRow("Danish letters and cp1252's own range")
        << QByteArray("{\\rtf1 \\'e6\\'f8\\'e5\\'c6\\'d8\\'c5 \\'80\\'93\\'94\\'96}") << u"æøåÆØÅ €“”–"_qs;
    QTest::newRow("upper-case hex") << QByteArray("{\\rtf1 \\'E6\\'B7}") << u"æ·"_qs;
    QTest::newRow("escaped braces and backslash") << QByteArray("{\\rtf1 \\{a\\}\\\\}") << u"{a}\\"_qs;
    QTest::newRow("special characters")
        << QByteArray("{\\rtf1 a\\tab b\\line c\\~d\\-e\\_f\\emdash\\endash\\bullet\\lquote\\rquote}")
        << u"a\tb\u2028c\u00A0d\u00ADe\u2011f—–•‘’"_qs;
    QTest::newRow("raw TAB byte") << QByteArray("{\\rtf1 a\tb}") << u"a\tb"_qs;
    QTest::newRow("\\u with the default fallback of one") << QByteArray("{\\rtf1 \\u321?x}") << u"Łx"_qs;
    QTest::newRow("\\u negative") << QByteArray("{\\rtf1 \\u-3913?}") << u"\uF0B7"_qs;
    QTest::newRow("\\u fallback is a hex byte") << QByteArray("{\\rtf1 \\u8216\\'91x}") << u"‘x"_qs;
    QTest::newRow("\\u fallback letter right after the number") << QByteArray("{\\rtf1 \\u945a}") << u"α"_qs;
    QTest::newRow("\\uc scoped to its group")
        << QByteArray("{\\rtf1{\\uc2\\u228 xyz}\\u228 xyz}") << u"äzäyz"_qs;
    QTest::newRow("\\uc0") << QByteArray("{\\rtf1\\uc0\\u228 x}") << u"äx"_qs;
    QTest::newRow("brace ends the fallback") << QByteArray("{\\rtf1\\uc3\\u228{b}c}") << u"äbc"_qs;
    QTest::newRow("control word counts as one fallback character")
        << QByteArray("{\\rtf1\\uc2\\u228\\b xy}") << u"äy"_qs;
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-9047?}") << u"💩"_qs;
    QTest::newRow("unpaired surrogates")
        << QByteArray("{\\rtf1 \\u-10179?a\\u-9047?b\\u-10179?}") << u"\uFFFDa\uFFFDb\uFFFD"_qs;
    QTest::newRow("value beyond 16 bits") << QByteArray("{\\rtf1 \\u99999999?}") << u"\uFFFD"_qs;
    QTest::newRow("font code page wins over \\ansicpg")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset238 A;}{\\f1\\fcharset0 B;}}"
                      "\\f0\\'f8\\f1\\'f8}")
        << u"řø"_qs;
    QTest::newRow("\\ansicpg for fonts without a charset")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 A;}}\\f0\\'c0\\'e1}") << u"Аб"_qs;
    QTest::newRow("double-byte pairs, trail byte raw or escaped")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}\\f0\\'82\\'a0\\'83A}") << u"あア"_qs;
    QTest::newRow("\\upr reads only the \\ud version")
        << QByteArray("{\\rtf1{\\upr{ansi}{\\*\\ud{uni}}}}") << u"uni"_qs;
    QTest::newRow("field result kept, instruction dropped")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst{HYPERLINK \"x\"}}{\\fldrslt{link}}}}") << u"link"_qs;
    QTest::newRow("unknown \\* destination skipped") << QByteArray("{\\rtf1 a{\\*\\foo b{c}}d}") << u"ad"_qs;
    QTest::newRow("known destinations skipped without \\*")
        << QByteArray("{\\rtf1 a{\\info{\\title t}}{\\nonesttables x}b}") << u"ab"_qs;
    QTest::newRow("a list item's text without a list definition is the text")
        << QByteArray("{\\rtf1 {\\pntext 1.\\tab}b}") << u"1.\tb"_qs;
    QTest::newRow("a frame whose result shows its picture shows it once")
        << QByteArray("{\\rtf1 a{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv {\\pict\\pngblip 00}}}}"
                      "{\\shprslt{\\pict\\pngblip 00}}}b}")
        << u"a\uFFFCb"_qs;
    QTest::newRow("a frame without a result; other shape properties and text boxes are no text")
        << QByteArray("{\\rtf1 a{\\shp{\\*\\shpinst\\shpleft0{\\sp{\\sn fillColor}{\\sv 255}}{\\sp{\\sn pib}"
                      "{\\sv {\\pict\\pngblip 00}}}{\\*\\shptxt box\\par\\trowd\\cellx9\\cell}}}b}")
        << u"a\uFFFCb"_qs;
    QTest::newRow("unknown words ignored, their group's text kept")
        << QByteArray("{\\rtf1 a{\\unknownword b}\\otherword c}") << u"abc"_qs;
    QTest::newRow("\\bin data skipped, braces and all")
        << QByteArray("{\\rtf1 a{\\*\\blip\\bin3 }\\{}b}") << u"ab"_qs;
    QTest::newRow("space before a destination word") << QByteArray("{\\rtf1{ \\fonttbl{\\f0 A;}}x}") << u"x"_qs;
    QTest::newRow("space at the start of an ordinary group is text")
        << QByteArray("{\\rtf1 a{ \\b b}}") << u"a b"_qs;
    // Tables show as rows of cells separated by tabs, after the empty paragraph Qt keeps before
    // a table that starts a document.
    QTest::newRow("tables")
        << QByteArray("{\\rtf1\\trowd\\cellx100\\cellx200\\pard\\intbl a\\cell b\\cell\\row\\pard c\\par}")
        << u"\na\tb\nc"_qs;
    QTest::newRow("text after a row still in the table is the next row")
        << QByteArray("{\\rtf1\\trowd\\cellx100\\cellx200\\pard\\intbl a\\cell b\\cell\\row c\\cell\\row}")
        << u"\na\tb\nc\t\n"_qs;
    QTest::newRow("cells outside a table become tabs, rows paragraphs")
        << QByteArray("{\\rtf1 a\\cell b\\cell\\row c\\par}") << u"a\tb\nc"_qs;
    QTest::newRow("\\page and \\sect end paragraphs") << QByteArray("{\\rtf1 a\\page b\\sect c}") << u"a\nb\nc"_qs;
    QTest::newRow("bytes after the document group ignored") << QByteArray("{\\rtf1 a}b\\par c}") << u"a"_qs;
    QTest::newRow("trailing CR LF NUL") << QByteArray("{\\rtf1 a\\par}\r\n\0", 16) << u"a"_qs;
    QTest::newRow("NUL inside the text") << QByteArray("{\\rtf1 a\0b}", 11) << u"ab"_qs;
    QTest::newRow("byte order mark and blank lines before the header")
        << QByteArray("\xEF\xBB\xBF\r\n {\\rtf1 a}") << u"a"_qs;
    QTest::newRow("hex line breaks stay inside the paragraph")
        << QByteArray("{\\rtf1 a\\'0d\\'0ab}") << u"a\u2028\u2028b"_qs;
    QTest::newRow("\\u object replacement is no object") << QByteArray("{\\rtf1 \\u-4?}") << u"\uFFFD"_qs;
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(readText(rtf), expected);
}

namespace {

// Rows of formats_data: bullets and numbers, read as lists.
void addListRows()
{
    const QByteArray header = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}";
    const QString text = u"{Arial 12pt fg=auto bg=auto }"_qs;
    QTest::newRow("rich-edit bullets and numbers")
        << header + "\\f0 {\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720 a\\par"
                    "{\\pntext\\f1\\'B7\\tab}b\\par\\pard c\\par"
                    "{\\pntext\\f0 3)\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnstart3\\pnlcltr{\\pntxtb (}{\\pntxta )}}d\\par"
                    "{\\pntext\\f0 4)\\tab}e\\par}"
        << u"left left=48 indent=-24 [list -1 / start=0 level=0 item=0] "_qs + text + u"a\n"
           u"left left=48 indent=-24 [list -1 / start=0 level=0 item=1] "_qs + text + u"b\n"
           u"left "_qs + text + u"c\n"
           u"left [list -5 (/) start=3 level=0 item=0] "_qs + text + u"d\n"
           u"left [list -5 (/) start=3 level=0 item=1] "_qs + text + u"e"_qs;
    QTest::newRow("bullet kinds")
        << header + "\\f0{\\*\\pn\\pnlvlblt{\\pntxtb o}}a\\par\\pard{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\u-3929 ?}}b}"
        << u"left [list -2 / start=0 level=0 item=0] "_qs + text + u"a\n"
           u"left [list -3 / start=0 level=0 item=0] "_qs + text + u"b"_qs;
    QTest::newRow("word-processor lists number on across other paragraphs")
        << header + "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}"
                    "{\\levelnumbers\\'01;}\\fi-360\\li720}{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}"
                    "{\\listname ;}\\listid7}}{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}}"
                    "\\f0 {\\listtext 1.\\tab}\\ls1 a\\par{\\listtext\\f1\\'b7\\tab}\\ilvl1 b\\par\\pard c\\par"
                    "{\\listtext 2.\\tab}\\ls1\\ilvl0 d\\par}"
        << u"left [list -4 /. start=0 level=0 item=0] "_qs + text + u"a\n"
           u"left [list -1 / start=0 level=2 item=0] "_qs + text + u"b\n"
           u"left "_qs + text + u"c\n"
           u"left [list -4 /. start=0 level=0 item=1] "_qs + text + u"d"_qs;
    QTest::newRow("word-processor lists: levels, a start, an item broken by a line, a restart")
        << RtfSamples::wordProcessorLists()
        << u"left left=48 indent=-24 [list -4 /. start=3 level=0 item=0 name=Trin] "_qs + text + u"three\n"
           u"left left=96 indent=-24 [list -5 /) start=0 level=2 item=0 name=Trin] "_qs + text + u"three-a\u2028broken\n"
           u"left left=96 indent=-24 [list -5 /) start=0 level=2 item=1 name=Trin] "_qs + text + u"three-b\n"
           u"left "_qs + text + u"plain between\n"
           u"left left=48 indent=-24 [list -4 /. start=3 level=0 item=1 name=Trin] "_qs + text + u"four\n"
           u"left left=48 indent=-24 [list -4 /. start=0 level=0 item=0 name=Trin] "_qs + text + u"one again\n"
           u"left left=48 indent=-24 [list -1 / start=0 level=0 item=0] "_qs + text + u"bullet"_qs;
    QTest::newRow("a rich-edit list numbers on where its first number says so")
        << header + "\\f0{\\*\\pn\\pnlvlbody\\pnstart1\\pndec{\\pntxta .}}a\\par\\pard b\\par"
                    "\\pard{\\*\\pn\\pnlvlbody\\pnstart2\\pndec{\\pntxta .}}c\\par\\pard d\\par"
                    "\\pard{\\*\\pn\\pnlvlbody\\pnstart1\\pndec{\\pntxta .}}e\\par}"
        << u"left [list -4 /. start=0 level=0 item=0] "_qs + text + u"a\n"
           u"left "_qs + text + u"b\n"
           u"left [list -4 /. start=0 level=0 item=1] "_qs + text + u"c\n"
           u"left "_qs + text + u"d\n"
           u"left [list -4 /. start=0 level=0 item=0] "_qs + text + u"e"_qs;
    QTest::newRow("a level shows the numbers of the levels above it")
        << RtfSamples::nestedLevelNumbers()
        << u"left [list -4 /. start=0 level=0 item=0] "_qs + text + u"One\n"
           u"left [list -4 /. start=0 level=2 item=0 shows=1.1.] "_qs + text + u"One-one\n"
           u"left [list -4 /. start=0 level=2 item=1 shows=1.2.] "_qs + text + u"One-two\n"
           u"left [list -4 /. start=0 level=0 item=1] "_qs + text + u"Two"_qs;
    QTest::newRow("a list numbers on through table cells and after the table")
        << RtfSamples::listAcrossTableCells()
        << u"left [list -4 /. start=0 level=0 item=0] "_qs + text + u"one\n"
           u"left [list -4 /. start=0 level=0 item=1] "_qs + text + u"two\n"
           u"table 1x2 widths=200,200 gap=0 left=0\n"
           u"cell 0,0\n  left [list -4 /. start=0 level=0 item=2] "_qs + text + u"three\n"
           u"cell 0,1\n  left [list -4 /. start=0 level=0 item=3] "_qs + text + u"four\n"
           u"end table\n"
           u"left [list -4 /. start=0 level=0 item=4] "_qs + text + u"five"_qs;
    QTest::newRow("a list override numbered 0")
        << RtfSamples::listOverrideZero()
        << u"left [list -4 /. start=0 level=0 item=0] "_qs + text + u"One\n"
           u"left [list -4 /. start=0 level=0 item=1] "_qs + text + u"Two"_qs;
    QTest::newRow("a paragraph continuing an item has no number")
        << RtfSamples::continuationParagraph()
        << u"left left=48 indent=-48 [list -8 /. start=0 level=0 item=0] "_qs + text + u"Heading\n"
           u"left left=48 "_qs + text + u"Continuation, no number\n"
           u"left left=48 indent=-48 [list -8 /. start=0 level=0 item=1] "_qs + text + u"Next"_qs;
    QTest::newRow("list text of a paragraph without a list stays")
        << header + "\\f0 {\\listtext 1.\\tab}\\ls9 a}" << u"left "_qs + text + u"1.\ta"_qs;
}

} // namespace

void TestRtfReader::formats_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected"); // DocumentDump::describe of the whole document

    const QByteArray header = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Tahoma;}}"
                              "{\\colortbl ;\\red255\\green0\\blue0;\\red255\\green255\\blue255;}";
    QTest::newRow("paragraph properties arriving mid-paragraph apply to all of it")
        << header + "\\f0\\fs20 a\\line\\pard\\qc b\\par c\\par}"
        << u"center {Arial 10pt fg=auto bg=auto }a\u2028b\ncenter {Arial 10pt fg=auto bg=auto }c"_qs;
    QTest::newRow("paragraph properties in a group closed before \\par are gone")
        << header + "\\f0 {\\qc a}\\par}" << u"left {Arial 12pt fg=auto bg=auto }a"_qs;
    QTest::newRow("\\pard resets paragraph properties, not character ones")
        << header + "\\f0\\b\\li720 a\\par\\pard b\\par}"
        << u"left left=48 {Arial 12pt fg=auto bg=auto b}a\nleft {Arial 12pt fg=auto bg=auto b}b"_qs;
    QTest::newRow("\\plain resets to \\deff and 12 pt")
        << header + "\\f1\\fs40\\b\\i\\cf1 a\\plain b}"
        << u"left {Tahoma 20pt fg=#ff0000 bg=auto bi}a{Arial 12pt fg=auto bg=auto }b"_qs;
    QTest::newRow("no font table: the editor's font at RTF's 12 pt")
        << QByteArray("{\\rtf1 a}") << u"left {MS Sans Serif 12pt fg=auto bg=auto }a"_qs;
    QTest::newRow("\\cf0 and \\highlight0 are automatic, white is white")
        << header + "\\f0\\cf1\\highlight2 a\\cf0\\highlight0 b\\cb2 c\\chcbpat1 d}"
        << u"left {Arial 12pt fg=#ff0000 bg=#ffffff }a{Arial 12pt fg=auto bg=auto }b"
           u"{Arial 12pt fg=auto bg=#ffffff }c{Arial 12pt fg=auto bg=#ff0000 }d"_qs;
    QTest::newRow("colour beyond the table keeps the colour")
        << header + "\\f0\\cf1 a\\cf9 b}" << u"left {Arial 12pt fg=#ff0000 bg=auto }ab"_qs;
    QTest::newRow("old table without the automatic entry")
        << QByteArray("{\\rtf1{\\colortbl\\red0\\green0\\blue255;}\\cf0 a}")
        << u"left {MS Sans Serif 12pt fg=#0000ff bg=auto }a"_qs;
    QTest::newRow("unknown font number keeps the font")
        << header + "\\f1 a\\f7 b}" << u"left {Tahoma 12pt fg=auto bg=auto }ab"_qs;
    QTest::newRow("underline kinds and ends")
        << header + "\\f0\\ul a\\ulnone b\\uldb c\\ul0 d\\ulwave e\\strike f\\strike0\\ulnone g}"
        << u"left {Arial 12pt fg=auto bg=auto u}a{Arial 12pt fg=auto bg=auto }b{Arial 12pt fg=auto bg=auto u ul=1/3}c"
           u"{Arial 12pt fg=auto bg=auto }d{Arial 12pt fg=auto bg=auto u ul=6/0}e{Arial 12pt fg=auto bg=auto us ul=6/0}f"
           u"{Arial 12pt fg=auto bg=auto }g"_qs;
    QTest::newRow("toggles with parameters") << header + "\\f0\\b1 a\\b0 b\\i2 c}"
                                             << u"left {Arial 12pt fg=auto bg=auto b}a{Arial 12pt fg=auto bg=auto }b"
                                                u"{Arial 12pt fg=auto bg=auto i}c"_qs;
    QTest::newRow("odd half-points") << header + "\\f0\\fs17 a}" << u"left {Arial 8.5pt fg=auto bg=auto }a"_qs;
    QTest::newRow("indents and spacing in twips")
        << header + "\\f0\\fi-360\\li720\\ri1440\\sb120\\sa200 a}"
        << u"left left=48 right=96 indent=-24 top=8 bottom=13.3333 {Arial 12pt fg=auto bg=auto }a"_qs;
    QTest::newRow("line spacing rules")
        << header + "\\f0\\sl276\\slmult1 a\\par\\sl240\\slmult1 b\\par\\sl360\\slmult0 c\\par\\sl-300 d\\par}"
        << u"left line=proportional:115 {Arial 12pt fg=auto bg=auto }a\n"
           u"left {Arial 12pt fg=auto bg=auto }b\n"
           u"left line=minimum:24 {Arial 12pt fg=auto bg=auto }c\n"
           u"left line=fixed:20 {Arial 12pt fg=auto bg=auto }d"_qs;
    QTest::newRow("tab kinds and leaders; bar tabs are no stops")
        << header + "\\f0\\tx720\\tqr\\tldot\\tx1440\\tqc\\tx2160\\tqdec\\tx2880\\tqr\\tb3600\\tx4320 a}"
        << u"left tabs=48L,96R,144C,192D,288L leaders=0001000000 bars=3600 {Arial 12pt fg=auto bg=auto }a"_qs;
    QTest::newRow("alignments")
        << header + "\\f0\\qr a\\par\\qj b\\par\\ql c\\par}"
        << u"right {Arial 12pt fg=auto bg=auto }a\njustify {Arial 12pt fg=auto bg=auto }b\n"
           u"left {Arial 12pt fg=auto bg=auto }c"_qs;
    QTest::newRow("right-to-left paragraphs")
        << header + "\\f0\\rtlpar\\qr a\\par\\ltrpar b\\par\\pard\\rtlpar c\\par\\pard d\\par}"
        << u"rtl right {Arial 12pt fg=auto bg=auto }a\nright {Arial 12pt fg=auto bg=auto }b\n"
           u"rtl left {Arial 12pt fg=auto bg=auto }c\nleft {Arial 12pt fg=auto bg=auto }d"_qs;
    QTest::newRow("right-to-left runs: the last word counts")
        << header + "\\f0 a\\rtlch b\\ltrch\\rtlch c\\rtlch\\ltrch d\\rtlch\\plain e}"
        << u"left {Arial 12pt fg=auto bg=auto }a{Arial 12pt fg=auto bg=auto  rtl}bc{Arial 12pt fg=auto bg=auto }de"_qs;
    QTest::newRow("run languages")
        << header + "\\f0 a\\lang1044 b\\lang1033 c\\plain d}"
        << u"left {Arial 12pt fg=auto bg=auto }a{Arial 12pt fg=auto bg=auto  lang=1044}b"
           u"{Arial 12pt fg=auto bg=auto  lang=1033}c{Arial 12pt fg=auto bg=auto }d"_qs;
    QTest::newRow("empty paragraph shows its mark's format")
        << header + "\\f0\\fs20 a\\par\\f1\\fs40\\par}"
        << u"left {Arial 10pt fg=auto bg=auto }a\nleft mark{Tahoma 20pt fg=auto bg=auto }"_qs;
    QTest::newRow("nested font table entries and alternate names")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss\\fcharset238{\\*\\fname Arial;}Arial CE;}"
                      "{\\f1\\froman{\\*\\panose 02020603}Times{\\*\\falt T};}}\\f0 a\\f1 b}")
        << u"left {Arial CE 12pt fg=auto bg=auto }a{Times 12pt fg=auto bg=auto }b"_qs;
    QTest::newRow("font table entries without groups")
        << QByteArray("{\\rtf1{\\fonttbl\\f0\\fnil Mono;\\f1\\fnil Tahoma;}\\f1 a}")
        << u"left {Tahoma 12pt fg=auto bg=auto }a"_qs;
    QTest::newRow("raised, lowered and capital text")
        << header + "\\f0 a\\super b\\sub c\\nosupersub d\\up4 e\\dn f\\up0 g\\caps h\\scaps i\\scaps0 j}"
        << u"left {Arial 12pt fg=auto bg=auto }a{Arial 12pt fg=auto bg=auto  super}b{Arial 12pt fg=auto bg=auto  sub}c"
           u"{Arial 12pt fg=auto bg=auto }d{Arial 12pt fg=auto bg=auto  raise=16.6667}e"
           u"{Arial 12pt fg=auto bg=auto  raise=-25}f{Arial 12pt fg=auto bg=auto }g"
           u"{Arial 12pt fg=auto bg=auto  caps=1}h{Arial 12pt fg=auto bg=auto  caps=3}i{Arial 12pt fg=auto bg=auto }j"_qs;
    QTest::newRow("hidden text takes no room but is kept")
        << header + "\\f0 a\\v secret\\v0 b}"
        << u"left {Arial 12pt fg=auto bg=auto }a{Arial 12pt fg=auto bg=auto  hidden=secret}\uFFFC"
           u"{Arial 12pt fg=auto bg=auto }b"_qs;
    // Both shapes hold one red pixel shown 15 points wide.
    const QString pictureInText =
        u"left {Arial 12pt fg=auto bg=auto }before {Arial 12pt fg=auto bg=auto  picture=pngblip 20x20 bytes="
        u"89504e470d0a1a0a0000000d4948445200000001000000010802000000907753de0000000c49444154789c63f8cfc0000003010100"
        u"c9fe92ef0000000049454e44ae426082}\uFFFC{Arial 12pt fg=auto bg=auto } after"_qs;
    QTest::newRow("a shape's result for readers without shapes") << RtfSamples::pictureInShapeResult() << pictureInText;
    QTest::newRow("a picture frame's picture") << RtfSamples::pictureInShapeProperty() << pictureInText;
    QTest::newRow("hyperlink fields carry their target")
        << header + "\\f0 {\\field{\\*\\fldinst{HYPERLINK \"http://a.dk/x\"}}{\\fldrslt{\\ul a}}} "
                    "{\\field{\\*\\fldinst HYPERLINK \\\\l \"m\\\\\\\\rk\"}{\\fldrslt b}}"
                    "{\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}}"
        << u"left {Arial 12pt fg=auto bg=auto u link=http://a.dk/x}a{Arial 12pt fg=auto bg=auto } "
           u"{Arial 12pt fg=auto bg=auto  link=#m\\rk}b{Arial 12pt fg=auto bg=auto }3"_qs;
    QTest::newRow("an unknown \\* word in the middle of a group drops only itself")
        << header + "\\f0 {\\b a\\*\\foo b}c}"
        << u"left {Arial 12pt fg=auto bg=auto b}ab{Arial 12pt fg=auto bg=auto }c"_qs;
    QTest::newRow("list groups outside the list table, text for readers without nested tables")
        << header + "\\f0 a{\\list\\listid5{\\listlevel x}}{\\*\\nonesttables y}b}"
        << u"left {Arial 12pt fg=auto bg=auto }ab"_qs;
    QTest::newRow("footnotes are dropped with their marks")
        << header + "\\f0 a{\\super\\chftn}{\\footnote{\\super\\chftn} note}b{\\super\\chftn}}"
        << u"left {Arial 12pt fg=auto bg=auto }ab"_qs;
    QTest::newRow("Mac code pages")
        << QByteArray("{\\rtf1\\mac\\ansicpg10001{\\fonttbl{\\f0\\fcharset1 Osaka;}{\\f1\\fcharset78 Osaka;}"
                      "{\\f2\\fcharset89 Geneva;}}\\f0 \\'82\\'a0\\f1 \\'82\\'a2\\f2 \\'80}")
        << u"left {Osaka 12pt fg=auto bg=auto }あい{Geneva 12pt fg=auto bg=auto }А"_qs;
    QTest::newRow("font name in its own code page")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset129 \\'b8\\'bc\\'c0\\'ba;}}\\f0 a}")
        << u"left {맑은 12pt fg=auto bg=auto }a"_qs;
    // A cell a merge covers shows as the cell that covers it.
    QTest::newRow("table borders, shading, alignments, merged cells and row heights")
        << RtfSamples::tableBordersShadingMerges()
        << u"left mark{ 0pt fg=auto bg=auto }\n"
           u"table 2x3 widths=140.533,133.333,133.333 gap=108 left=-108\n"
           u"row 0 height=400 borders=brdrs:10:auto,-,brdrs:10:auto,-,-,- cells="
           u"merge=10 brdrs:20:#ff0000 - brdrdb:15:auto - #ffff00/auto/0 align=0|"
           u"merge=20 brdrs:20:#ff0000 - brdrdb:15:auto - #ffff00/auto/0 align=0|"
           u"merge=01 - brdrdot:10:#0000ff - - #0000ff/auto/2500 align=1\n"
           u"cell 0,0\n  left {Arial 12pt fg=auto bg=auto }wide\n"
           u"cell 0,2\n  left {Arial 12pt fg=auto bg=auto }tall\n"
           u"row 1 height=-600 borders=brdrs:10:auto,-,brdrs:10:auto,-,-,- cells="
           u"merge=00 - - - - auto/auto/0 align=2|merge=00 - - - - auto/#ff0000/5000 align=0|"
           u"merge=02 - brdrdot:10:#0000ff - - #0000ff/auto/2500 align=1\n"
           u"cell 1,0\n  left {Arial 12pt fg=auto bg=auto }a\n"
           u"cell 1,1\n  left {Arial 12pt fg=auto bg=auto }b\n"
           u"end table\n"
           u"left {Arial 12pt fg=auto bg=auto }after"_qs;
    addListRows();
}


void TestRtfReader::formats()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument document;
    QVERIFY(RtfReader::read(rtf, document));
    QCOMPARE(DocumentDump::describe(document), expected);
}

void TestRtfReader::plainText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QByteArray() << u""_qs;
    QTest::newRow("CR LF, CR and LF each end a line") << QByteArray("a\r\nb\rc\nd") << u"a\nb\nc\nd"_qs;
    QTest::newRow("a final line break ends the last line") << QByteArray("a\r\n") << u"a"_qs;
    QTest::newRow("empty lines are paragraphs") << QByteArray("a\r\n\r\nb\r\n\r\n") << u"a\n\nb\n"_qs;
    QTest::newRow("Windows-1252") << QByteArray("Tilbeh\xF8r \x80 \x93x\x94") << u"Tilbehør € “x”"_qs;
    QTest::newRow("NUL bytes dropped") << QByteArray("a\0b\0", 4) << u"ab"_qs;
    QTest::newRow("RTF not at the start is text") << QByteArray("x{\\rtf1 a}") << u"x{\\rtf1 a}"_qs;
    QTest::newRow("almost a header") << QByteArray("{\\rt") << u"{\\rt"_qs;
}

void TestRtfReader::plainText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(readText(bytes), expected);
}

void TestRtfReader::plainTextIsInTheEditorFont()
{
    QTextDocument document;
    QVERIFY(RtfReader::read("a\r\n\r\n", document));
    QCOMPARE(DocumentDump::describe(document),
             u"left {MS Sans Serif 8pt fg=auto bg=auto }a\nleft mark{MS Sans Serif 8pt fg=auto bg=auto }"_qs);
}

void TestRtfReader::readingReplacesContentAndUndoHistory()
{
    QTextDocument document;
    QTextCursor(&document).insertText(QStringLiteral("old\nstuff"));
    QVERIFY(document.isUndoAvailable());
    QVERIFY(RtfReader::read("{\\rtf1 new}", document));
    QCOMPARE(DocumentDump::text(document), u"new"_qs);
    QVERIFY(!document.isUndoAvailable());
    QVERIFY(document.isUndoRedoEnabled());
}

void TestRtfReader::namesWhatIsNotKept()
{
    QTextDocument document;
    QStringList notKept;
    QVERIFY(RtfReader::read("{\\rtf1{\\*\\generator Word;}{\\info{\\title t}}a{\\super\\chftn}{\\footnote note}"
                            "{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}{\\*\\unknownword x}"
                            "\\pard\\brdrb\\brdrs b\\par}",
                            document, &notKept));
    QCOMPARE(notKept, QStringList({"info", "chftn", "footnote", "field PAGE", "unknownword", "brdrb"}));

    // A shape's picture is kept, not where it stands on the page nor the text of a text box; a
    // picture's own ids are no loss.
    QVERIFY(RtfReader::read("{\\rtf1{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv {\\pict{\\*\\blipuid 1}\\pngblip 00}}}"
                            "{\\*\\shptxt box}}}\\pard{\\*\\pn\\pnlvlcont}a\\par}",
                            document, &notKept));
    QCOMPARE(notKept, QStringList({"shp", "shptxt"}));
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
