#include "description/HyperlinkField.h"

namespace HyperlinkField {

namespace {

// An argument is a quoted text, in which \\ stands for \ and \" for ", or a word up to a space.
QString argument(QStringView &rest)
{
    rest = rest.trimmed();
    QString value;
    if (!rest.startsWith(u'"')) {
        const qsizetype end = rest.indexOf(u' ');
        value = (end < 0 ? rest : rest.first(end)).toString();
        rest = end < 0 ? QStringView() : rest.sliced(end);
        return value;
    }
    qsizetype i = 1;
    for (; i < rest.size() && rest[i] != u'"'; ++i) {
        if (rest[i] == u'\\' && i + 1 < rest.size() && (rest[i + 1] == u'\\' || rest[i + 1] == u'"'))
            ++i;
        value.append(rest[i]);
    }
    rest = rest.sliced(qMin(i + 1, rest.size()));
    return value;
}

} // namespace

QString target(QStringView instruction)
{
    QStringView rest = instruction.trimmed();
    if (!rest.startsWith(u"HYPERLINK", Qt::CaseInsensitive))
        return {};
    rest = rest.sliced(9);
    QString target;
    QString bookmark;
    while (!rest.trimmed().isEmpty()) {
        rest = rest.trimmed();
        if (rest.startsWith(u"\\l")) {
            rest = rest.sliced(2);
            bookmark = argument(rest);
        } else if (rest.startsWith(u'\\')) {
            // Switches that only say where or how the target opens: \o tip, \t frame, \m, \n.
            const bool takesArgument = rest.startsWith(u"\\o") || rest.startsWith(u"\\t");
            rest = rest.sliced(qMin(qsizetype(2), rest.size()));
            if (takesArgument)
                argument(rest);
        } else if (target.isEmpty()) {
            target = argument(rest);
        } else {
            argument(rest);
        }
    }
    if (!bookmark.isEmpty())
        target += u'#' + bookmark;
    return target;
}

QString instruction(const QString &target)
{
    QString escaped = target;
    escaped.replace(u'\\', QLatin1String("\\\\")).replace(u'"', QLatin1String("\\\""));
    return QStringLiteral("HYPERLINK \"%1\"").arg(escaped);
}

} // namespace HyperlinkField
