#include "description/RtfReader.h"
#include "support/DocumentDump.h"
#include "support/RtfCorpus.h"

#include <QtTest>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>

// Damaged and hostile input: the reader keeps what makes sense, in bounded time and memory,
// and never crashes.
class TestRtfRobustness : public QObject {
    Q_OBJECT
private slots:
    void malformedInput_data();
    void malformedInput();
    void absurdNumbersAreClamped();
    void everyTruncationOfARichEditFileReads();
    void randomBytesAfterTheHeader();
    void paragraphCountIsBounded_data();
    void paragraphCountIsBounded();
    void oversizedInputIsRefused();
};

namespace {

QByteArray repeated(const char *piece, int count)
{
    return QByteArray(piece).repeated(count);
}

} // namespace

void TestRtfRobustness::malformedInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}}b") << u"a"_qs;
    QTest::newRow("groups never closed") << QByteArray("{\\rtf1 {{{a\\par b") << u"a\nb"_qs;
    QTest::newRow("header only") << QByteArray("{\\rtf") << u""_qs;
    QTest::newRow("NULs between tokens") << QByteArray("{\\rtf1 \0a\0\\par\0b\0}", 19) << u"a\nb"_qs;
    // Beyond the depth limit the text is read in the deepest state that was kept.
    QTest::newRow("deep nesting") << "{\\rtf1 a" + repeated("{", 100000) + "x" + repeated("}", 100000) + "b}"
                                  << u"axb"_qs;
    QTest::newRow("deep nesting never closed") << "{\\rtf1 a" + repeated("{", 100000) + "x" << u"ax"_qs;
    QTest::newRow("deep nesting in a skipped destination")
        << "{\\rtf1 a{\\*\\foo" + repeated("{", 100000) + repeated("}", 100000) + "}b}" << u"ab"_qs;
    QTest::newRow("a row with more cells than its definition")
        << QByteArray("{\\rtf1\\trowd\\cellx100\\pard\\intbl a\\cell b\\cell c\\cell\\row}") << u"\na\tb\tc\n"_qs;
    QTest::newRow("\\uc huge") << QByteArray("{\\rtf1\\uc999999999\\u228 abcdefghijklmnopqrstuvwxyz}")
                               << u"äqrstuvwxyz"_qs;
    QTest::newRow("\\bin beyond the data") << QByteArray("{\\rtf1 a\\bin999999 xyz") << u"a"_qs;
    QTest::newRow("\\bin with a huge parameter") << QByteArray("{\\rtf1 a\\bin99999999999999999999 b}") << u"a"_qs;
    QTest::newRow("\\bin negative") << QByteArray("{\\rtf1 a\\bin-5 b}") << u"ab"_qs;
    QTest::newRow("lone backslash at the end") << QByteArray("{\\rtf1 a\\") << u"a"_qs;
    QTest::newRow("broken hex escapes") << QByteArray("{\\rtf1 a\\'zzb\\'4}") << u"azzb\u0004"_qs;
    QTest::newRow("hex escape cut off") << QByteArray("{\\rtf1 a\\'") << u"a"_qs;
    QTest::newRow("control word of 1000 letters") << "{\\rtf1 a\\" + repeated("x", 1000) + " b}" << u"ab"_qs;
    QTest::newRow("parameter of 1000 digits") << "{\\rtf1\\fs" + repeated("9", 1000) + " a}" << u"a"_qs;
    QTest::newRow("minus without digits") << QByteArray("{\\rtf1\\fs- a}") << u"- a"_qs;
    QTest::newRow("font table never ended") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial") << u""_qs;
    QTest::newRow("a million colour entries") << "{\\rtf1{\\colortbl" + repeated(";", 1000000) + "}\\cf5 a}"
                                              << u"a"_qs;
    QTest::newRow("ten thousand fonts") << "{\\rtf1{\\fonttbl" + repeated("{\\f1 A;}", 10000) + "}\\f1 a}"
                                        << u"a"_qs;
    QTest::newRow("\\upr without \\ud") << QByteArray("{\\rtf1{\\upr{a}b}c}") << u"c"_qs;
    QTest::newRow("\\* in the document group") << QByteArray("{\\rtf1\\*\\foo a}") << u"a"_qs;
    QTest::newRow("cell without a row") << QByteArray("{\\rtf1 a\\cell}") << u"a"_qs;
    QTest::newRow("surrogate cut off by the end") << QByteArray("{\\rtf1 a\\u-10179?") << u"a\uFFFD"_qs;
    QTest::newRow("double-byte lead byte cut off") << QByteArray("{\\rtf1\\ansicpg932 a\\'82\\b b}") << u"ab"_qs;
    QTest::newRow("unknown code page") << QByteArray("{\\rtf1\\ansicpg12345 a\\'e6}") << u"a\uFFFD"_qs;
}

void TestRtfRobustness::malformedInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument document;
    QVERIFY(RtfReader::read(rtf, document));
    QCOMPARE(DocumentDump::text(document), expected);
}

void TestRtfRobustness::absurdNumbersAreClamped()
{
    QTextDocument document;
    QVERIFY(RtfReader::read("{\\rtf1\\fs999999999\\li99999999999\\fi-99999999999\\sb-5\\sl-2147483648"
                            "\\tx999999999 a}",
                            document));
    // 31680 twips, the widest page there is, are 2112 units; 1638 pt is the largest font size.
    QCOMPARE(DocumentDump::describe(document),
             u"left left=2112 indent=-2112 line=fixed:2112 tabs=2112L {MS Sans Serif 1638pt fg=auto bg=auto }a"_qs);
}

// Each prefix of a file reads as a prefix of the whole file's text: nothing is invented where
// a file breaks off.
void TestRtfRobustness::everyTruncationOfARichEditFileReads()
{
    const QByteArray whole = RtfCorpus::read(QStringLiteral("msftedit-5.41_paragraphs-align-bold-italic-underline.rtf"));
    QTextDocument document;
    QVERIFY(RtfReader::read(whole, document));
    const QString wholeText = DocumentDump::text(document);
    for (qsizetype length = 0; length < whole.size(); ++length) {
        QVERIFY(RtfReader::read(whole.first(length), document));
        if (length > 5) // shorter prefixes are not recognisable as RTF and are read as text
            QVERIFY2(wholeText.startsWith(DocumentDump::text(document)), qPrintable(QString::number(length)));
    }
}

void TestRtfRobustness::randomBytesAfterTheHeader()
{
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator random(seed);
        QByteArray rtf("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset129 A;}}\\f0 ");
        // Mostly RTF's own syntax characters, so the noise reaches deep into the reader.
        static const char alphabet[] = "{}\\\\\\'*ufbinlparcsx0123456789- ;\r\n\t\xe6\x82\xff";
        for (int i = 0; i < 20000; ++i)
            rtf.append(alphabet[random.bounded(int(sizeof(alphabet) - 1))]);
        QTextDocument document;
        QVERIFY(RtfReader::read(rtf, document));
    }
}

void TestRtfRobustness::paragraphCountIsBounded_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("RTF paragraph marks") << "{\\rtf1 " + repeated("\\par ", 150000) + "x}";
    QTest::newRow("backslash + LF paragraph marks") << "{\\rtf1 " + repeated("\\\n", 150000) + "x}";
    QTest::newRow("plain-text lines") << repeated("\n", 150000) + "x";
}

// Beyond the cap further paragraph marks become line breaks, and the text stays.
void TestRtfRobustness::paragraphCountIsBounded()
{
    QFETCH(QByteArray, bytes);
    QTextDocument document;
    QVERIFY(RtfReader::read(bytes, document));
    QCOMPARE(document.blockCount(), 100000);
    QVERIFY(document.lastBlock().text().endsWith(u'x'));
}

void TestRtfRobustness::oversizedInputIsRefused()
{
    QTextDocument document;
    QVERIFY(RtfReader::read("{\\rtf1 old}", document));
    const QByteArray huge = "{\\rtf1 " + QByteArray(RtfReader::maximumInputSize, 'a') + "}";
    QVERIFY(!RtfReader::read(huge, document));
    QVERIFY(document.isEmpty());
}

QTEST_MAIN(TestRtfRobustness)
#include "tst_rtfrobustness.moc"
