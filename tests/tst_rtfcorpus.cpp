#include "description/RtfProperties.h"
#include "description/RtfReader.h"
#include "support/DocumentDump.h"
#include "support/RtfCorpus.h"

#include <QtTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// Real files written by rich-edit controls and by other RTF writers, read with their text and
// formats intact.
class TestRtfCorpus : public QObject {
    Q_OBJECT
private slots:
    void everyFileReads_data();
    void everyFileReads();
    void textAndFormats_data();
    void textAndFormats();
};

namespace {

// QTextDocument::find reads no-break spaces as spaces; the probes must match exactly.
QTextCursor findExactly(const QTextDocument &document, const QString &probe)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const qsizetype at = block.text().indexOf(probe);
        if (at >= 0) {
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + int(at) + 1);
            return cursor;
        }
    }
    return {};
}

} // namespace

void TestRtfCorpus::everyFileReads_data()
{
    QTest::addColumn<QString>("file");
    const QStringList files = RtfCorpus::files();
    QVERIFY(files.size() >= 30);
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << file;
}

// Nothing of the header, skipped destinations or field instructions reaches the text.
void TestRtfCorpus::everyFileReads()
{
    QFETCH(QString, file);
    QTextDocument document;
    QVERIFY(RtfReader::read(RtfCorpus::read(file), document));
    const QString text = DocumentDump::text(document);
    QVERIFY(!text.trimmed().isEmpty() || file.contains(QLatin1String("binary-data")));
    for (const char *leak : {"HYPERLINK", "Msftedit", "Riched20", "Times New Roman", "Default Paragraph Font",
                             "Nicole Mendez", "PBrush", "Calibri;", "\\", "{", "}"}) {
        if (file.startsWith(QLatin1String("richedit-nogenerator")) && QLatin1String(leak) == QLatin1String("\\"))
            continue; // that file has an escaped backslash in its text
        QVERIFY2(!text.contains(QLatin1String(leak)), leak);
    }
}

void TestRtfCorpus::textAndFormats_data()
{
    QTest::addColumn<QString>("file");
    // Text that must appear in the document; its first character's format is checked.
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("characterFormat");
    // The format of the paragraph holding the probe; empty when not checked.
    QTest::addColumn<QString>("paragraphFormat");
    // The whole text of that paragraph; empty when not checked.
    QTest::addColumn<QString>("paragraphText");

    const QString wordPad = QStringLiteral("left bottom=13.3333 line=proportional:115");
    auto row = [](const char *file, const QString &probe, const char *format, const QString &paragraph = QString(),
                  const QString &paragraphText = QString()) {
        QTest::addRow("%s: %s", file, qPrintable(probe.left(20)))
            << QString::fromLatin1(file) + QStringLiteral(".rtf") << probe << QString::fromUtf8(format) << paragraph
            << paragraphText;
    };

    row("msftedit-5.41_ansicpg1250-fname-polish", u"zażółć gęślą jaźń"_qs, "Arial CE 10pt fg=auto bg=auto ", "left",
        u"zażółć gęślą jaźń"_qs);
    row("msftedit-5.41_ansicpg1250-fname-polish", u"ZAŻÓŁĆ GĘŚLĄ JAŹŃ"_qs, "Arial CE 10pt fg=auto bg=auto ");
    row("msftedit-5.41_bold-italic-font-switch-size", u"Test 2 - italic."_qs, "Calibri 11pt fg=auto bg=auto i",
        wordPad, u"Test 2 - italic."_qs);
    row("msftedit-5.41_bold-italic-font-switch-size", u"Test 3 - bold."_qs, "Calibri 11pt fg=auto bg=auto b");
    row("msftedit-5.41_bold-italic-font-switch-size", u"Test 6 - Arial 12."_qs, "Arial 12pt fg=auto bg=auto ");
    row("msftedit-5.41_colortbl-underline-fontsize", u"Overview of Policy/Claims"_qs,
        "Arial 16pt fg=#000000 bg=auto b");
    row("msftedit-5.41_colortbl-underline-fontsize", u"     "_qs, "Arial 12pt fg=#7a7a7a bg=auto bu");
    row("msftedit-5.41_hex-escape-right-after-control-word", u"Übersicht"_qs, "Calibri 11pt fg=auto bg=auto ",
        wordPad, u"Übersicht"_qs);
    row("msftedit-5.41_hyperlink-field", u"pro"_qs, "Calibri 11pt fg=#0000ff bg=auto biu link=https://github.com/tbluemel/rtf.js",
        u"center bottom=13.3333 line=proportional:115"_qs,
        u"This is a document with\u2028a hyperlink to this project."_qs);
    row("msftedit-5.41_hyperlink-field", u"unsafe link"_qs,
        "Calibri 11pt fg=#0000ff bg=auto u link=http://github.com/tbluemel/rtf.js",
        u"center bottom=13.3333 line=proportional:115"_qs);
    row("msftedit-5.41_hyperlink-field", u"And this last"_qs, "Calibri 11pt fg=auto bg=auto ", wordPad);
    row("msftedit-5.41_negative-u-values-field", u"F700\uF700\uF701\uF702"_qs, "Calibri 11pt fg=auto bg=auto ");
    row("msftedit-5.41_negative-u-values-field", u"http://unicode-table.com"_qs,
        "Calibri 11pt fg=#0000ff bg=auto u link=http://unicode-table.com/en/#private-use-area");
    row("msftedit-5.41_paragraphs-align-bold-italic-underline", u"is a"_qs, "Calibri 22pt fg=auto bg=auto ");
    row("msftedit-5.41_paragraphs-align-bold-italic-underline", u"five"_qs, "Calibri 11pt fg=auto bg=auto bu");
    row("msftedit-5.41_paragraphs-align-bold-italic-underline", u"document"_qs, "Calibri 11pt fg=auto bg=auto i");
    // The \pard\qc arrives after the \line, in the middle of the paragraph, and centres all of it.
    row("msftedit-5.41_paragraphs-align-bold-italic-underline", u"second"_qs, "Calibri 11pt fg=#004dbb bg=auto ",
        u"center bottom=13.3333 line=proportional:115"_qs,
        u"This is the second paragraph with a\u2028line break and it is centered."_qs);
    row("msftedit-5.41_paragraphs-align-bold-italic-underline", u"This is the fourth"_qs,
        "Calibri 11pt fg=auto bg=auto ", u"right bottom=13.3333 line=proportional:115"_qs);
    row("msftedit-5.41_special-chars-tab-line-quotes", u"Tab A\tB"_qs, "Calibri 11pt fg=auto bg=auto ", wordPad,
        u"Tab A\tB"_qs);
    row("msftedit-5.41_special-chars-tab-line-quotes", u"CR A"_qs, "Calibri 11pt fg=auto bg=auto ", wordPad,
        u"CR A"_qs);
    row("msftedit-5.41_special-chars-tab-line-quotes", u"LF A"_qs, "Calibri 11pt fg=auto bg=auto ", wordPad,
        u"LF A"_qs);
    row("msftedit-5.41_special-chars-tab-line-quotes", u"This is a line break."_qs,
        "Calibri 11pt fg=auto bg=auto ", wordPad, u"This is a line break.\u2028Here is the new line."_qs);
    row("msftedit-5.41_special-chars-tab-line-quotes", u"Emdash: —"_qs, "Calibri 11pt fg=auto bg=auto ");
    row("msftedit-5.41_special-chars-tab-line-quotes", u"Qmspace: \u2005"_qs, "Calibri 11pt fg=auto bg=auto ");
    row("msftedit-5.41_special-chars-tab-line-quotes", u"Rdblquote: ”"_qs, "Calibri 11pt fg=auto bg=auto ");
    row("msftedit-5.41_surrogate-pairs-negative-u", u"𐌲𐌿𐍄𐌹𐍃𐌺"_qs, "Arial 10pt fg=auto bg=auto ", "left",
        u"𐌲𐌿𐍄𐌹𐍃𐌺"_qs);
    row("msftedit-5.41_table-rows-umlauts", u"ä"_qs, "Calibri 11pt fg=auto bg=auto ", "left", u"ä"_qs);
    row("msftedit-5.41_table-rows-umlauts", u"ö"_qs, "Calibri 11pt fg=auto bg=auto ", "left", u"ö"_qs);
    row("msftedit-5.41_unicode-per-font-charsets", u"Johann Strauß"_qs, "Sylfaen 12pt fg=auto bg=auto ");
    row("msftedit-5.41_unicode-per-font-charsets", u"België\tRené Magritte"_qs, "Sylfaen 12pt fg=auto bg=auto ");
    row("msftedit-5.41_unicode-per-font-charsets", u"中国"_qs, "SimSun 12pt fg=auto bg=auto ");
    row("msftedit-5.41_unicode-per-font-charsets", u"Česká republika"_qs, "Calibri 12pt fg=auto bg=auto ");
    row("msftedit-5.41_unicode-per-font-charsets", u"Արամ"_qs, "Sylfaen 12pt fg=auto bg=auto ");
    // Bullets and numbers are rendered list text; the paragraphs keep their hanging indent.
    row("riched20-10.0.15063_bullets-numbering-indents", u"Bullet 2"_qs, "Calibri 11pt fg=auto bg=auto ",
        u"left left=48 indent=-24 bottom=13.3333 line=proportional:115"_qs, u"Bullet 2"_qs);
    row("riched20-10.0.15063_bullets-numbering-indents", u"Paragraph 2"_qs, "Calibri 11pt fg=auto bg=auto ",
        wordPad);
    row("riched20-10.0.18362_latin1-ae-oe-unicode-surrogates", u"Iñtërnâtiônàlizætiøn☃💩"_qs,
        "Calibri 11pt fg=auto bg=auto ");
    row("riched20-10.0.18362_latin1-ae-oe-unicode-surrogates", u"💩"_qs, "Segoe UI Symbol 11pt fg=auto bg=auto ");
    row("riched20-10.0.19041_colortbl-cf-highlight", u"Normal Line 1"_qs, "Courier New 8.5pt fg=auto bg=auto ",
        "left", u"Normal Line 1"_qs);
    row("riched20-10.0.19041_colortbl-cf-highlight", u"Colored Line"_qs, "Courier New 8.5pt fg=#00ff00 bg=auto ");
    row("riched20-10.0.19041_colortbl-cf-highlight", u"Highlighted Line"_qs,
        "Courier New 8.5pt fg=auto bg=#ff0000 ");
    row("riched20-10.0.19041_colortbl-cf-highlight", u"Colored & Highlighted"_qs,
        "Courier New 8.5pt fg=#ffffff bg=#0000ff ");
    row("riched20-10.0.19041_fbidis-bullets-tabstop-white-text", u"D"_qs, "Segoe UI 11.5pt fg=#ffffff bg=auto ",
        u"left tabs=48L"_qs, u"D"_qs);
    row("riched20-14.0_cp949-hex-font-name", u"MS Project Addin ProjectPlus"_qs, "맑은 고딕 10pt fg=auto bg=auto ");
    row("riched20-15.0_cp1254-fcharset162-mmathpr", u"Turkish Encoding."_qs, "Segoe UI 10pt fg=auto bg=auto ");
    row("richedit-nogenerator_cp1251-cf-highlight-white", u"УХВАЛА"_qs, "Calibri 12pt fg=#000000 bg=#ffffff b",
        "justify", u"УХВАЛА"_qs);
    row("richedit-nogenerator_cp1251-cf-highlight-white", u"справа № 127\\7798/17"_qs,
        "Calibri 12pt fg=#000000 bg=#ffffff ");
    row("richedit-nogenerator_cp1251-cf-highlight-white", u"ВСТАНОВИВ:"_qs, "Calibri 12pt fg=#000000 bg=#ffffff ",
        "center");
    row("robust_backslash-newline-is-par", u"    LINE2 - BANANA"_qs, "MS Sans Serif 12pt fg=auto bg=auto ", "left",
        u"    LINE2 - BANANA"_qs);
    // The object's picture (its \bin data), then the text after it, still inside the object group,
    // whose brace the file never closes.
    row("robust_bin-binary-data-with-brace", u"\t\t\t "_qs, "Arial 12pt fg=auto bg=auto ", "left",
        u"\uFFFC\t\t\t "_qs);
    row("robust_fonttbl-entries-without-groups", u"TO\tFROM\tTEXT"_qs, "Times New Roman 18pt fg=auto bg=auto ");
    row("robust_minimal-header-no-ansi-trailing-nul", u"Test1"_qs, "MS Sans Serif 12pt fg=auto bg=auto ", "left",
        u"Test1"_qs);
    row("robust_nbsp-control-symbol-no-fonttbl", u"non\u00A0breaking\u00A0spaces."_qs,
        "MS Sans Serif 12pt fg=auto bg=auto ");
    row("robust_nbsp-control-symbol-no-fonttbl", u"bold"_qs, "MS Sans Serif 12pt fg=auto bg=auto b");
    row("robust_nested-rtf1-group-malformed", u"Level2"_qs, "Arial 12pt fg=auto bg=auto b");
    row("robust_nested-rtf1-group-malformed", u"This is level2 paragraph."_qs, "Arial 12pt fg=auto bg=auto ");
    row("robust_tab-kinds-leaders-bar-upr-ud-word", u"Tabs"_qs, "Times 12pt fg=auto bg=auto ",
        u"left tabs=24L,40L,72R,96C,126L,174R,198R,288D bars=5040,6120"_qs, u"Tabs"_qs);
    row("robust_tab-kinds-leaders-bar-upr-ud-word", u"Normal\ttabbed"_qs, "Times 12pt fg=auto bg=auto ",
        u"left tabs=48L,240L leaders=0101"_qs);
    row("robust_u-and-uc-skip-rules", u"“hi”‘hi’\uF0B7αä"_qs, "MS Sans Serif 12pt fg=auto bg=auto ", "left",
        u"“hi”‘hi’\uF0B7αä"_qs);
    row("robust_uc2-fallback-hex-pairs-word", u"0 年 abc 念"_qs, "MS Gothic 12pt fg=auto bg=auto ", "left",
        u"0 年 abc 念"_qs);
    row("robust_unpaired-surrogates-uc0-cocoa", u"Unpaired hi \uFFFD here Unpaired lo \uFFFD here"_qs,
        "Helvetica 11pt fg=auto bg=auto ");
    row("robust_unpaired-surrogates-uc0-cocoa", u"Mismatched pair \uFFFD\uFFFD here"_qs,
        "Helvetica 11pt fg=auto bg=auto ");
    row("robust_whitespace-inside-fonttbl-group", u"ü"_qs, "Times New Roman 14pt fg=auto bg=auto ");
    // The font says cp1250 although the document says cp1252: \'f8 is ř, not ø.
    row("wordpad-msftedit-5.41_czech-fcharset238-under-ansicpg1252", u"Článek týdne"_qs,
        "Calibri 11pt fg=auto bg=auto ", wordPad, u"Článek týdne"_qs);
    row("wordpad-msftedit-5.41_czech-fcharset238-under-ansicpg1252",
        u"starověké židovské náboženské texty"_qs, "Calibri 11pt fg=auto bg=auto ");
}

void TestRtfCorpus::textAndFormats()
{
    QFETCH(QString, file);
    QFETCH(QString, probe);
    QFETCH(QString, characterFormat);
    QFETCH(QString, paragraphFormat);
    QFETCH(QString, paragraphText);

    QTextDocument document;
    QVERIFY(RtfReader::read(RtfCorpus::read(file), document));
    // Placed after the probe's first character, whose format it reports.
    const QTextCursor found = findExactly(document, probe);
    QVERIFY2(!found.isNull(), qPrintable(DocumentDump::text(document)));
    // The run languages these files carry are checked by the writer's round trips of them.
    QTextCharFormat format = found.charFormat();
    format.clearProperty(RtfProperty::Language);
    QCOMPARE(DocumentDump::describe(format), characterFormat);
    if (!paragraphFormat.isEmpty())
        QCOMPARE(DocumentDump::describe(found.block().blockFormat()), paragraphFormat);
    if (!paragraphText.isEmpty())
        QCOMPARE(found.block().text(), paragraphText);
}

QTEST_MAIN(TestRtfCorpus)
#include "tst_rtfcorpus.moc"
