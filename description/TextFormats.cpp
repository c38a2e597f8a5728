#include "description/TextFormats.h"

#include "description/Twips.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int standardStartIndentTwips = 160;
constexpr int standardFirstTabTwips = 1400;

QList<QTextOption::Tab> standardTabs(const QTextDocument &document)
{
    QList<QTextOption::Tab> tabs = document.firstBlock().blockFormat().tabPositions();
    if (tabs.isEmpty())
        tabs.append(QTextOption::Tab(0, QTextOption::LeftTab));
    tabs.first().position = twipsToUnits(standardFirstTabTwips);
    return tabs;
}

} // namespace

namespace TextFormats {

QTextCharFormat style(bool bold, bool italic)
{
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(false);
    format.setFontStrikeOut(false);
    return format;
}

QTextCharFormat size(int points)
{
    QTextCharFormat format;
    format.setFontPointSize(points);
    return format;
}

QTextCharFormat colour(const QColor &colour)
{
    QTextCharFormat format;
    format.setForeground(colour);
    return format;
}

void applyStandardLook(QTextDocument &document)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    QTextCharFormat face;
    face.setFontFamilies({QStringLiteral("Arial")});
    face.setBackground(QColor(255, 255, 255));
    cursor.mergeCharFormat(face);

    const QList<QTextOption::Tab> tabs = standardTabs(document);
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        // The start indent is where the first line begins; the other lines keep their offset
        // from it.
        format.setLeftMargin(twipsToUnits(standardStartIndentTwips) - format.textIndent());
        format.setTabPositions(tabs);
        format.clearProperty(QTextFormat::LineHeight);
        format.clearProperty(QTextFormat::LineHeightType);
        format.setTopMargin(0);
        format.setBottomMargin(0);
        QTextCursor blockCursor(block);
        blockCursor.setBlockFormat(format);
    }
    cursor.endEditBlock();
}

} // namespace TextFormats
