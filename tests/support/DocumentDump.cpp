#include "support/DocumentDump.h"

#include "description/RtfProperties.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace {

QString brush(const QTextCharFormat &format, QTextFormat::Property property)
{
    const QBrush value = format.brushProperty(property);
    return format.hasProperty(property) && value.style() != Qt::NoBrush ? value.color().name() : QStringLiteral("auto");
}

} // namespace

namespace DocumentDump {

QString text(const QTextDocument &document)
{
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs.append(block.text());
    return paragraphs.join(u'\n');
}

QString describe(const QTextBlockFormat &format)
{
    QStringList parts;
    const Qt::Alignment alignment = format.alignment();
    parts.append(alignment & Qt::AlignHCenter ? QStringLiteral("center")
                     : alignment & Qt::AlignRight ? QStringLiteral("right")
                     : alignment & Qt::AlignJustify ? QStringLiteral("justify")
                                                    : QStringLiteral("left"));
    const std::pair<const char *, qreal> lengths[] = {
        {"left", format.leftMargin()},   {"right", format.rightMargin()},   {"indent", format.textIndent()},
        {"top", format.topMargin()},     {"bottom", format.bottomMargin()},
    };
    for (const auto &[name, value] : lengths) {
        if (value != 0)
            parts.append(QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(value));
    }
    static const char *const lineHeightTypes[] = {"single", "proportional", "fixed", "minimum", "distance"};
    if (format.lineHeightType() != QTextBlockFormat::SingleHeight)
        parts.append(QStringLiteral("line=%1:%2")
                         .arg(QLatin1String(lineHeightTypes[format.lineHeightType()]))
                         .arg(format.lineHeight()));
    QStringList tabs;
    for (const QTextOption::Tab &tab : format.tabPositions())
        tabs.append(QString::number(tab.position) + QLatin1String("LRCD").at(int(tab.type)));
    if (!tabs.isEmpty())
        parts.append(QStringLiteral("tabs=") + tabs.join(u','));
    return parts.join(u' ');
}

QString describe(const QTextCharFormat &format)
{
    QString flags;
    if (format.fontWeight() >= QFont::Bold)
        flags += u'b';
    if (format.fontItalic())
        flags += u'i';
    if (format.underlineStyle() != QTextCharFormat::NoUnderline)
        flags += u'u';
    if (format.fontStrikeOut())
        flags += u's';
    QString described = QStringLiteral("%1 %2pt fg=%3 bg=%4 %5")
                            .arg(format.fontFamilies().toStringList().join(u','))
                            .arg(format.fontPointSize())
                            .arg(brush(format, QTextFormat::ForegroundBrush),
                                 brush(format, QTextFormat::BackgroundBrush), flags);
    // What only some runs carry is named only where it is present.
    if (format.underlineStyle() > QTextCharFormat::SingleUnderline || format.hasProperty(RtfProperty::UnderlineKind))
        described += QStringLiteral(" ul=%1/%2").arg(format.underlineStyle()).arg(format.intProperty(RtfProperty::UnderlineKind));
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        described += QStringLiteral(" super");
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        described += QStringLiteral(" sub");
    if (format.baselineOffset() != 0)
        described += QStringLiteral(" raise=%1").arg(format.baselineOffset());
    if (format.hasProperty(QTextFormat::FontCapitalization))
        described += QStringLiteral(" caps=%1").arg(format.fontCapitalization());
    if (format.objectType() == RtfProperty::HiddenTextObject)
        described += QStringLiteral(" hidden=") + format.stringProperty(RtfProperty::HiddenText);
    if (format.isAnchor())
        described += QStringLiteral(" link=") + format.anchorHref();
    return described;
}

QString describe(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line = describe(block.blockFormat()) + u' ';
        if (const QTextList *list = block.textList()) {
            const QTextListFormat format = list->format();
            line += QStringLiteral("[list %1 %2/%3 start=%4 level=%5 item=%6] ")
                        .arg(format.style())
                        .arg(format.numberPrefix(), format.numberSuffix())
                        .arg(format.intProperty(RtfProperty::ListStart))
                        .arg(format.intProperty(RtfProperty::ListLevel))
                        .arg(list->itemNumber(block));
        }
        if (block.length() == 1)
            line += QStringLiteral("mark{") + describe(block.charFormat()) + u'}';
        QString previous;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QString format = describe(it.fragment().charFormat());
            if (format != previous)
                line += u'{' + format + u'}';
            line += it.fragment().text();
            previous = format;
        }
        lines.append(line);
    }
    return lines.join(u'\n');
}

} // namespace DocumentDump
