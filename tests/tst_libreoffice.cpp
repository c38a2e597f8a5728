#include "description/RtfReader.h"
#include "description/RtfWriter.h"
#include "description/TranslationSource.h"
#include "support/PngBytes.h"
#include "support/RtfCorpus.h"
#include "support/RtfSamples.h"

#include <QtTest>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

// What another word processor reads from our output: descriptions are read, edited and written
// by us, converted to HTML or text by LibreOffice, and must still hold their lists (with the
// numbers LibreOffice gives their items), tables with their borders, shading and merged cells,
// links, pictures, raised text and right-to-left paragraphs.
class TestLibreOffice : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void keepsWhatTheDescriptionHad_data();
    void keepsWhatTheDescriptionHad();
    void readsARecordedDanishTextAsWithout();

private:
    // Converts the files into the folder; the error LibreOffice gave, empty when it gave none.
    QString convert(const QStringList &files, const QString &conversion);

    QTemporaryDir folder_;
    QHash<QString, QString> converted_; // by case: the HTML or text LibreOffice made of our RTF
};

namespace {

// Text added to the end of each description before it is written.
const QString editedText = QStringLiteral("(rettet)");

QByteArray pictureAndRaisedText()
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\f0\\fs20 x{\\super 2} H{\\sub 2}O "
           "{\\pict\\pngblip\\picw4\\pich3\\picwgoal600\\pichgoal450 "
        + pngBytes(QSize(4, 3), Qt::red).toHex() + "}\\par}";
}

struct Case {
    const char *name;
    QByteArray rtf;
    QStringList expected; // patterns in the HTML or text, its whitespace collapsed and its font tags dropped
    const char *format = "html"; // or "txt": plain text, which shows list numbers as LibreOffice counts them
    QSize pictureSize{4, 3}; // of the red pictures the HTML shows
};

QList<Case> cases()
{
    return {
        {"bullets and numbers", RtfCorpus::read(QStringLiteral("riched20-10.0.15063_bullets-numbering-indents.rtf")),
         {QStringLiteral("<ul>.*<li>.*Bullet<.*<li>.*Bullet 2<.*</ul>"),
          QStringLiteral("<ol>.*<li>.*List 1<.*<li>.*List 2.*</ol>")}},
        {"table", RtfCorpus::read(QStringLiteral("msftedit-5.41_table-rows-umlauts.rtf")),
         {QStringLiteral("<table.*<tr.*<td.*> ?a<.*<td.*> ?b<.*</tr>.*<tr.*> ?c<.*> ?d<.*</tr>.*<tr.*> ?ä<.*> ?ë<.*</table>")}},
        {"links", RtfCorpus::read(QStringLiteral("msftedit-5.41_hyperlink-field.rtf")),
         {QStringLiteral("<a href=\"https://github.com/tbluemel/rtf.js\"[^>]*>.*this .*pro.*ject.*</a>"),
          QStringLiteral("<a href=\"http://github.com/tbluemel/rtf.js\"[^>]*>.*unsafe link.*</a>")}},
        {"picture and raised text", pictureAndRaisedText(),
         {QStringLiteral("x<sup>2</sup>"), QStringLiteral("H<sub>2</sub>O"),
          QStringLiteral("<img [^>]* width=\"40\" height=\"30\"")}},
        {"right-to-left paragraph", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\rtlpar\\qr\\f0 a\\par}",
         {QStringLiteral("<p dir=\"rtl\" align=\"right\"")}},
        {"word-processor lists", RtfSamples::wordProcessorLists(),
         {QStringLiteral("3\\. three a\\) three-a broken b\\) three-b plain between 4\\. four 1\\. one again • bullet")},
         "txt"},
        // Each run keeps its own direction: an offset is switched off before a superscript.
        {"raised and lowered text", RtfSamples::raisedAndLoweredText(),
         {QStringLiteral("<p[^>]*> a<sup>b</sup><sub>c</sub><sup>d</sup><sub>e</sub><sup>f</sup><sup>g</sup><sub>h")}},
        {"font character sets", RtfSamples::fontCharacterSets(), {QStringLiteral("При жж.*ř æ")}, "txt"},
        {"rich-edit lists", RtfCorpus::read(QStringLiteral("riched20-10.0.15063_bullets-numbering-indents.rtf")),
         {QStringLiteral("• Bullet • Bullet 2 .*1\\. List 1 2\\. List 2")}, "txt"},
        // A cell's shading shows the pattern colour mixed in: 25 % black into blue.
        {"table borders, shading, merged cells and row heights", RtfSamples::tableBordersShadingMerges(),
         {QStringLiteral("<td colspan=\"2\"[^>]* height=\"\\d+\"[^>]*background: #ffff00; border-top: [.0-9]+pt solid #ff0000; "
                         "border-bottom: [.0-9]+pt double #000000[^>]*>.*wide"),
          QStringLiteral("<td rowspan=\"2\"[^>]*background: #0000bf;[^>]*border-left: [^;]*dotted #0000ff[^>]*>.*tall"),
          QStringLiteral("<tr[^>]*> <td [^>]*height=\"\\d+\"[^>]*>.*> ?a<")}},
        {"word processor's table", RtfCorpus::read(QStringLiteral("libreoffice-7.4_table-wide-and-merged-cells-borders-shading.rtf")),
         {QStringLiteral("<td colspan=\"2\"[^>]*background: #ffff00; border: [^;]*solid #ff0000[^>]*>.*Bred.*"
                         "<td rowspan=\"2\"[^>]*background: #c0c0c0;[^>]*border-left: [^;]*dotted #0000ff[^>]*>.*Høj"),
          QStringLiteral("border-bottom: [^;]*double #000000[^>]*>.*> ?a<.*background: #00ff00[^>]*>.*> ?b<.*> ?c<.*> ?d<.*> ?e<")}},
        {"cell borders", RtfCorpus::read(QStringLiteral("robust_table-cell-bottom-borders-pandoc.rtf")),
         {QStringLiteral("<td [^>]*border-bottom: [^;]*solid #000000[^>]*>.*Code.*<td [^>]*border-bottom: [^;]*solid[^>]*>.*Error")}},
        {"nested level numbers", RtfSamples::nestedLevelNumbers(),
         {QStringLiteral("^\\W*1\\. One 1\\.1\\. One-one 1\\.2\\. One-two 2\\. Two ?\\(rettet\\) ?$")}, "txt"},
        {"list across table cells", RtfSamples::listAcrossTableCells(),
         {QStringLiteral("^\\W*1\\. one 2\\. two 3\\. three 4\\. four 5\\. five ?\\(rettet\\) ?$")}, "txt"},
        // A list, not numbers written as text.
        {"list override zero", RtfSamples::listOverrideZero(), {QStringLiteral("<ol>.*<li>.*One.*<li>.*Two.*</ol>")}},
        // No number of its own, none left as text.
        {"continuation paragraph", RtfSamples::continuationParagraph(),
         {QStringLiteral("^\\W*I\\. Heading Continuation, no number II\\. Next ?\\(rettet\\) ?$")}, "txt"},
        {"picture in a shape's result", RtfSamples::pictureInShapeResult(),
         {QStringLiteral("before\\W*<img [^>]* width=\"20\" height=\"20\"[^>]*>\\W*after")}, "html", {1, 1}},
        {"picture in a shape's pib property", RtfSamples::pictureInShapeProperty(),
         {QStringLiteral("before\\W*<img [^>]* width=\"20\" height=\"20\"[^>]*>\\W*after")}, "html", {1, 1}},
    };
}

QString fileName(const char *caseName)
{
    return QString::fromLatin1(caseName).replace(u' ', u'-');
}

// LibreOffice's filter for text that keeps list numbers, in UTF-8.
QString conversion(const char *format)
{
    return qstrcmp(format, "txt") == 0 ? QStringLiteral("txt:Text (encoded):UTF8") : QString::fromLatin1(format);
}

} // namespace

QString TestLibreOffice::convert(const QStringList &files, const QString &conversion)
{
    const QStringList options{QStringLiteral("--headless"),
                              // A profile of its own, so that a LibreOffice already running is left alone.
                              QStringLiteral("-env:UserInstallation=")
                                  + QUrl::fromLocalFile(folder_.filePath(QStringLiteral("profile"))).toString()};
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStandardPaths::findExecutable(QStringLiteral("soffice")),
                  options + QStringList{QStringLiteral("--convert-to"), conversion, QStringLiteral("--outdir"), folder_.path()}
                      + files);
    if (!process.waitForFinished(180000))
        return process.errorString();
    return process.exitCode() == 0 ? QString() : QString::fromLocal8Bit(process.readAll());
}

void TestLibreOffice::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QVERIFY(folder_.isValid());
    QHash<QString, QStringList> filesByConversion;
    for (const Case &description : cases()) {
        QTextDocument document;
        QVERIFY(RtfReader::read(description.rtf, document));
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(editedText);
        QFile file(folder_.filePath(fileName(description.name) + QStringLiteral(".rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(RtfWriter::write(document));
        filesByConversion[conversion(description.format)].append(file.fileName());
    }
    for (auto files = filesByConversion.cbegin(); files != filesByConversion.cend(); ++files) {
        const QString error = convert(files.value(), files.key());
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
    for (const Case &description : cases()) {
        QFile file(folder_.filePath(fileName(description.name) + u'.' + QLatin1String(description.format)));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QString converted = QString::fromUtf8(file.readAll());
        converted.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
        converted.remove(QRegularExpression(QStringLiteral("</?font[^>]*>")));
        converted_.insert(QString::fromLatin1(description.name), converted);
    }
}

void TestLibreOffice::keepsWhatTheDescriptionHad_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QSize>("pictureSize");
    for (const Case &description : cases())
        QTest::newRow(description.name) << QString::fromLatin1(description.name) << description.expected
                                        << description.pictureSize;
}

void TestLibreOffice::keepsWhatTheDescriptionHad()
{
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    QFETCH(QSize, pictureSize);
    const QString converted = converted_.value(name);
    QVERIFY2(converted.contains(editedText), qPrintable(converted));
    for (const QString &pattern : expected)
        QVERIFY2(converted.contains(QRegularExpression(pattern)), qPrintable(pattern + QStringLiteral("\n") + converted));
    // Pictures are saved beside the HTML: the one we wrote, red pixels.
    const QRegularExpression picture(QStringLiteral("<img src=\"([^\"]+)\""));
    for (const QRegularExpressionMatch &match : picture.globalMatch(converted)) {
        const QImage image(folder_.filePath(match.captured(1)));
        QCOMPARE(image.size(), pictureSize);
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::red));
    }
}

// The Danish text a translation was written against is an ignorable destination: LibreOffice and
// our own reader show the file exactly as without it.
void TestLibreOffice::readsARecordedDanishTextAsWithout()
{
    const QByteArray without = RtfCorpus::read(QStringLiteral("riched20-10.0.15063_bullets-numbering-indents.rtf"));
    const QByteArray with = TranslationSource::recorded(without, QStringLiteral("Et godt program til børn og voksne."));
    QCOMPARE(TranslationSource::read(with), QString("Et godt program til børn og voksne."));
    QTextDocument ours;
    QTextDocument oursWith;
    QVERIFY(RtfReader::read(without, ours) && RtfReader::read(with, oursWith));
    QCOMPARE(oursWith.toHtml(), ours.toHtml());

    QStringList converted;
    for (const auto &[name, bytes] : {std::pair{QStringLiteral("uden"), without}, std::pair{QStringLiteral("med"), with}}) {
        QFile file(folder_.filePath(name + QStringLiteral(".rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        converted << file.fileName();
    }
    for (const char *format : {"html", "txt"}) {
        const QString error = convert(converted, conversion(format));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QFile uden(folder_.filePath(QStringLiteral("uden.") + QLatin1String(format)));
        QFile med(folder_.filePath(QStringLiteral("med.") + QLatin1String(format)));
        QVERIFY(uden.open(QIODevice::ReadOnly) && med.open(QIODevice::ReadOnly));
        // The page's metadata says when it was made.
        const QRegularExpression metadata(QStringLiteral("<meta [^>]*>"));
        QCOMPARE(QString::fromUtf8(med.readAll()).remove(metadata), QString::fromUtf8(uden.readAll()).remove(metadata));
    }
}

QTEST_MAIN(TestLibreOffice)
#include "tst_libreoffice.moc"
