#include "support/DocumentDump.h"

#include "description/ListItemNumbers.h"
#include "description/RtfProperties.h"
#include "description/RtfRowFormat.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace {

QString brush(const QTextCharFormat &format, QTextFormat::Property property)
{
    const QBrush value = format.brushProperty(property);
    return format.hasProperty(property) && value.style() != Qt::NoBrush ? value.color().name() : QStringLiteral("auto");
}

// Tables show as their rows, cells separated by tabs.
QString frameText(QTextFrame::iterator it, QTextFrame::iterator end)
{
    QStringList paragraphs;
    for (; it != end; ++it) {
        if (const QTextTable *table = qobject_cast<QTextTable *>(it.currentFrame())) {
            for (int row = 0; row < table->rows(); ++row) {
                QStringList cells;
                for (int column = 0; column < table->columns(); ++column) {
                    const QTextTableCell cell = table->cellAt(row, column);
                    cells.append(frameText(cell.begin(), cell.end()));
                }
                paragraphs.append(cells.join(u'\t'));
            }
        } else if (it.currentBlock().isValid()) {
            paragraphs.append(it.currentBlock().text());
        }
    }
    return paragraphs.join(u'\n');
}

QString describeBlock(const QTextBlock &block)
{
    QString line = DocumentDump::describe(block.blockFormat()) + u' ';
    if (const QTextList *list = block.textList()) {
        const QTextListFormat format = list->format();
        line += QStringLiteral("[list %1 %2/%3 start=%4 level=%5 item=%6] ")
                    .arg(format.style())
                    .arg(format.numberPrefix(), format.numberSuffix())
                    .arg(format.intProperty(RtfProperty::ListStart))
                    .arg(format.intProperty(RtfProperty::ListLevel))
                    .arg(list->itemNumber(block));
        if (format.hasProperty(RtfProperty::ListName))
            line.insert(line.size() - 2, QStringLiteral(" name=") + format.stringProperty(RtfProperty::ListName));
        // The numbers of outer levels an item shows are the document's, not the list's.
        if (format.hasProperty(RtfProperty::ListOuterNumbers))
            line.insert(line.size() - 2, QStringLiteral(" shows=") + ListItemNumbers::text(block));
    }
    if (block.length() == 1)
        line += QStringLiteral("mark{") + DocumentDump::describe(block.charFormat()) + u'}';
    QString previous;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QString format = DocumentDump::describe(it.fragment().charFormat());
        if (format != previous)
            line += u'{' + format + u'}';
        line += it.fragment().text();
        previous = format;
    }
    return line;
}

QString colour(const QColor &colour)
{
    return colour.isValid() ? colour.name() : QStringLiteral("auto");
}

QString border(const RtfBorder &border)
{
    return border.isSet() ? QStringLiteral("%1:%2:%3")
                                .arg(QLatin1String(RtfBorder::styleWord(border.style)))
                                .arg(border.width)
                                .arg(colour(border.color))
                          : QStringLiteral("-");
}

// A row's height, borders and its cells' definitions, where it has any.
QString rowDefinition(const QTextTable &table, int row)
{
    const RtfRowFormat definition = RtfRowFormat::fromTable(table, row);
    QString line;
    if (definition.height != 0)
        line += QStringLiteral(" height=%1").arg(definition.height);
    QStringList rowBorders;
    for (const RtfBorder &side : definition.borders)
        rowBorders.append(border(side));
    if (rowBorders.join(QString()) != QString(rowBorders.size(), u'-'))
        line += QStringLiteral(" borders=") + rowBorders.join(u',');
    QStringList cells;
    bool plain = true;
    for (const RtfCellFormat &cell : definition.cells) {
        plain = plain && cell == RtfCellFormat();
        QStringList parts{QStringLiteral("merge=%1%2").arg(int(cell.horizontalMerge)).arg(int(cell.verticalMerge))};
        for (const RtfBorder &side : cell.borders)
            parts.append(border(side));
        parts.append(QStringLiteral("%1/%2/%3").arg(colour(cell.background), colour(cell.pattern)).arg(cell.shading));
        parts.append(QStringLiteral("align=%1").arg(int(cell.alignment)));
        cells.append(parts.join(u' '));
    }
    if (!plain)
        line += QStringLiteral(" cells=") + cells.join(u'|');
    return line;
}

QStringList describeFrame(QTextFrame::iterator it, QTextFrame::iterator end)
{
    QStringList lines;
    for (; it != end; ++it) {
        if (const QTextTable *table = qobject_cast<QTextTable *>(it.currentFrame())) {
            const QTextTableFormat format = table->format();
            QStringList widths;
            for (const QTextLength &width : format.columnWidthConstraints())
                widths.append(QString::number(width.rawValue()));
            lines.append(QStringLiteral("table %1x%2 widths=%3 gap=%4 left=%5")
                             .arg(table->rows())
                             .arg(table->columns())
                             .arg(widths.join(u','))
                             .arg(format.intProperty(RtfProperty::RowGap))
                             .arg(format.intProperty(RtfProperty::RowLeft)));
            for (int row = 0; row < table->rows(); ++row) {
                if (const QString definition = rowDefinition(*table, row); !definition.isEmpty())
                    lines.append(QStringLiteral("row %1").arg(row) + definition);
                for (int column = 0; column < table->columns(); ++column) {
                    const QTextTableCell cell = table->cellAt(row, column);
                    if (cell.row() != row || cell.column() != column)
                        continue; // as the row's definition says
                    lines.append(QStringLiteral("cell %1,%2").arg(row).arg(column));
                    for (const QString &line : describeFrame(cell.begin(), cell.end()))
                        lines.append(QStringLiteral("  ") + line);
                }
            }
            lines.append(QStringLiteral("end table"));
        } else if (it.currentBlock().isValid()) {
            lines.append(describeBlock(it.currentBlock()));
        }
    }
    return lines;
}

} // namespace

namespace DocumentDump {

QString text(const QTextDocument &document)
{
    return frameText(document.rootFrame()->begin(), document.rootFrame()->end());
}

QString describe(const QTextBlockFormat &format)
{
    QStringList parts;
    if (format.layoutDirection() == Qt::RightToLeft)
        parts.append(QStringLiteral("rtl"));
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
    if (format.hasProperty(RtfProperty::TabLeaders))
        parts.append(QStringLiteral("leaders=") + QString::fromLatin1(format.property(RtfProperty::TabLeaders).toByteArray().toHex()));
    QStringList bars;
    for (int bar : format.property(RtfProperty::BarTabs).value<QList<int>>())
        bars.append(QString::number(bar));
    if (!bars.isEmpty())
        parts.append(QStringLiteral("bars=") + bars.join(u','));
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
    if (format.boolProperty(RtfProperty::RightToLeftRun))
        described += QStringLiteral(" rtl");
    if (format.hasProperty(RtfProperty::Language))
        described += QStringLiteral(" lang=%1").arg(format.intProperty(RtfProperty::Language));
    if (format.objectType() == RtfProperty::HiddenTextObject)
        described += QStringLiteral(" hidden=") + format.stringProperty(RtfProperty::HiddenText);
    if (format.isImageFormat()) {
        const QTextImageFormat image = format.toImageFormat();
        described += QStringLiteral(" picture=%1 %2x%3 bytes=%4")
                         .arg(QString::fromLatin1(image.property(RtfProperty::PictureType).toByteArray()))
                         .arg(image.width())
                         .arg(image.height())
                         .arg(QString::fromLatin1(image.property(RtfProperty::PictureData).toByteArray().toHex()));
    }
    if (format.isAnchor())
        described += QStringLiteral(" link=") + format.anchorHref();
    return described;
}

QString describe(const QTextDocument &document)
{
    return describeFrame(document.rootFrame()->begin(), document.rootFrame()->end()).join(u'\n');
}

} // namespace DocumentDump
