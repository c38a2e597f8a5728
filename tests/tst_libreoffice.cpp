#include "description/RtfReader.h"
#include "description/RtfWriter.h"
#include "support/PngBytes.h"
#include "support/RtfCorpus.h"

#include <QtTest>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

// What another word processor reads from our output: descriptions are read, edited and written
// by us, converted to HTML by LibreOffice, and must still hold their lists, tables, links,
// pictures, raised text and right-to-left paragraphs.
class TestLibreOffice : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void keepsWhatTheDescriptionHad_data();
    void keepsWhatTheDescriptionHad();

private:
    QTemporaryDir folder_;
    QHash<QString, QString> html_;
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
    QStringList expected; // patterns in the HTML, its whitespace collapsed and its font tags dropped
};

QList<Case> cases()
{
    return {
        {"bullets and numbers", RtfCorpus::read(QStringLiteral("riched20-10.0.15063_bullets-numbering-indents.rtf")),
         {QStringLiteral("<ul>.*<li>.*Bullet<.*<li>.*Bullet 2<.*</ul>"),
          QStringLiteral("<ol>.*<li>.*List 1<.*<li>.*List 2.*</ol>")}},
        {"table", RtfCorpus::read(QStringLiteral("msftedit-5.41_table-rows-umlauts.rtf")),
         {QStringLiteral("<table.*<tr.*<td.*>a<.*<td.*>b<.*</tr>.*<tr.*>c<.*>d<.*</tr>.*<tr.*>ä<.*>ë<.*</table>")}},
        {"links", RtfCorpus::read(QStringLiteral("msftedit-5.41_hyperlink-field.rtf")),
         {QStringLiteral("<a href=\"https://github.com/tbluemel/rtf.js\"[^>]*>.*this .*pro.*ject.*</a>"),
          QStringLiteral("<a href=\"http://github.com/tbluemel/rtf.js\"[^>]*>.*unsafe link.*</a>")}},
        {"picture and raised text", pictureAndRaisedText(),
         {QStringLiteral("x<sup>2</sup>"), QStringLiteral("H<sub>2</sub>O"),
          QStringLiteral("<img [^>]* width=\"40\" height=\"30\"")}},
        {"right-to-left paragraph", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\rtlpar\\qr\\f0 a\\par}",
         {QStringLiteral("<p dir=\"rtl\" align=\"right\"")}},
    };
}

QString fileName(const char *caseName)
{
    return QString::fromLatin1(caseName).replace(u' ', u'-');
}

} // namespace

void TestLibreOffice::initTestCase()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QVERIFY(folder_.isValid());
    QStringList arguments{QStringLiteral("--headless"),
                          // A profile of its own, so that a LibreOffice already running is left alone.
                          QStringLiteral("-env:UserInstallation=")
                              + QUrl::fromLocalFile(folder_.filePath(QStringLiteral("profile"))).toString(),
                          QStringLiteral("--convert-to"), QStringLiteral("html"), QStringLiteral("--outdir"),
                          folder_.path()};
    for (const Case &description : cases()) {
        QTextDocument document;
        QVERIFY(RtfReader::read(description.rtf, document));
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(editedText);
        QFile file(folder_.filePath(fileName(description.name) + QStringLiteral(".rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(RtfWriter::write(document));
        arguments.append(file.fileName());
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(soffice, arguments);
    QVERIFY2(process.waitForFinished(180000), qPrintable(process.errorString()));
    QVERIFY2(process.exitCode() == 0, process.readAll().constData());
    for (const Case &description : cases()) {
        QFile file(folder_.filePath(fileName(description.name) + QStringLiteral(".html")));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QString html = QString::fromUtf8(file.readAll());
        html.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
        html.remove(QRegularExpression(QStringLiteral("</?font[^>]*>")));
        html_.insert(QString::fromLatin1(description.name), html);
    }
}

void TestLibreOffice::keepsWhatTheDescriptionHad_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected");
    for (const Case &description : cases())
        QTest::newRow(description.name) << QString::fromLatin1(description.name) << description.expected;
}

void TestLibreOffice::keepsWhatTheDescriptionHad()
{
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    const QString html = html_.value(name);
    QVERIFY2(html.contains(editedText), qPrintable(html));
    for (const QString &pattern : expected)
        QVERIFY2(html.contains(QRegularExpression(pattern)), qPrintable(pattern + QStringLiteral("\n") + html));
    // Pictures are saved beside the HTML: the one we wrote, 4 x 3 red pixels.
    const QRegularExpression picture(QStringLiteral("<img src=\"([^\"]+)\""));
    for (const QRegularExpressionMatch &match : picture.globalMatch(html)) {
        const QImage image(folder_.filePath(match.captured(1)));
        QCOMPARE(image.size(), QSize(4, 3));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::red));
    }
}

QTEST_MAIN(TestLibreOffice)
#include "tst_libreoffice.moc"
