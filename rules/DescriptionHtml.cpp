#include "rules/DescriptionHtml.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>

namespace {

const QString unknownWordAddress = QStringLiteral("#unknown-word");

// About half a printed page of text per description, and what its markup may take: 280
// descriptions of a full disc stay within a few megabytes.
constexpr int shownCharacters = 2000;
constexpr int fewestCharacters = 250;
constexpr qsizetype largestFragment = 12 * 1024;

// Qt writes a link for the mark; links never nest, so the next closing tag is the mark's.
void markUnknownWords(QString &html)
{
    const QString opening = QStringLiteral("<a href=\"%1\">").arg(unknownWordAddress);
    for (qsizetype at = html.indexOf(opening); at >= 0; at = html.indexOf(opening, at)) {
        html.replace(at, opening.size(), QStringLiteral("<span class=\"unknown-word\">"));
        const qsizetype closing = html.indexOf(QLatin1String("</a>"), at);
        if (closing < 0)
            break;
        html.replace(closing, 4, QStringLiteral("</span>"));
    }
}

} // namespace

namespace DescriptionHtml {

QTextCharFormat unknownWordMark()
{
    QTextCharFormat mark;
    mark.setAnchor(true);
    mark.setAnchorHref(unknownWordAddress);
    return mark;
}

QString fragment(const QTextDocument &document)
{
    const QString html = document.toHtml();
    const qsizetype bodyTag = html.indexOf(QLatin1String("<body"));
    const qsizetype bodyStart = bodyTag < 0 ? -1 : html.indexOf(QLatin1Char('>'), bodyTag);
    const qsizetype bodyEnd = html.lastIndexOf(QLatin1String("</body>"));
    if (bodyStart < 0 || bodyEnd < bodyStart)
        return QString();
    QString body = html.mid(bodyStart + 1, bodyEnd - bodyStart - 1);
    const QRegularExpression family(QStringLiteral("font-family:('[^']*'(?:,'[^']*')*);"));
    body.replace(family, QStringLiteral("font-family:\\1,sans-serif;"));
    markUnknownWords(body);
    return body.trimmed();
}

Shown shownOnProofSheet(const QTextDocument &document)
{
    const int characters = document.characterCount() - 1;
    if (characters <= shownCharacters) {
        QString whole = fragment(document);
        if (whole.size() <= largestFragment)
            return {whole, QString()};
    }
    // Heavy formatting takes more markup per character: less of the text is shown, formatted.
    const std::unique_ptr<QTextDocument> cut(document.clone());
    Shown shown;
    for (int kept = std::min(characters, shownCharacters);; kept /= 2) {
        QTextCursor rest(cut.get());
        rest.setPosition(kept);
        rest.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        rest.removeSelectedText();
        shown.html = fragment(*cut);
        if (shown.html.size() <= largestFragment || kept / 2 < fewestCharacters)
            break;
    }
    if (shown.html.size() > largestFragment) {
        shown.html = QStringLiteral("<p>%1</p>")
                         .arg(cut->toPlainText().toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")));
        shown.cutNote = QStringLiteral("Vist uden formatering.");
    }
    const int left = characters - (cut->characterCount() - 1);
    if (left > 0) {
        const QLocale danish(QLocale::Danish);
        shown.cutNote = QStringLiteral("%1 af %2 tegn er ikke vist. %3")
                            .arg(danish.toString(left), danish.toString(characters), shown.cutNote)
                            .trimmed();
    }
    return shown;
}

} // namespace DescriptionHtml
