#include "check/DescriptionHtml.h"

#include <QRegularExpression>
#include <QTextDocument>

namespace {

const QString unknownWordAddress = QStringLiteral("#unknown-word");

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

} // namespace DescriptionHtml
