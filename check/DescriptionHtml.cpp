#include "check/DescriptionHtml.h"

#include <QRegularExpression>
#include <QTextDocument>

namespace DescriptionHtml {

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
    return body.trimmed();
}

} // namespace DescriptionHtml
