#include "description/RtfWriter.h"

#include "description/CodePageDecoder.h"
#include "description/HyperlinkField.h"
#include "description/ListItemNumbers.h"
#include "description/RtfPicture.h"
#include "description/RtfProperties.h"
#include "description/RtfWordPairs.h"
#include "description/RtfWords.h"
#include "description/Twips.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <tuple>

namespace {

constexpr char lineEnd[] = "\r\n";

// Anything \uN cannot stand for is written as U+FFFD, as the reader would read it.
constexpr char16_t replacementCharacter = QChar::ReplacementCharacter;

void appendNumber(QByteArray &out, int value) { out.append(QByteArray::number(value)); }

// \word; {\word and {\*\word open a group of it, the latter one a reader may skip.
void appendWord(QByteArray &out, const char *word) { out.append('\\').append(word); }

void appendGroup(QByteArray &out, const char *word) { appendWord(out.append('{'), word); }

void appendSkippableGroup(QByteArray &out, const char *word) { appendWord(out.append("{\\*"), word); }

void appendHexByte(QByteArray &out, int byte)
{
    static constexpr char digits[] = "0123456789abcdef";
    out.append("\\'").append(digits[(byte >> 4) & 0xF]).append(digits[byte & 0xF]);
}

// How rich-edit controls write each kind of bullet: the glyph's byte in a font of symbols.
struct BulletGlyph {
    const char *family;
    int charset;
    const char *byte; // as the control writes it inside \pn and \pntext
};

BulletGlyph bulletGlyph(RtfListFormat::Kind kind)
{
    switch (kind) {
    case RtfListFormat::Kind::Circle: return {"Courier New", 0, "o"};
    case RtfListFormat::Kind::Square: return {"Wingdings", 2, "\\'A7"};
    default: return {"Symbol", 2, "\\'B7"};
    }
}

// A list table level's text names a symbol font's glyph as word processors do: at U+F000 on.
char16_t bulletCharacter(RtfListFormat::Kind kind)
{
    switch (kind) {
    case RtfListFormat::Kind::Circle: return u'o';
    case RtfListFormat::Kind::Square: return 0xF0A7;
    default: return 0xF0B7;
    }
}

int levelNumberFormat(RtfListFormat::Kind kind)
{
    for (const auto &[format, pairedKind] : RtfWordPairs::levelNumberFormats) {
        if (pairedKind == kind)
            return format;
    }
    return 23; // a bullet of a kind of its own
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument &document, int untaggedLanguage)
{
    return RtfWriter(document, untaggedLanguage).result();
}

RtfWriter::RtfWriter(const QTextDocument &document, int untaggedLanguage)
    : document_(document)
    , defaultFont_(document.defaultFont())
    , defaultLanguage_(document.rootFrame()->frameFormat().hasProperty(RtfProperty::DefaultLanguage)
                           ? document.rootFrame()->frameFormat().intProperty(RtfProperty::DefaultLanguage)
                           : untaggedLanguage)
    , farEastLanguage_(document.rootFrame()->frameFormat().intProperty(RtfProperty::DefaultFarEastLanguage))
    , formats_(document.allFormats())
{
    // Before the first run nothing is known but what RTF itself defaults to: no effects and
    // automatic colours. Family and size are always written with the first run.
    written_.halfPoints = 0;
}

QByteArray RtfWriter::result()
{
    collectTables();
    // Until a font is named, readers take text as the first font's, \deff0.
    if (!fonts_.isEmpty())
        written_.charset = fonts_.first().second;
    writeBody();
    QByteArray out;
    out.reserve(body_.size() + 512);
    writeHeader(out);
    out.append(body_);
    // Rich-edit controls end their output with the closing brace, a line end and a NUL.
    out.append('}').append(lineEnd).append('\0');
    return out;
}

void RtfWriter::collectTables()
{
    visitFrame(document_.rootFrame()->begin(), document_.rootFrame()->end(), 0, RtfWord::par, &RtfWriter::collectBlock);
}

void RtfWriter::collectBlock(const QTextBlock &block, int, const char *)
{
    forEachRun(block, [this](const RtfCharacterFormat &character, QStringView, const QTextCharFormat *) {
        addFont(character.family, character.charset);
        addColor(character.foreground);
        addColor(character.background);
    });
    if (const QTextList *list = block.textList()) {
        lists_.add(block);
        const RtfListFormat format = RtfListFormat::fromListFormat(list->format());
        if (format.isList() && !format.isNumbered()) {
            const BulletGlyph glyph = bulletGlyph(format.kind);
            addFont(QLatin1String(glyph.family), glyph.charset);
        }
    }
}

void RtfWriter::writeHeader(QByteArray &out)
{
    appendGroup(out, RtfWord::rtf);
    appendNumber(out, 1);
    appendWord(out, RtfWord::ansi);
    appendWord(out, RtfWord::ansicpg);
    appendNumber(out, CodePageDecoder::windows1252);
    appendWord(out, RtfWord::deff);
    appendNumber(out, 0);
    appendWord(out, RtfWord::nouicompat);
    appendWord(out, RtfWord::deflang);
    appendNumber(out, defaultLanguage_);
    if (farEastLanguage_ != 0) {
        appendWord(out, RtfWord::deflangfe);
        appendNumber(out, farEastLanguage_);
    }
    appendGroup(out, RtfWord::fonttbl);
    for (int i = 0; i < fonts_.size(); ++i) {
        appendGroup(out, RtfWord::f);
        appendNumber(out, i);
        const auto &[family, charset] = fonts_.at(i);
        appendWord(out, RtfWord::fnil);
        appendWord(out, RtfWord::fcharset);
        appendNumber(out, charset);
        out.append(' ');
        // A name is written in its own character set, as rich-edit controls write it.
        for (qsizetype c = 0; c < family.size(); ++c) {
            const bool pair = family.at(c).isHighSurrogate() && c + 1 < family.size() &&
                family.at(c + 1).isLowSurrogate();
            // Half a pair is written as the reader reads it in text: U+FFFD.
            QStringView character = QStringView(family).sliced(c, pair ? 2 : 1);
            if (!pair && character.front().isSurrogate())
                character = QStringView(&replacementCharacter, 1);
            c += pair ? 1 : 0;
            if (character.front() == u'\\' || character.front() == u'{' || character.front() == u'}')
                out.append('\\').append(char(character.front().unicode()));
            else if (character.front().unicode() >= 0x20 && character.front().unicode() < 0x7F)
                out.append(char(character.front().unicode()));
            else
                writeEncoded(out, character, charset);
        }
        out.append(";}");
    }
    out.append('}').append(lineEnd);
    if (!colors_.isEmpty()) {
        // The empty first entry is the automatic colour, which \cf0 and \highlight0 select.
        appendGroup(out, RtfWord::colortbl);
        out.append(" ;");
        for (QRgb rgb : colors_) {
            const std::pair<const char *, int> components[] = {
                {RtfWord::red, qRed(rgb)}, {RtfWord::green, qGreen(rgb)}, {RtfWord::blue, qBlue(rgb)}};
            for (const auto &[word, component] : components) {
                appendWord(out, word);
                appendNumber(out, component);
            }
            out.append(';');
        }
        out.append('}').append(lineEnd);
    }
    out.append(listTable_);
    appendSkippableGroup(out, RtfWord::generator);
    out.append(" Z-CD editor;}");
    appendWord(out, RtfWord::viewkind);
    appendNumber(out, 4);
    appendWord(out, RtfWord::uc);
    appendNumber(out, 1);
    out.append(' ').append(lineEnd);
}

void RtfWriter::writeBody()
{
    writeListTable();
    listTable_ = std::exchange(body_, QByteArray());
    visitFrame(document_.rootFrame()->begin(), document_.rootFrame()->end(), 0, RtfWord::par, &RtfWriter::writeBlock);
}

// Qt keeps a paragraph before a table that opens a document or a cell; the reader makes it
// again, so it is not written. The one between two tables is: without it the rows of both
// would read as one table.
void RtfWriter::visitFrame(QTextFrame::iterator it, QTextFrame::iterator end, int depth, const char *lastEnd,
                           BlockVisit visit)
{
    std::vector<QTextFrame::iterator> items;
    for (; it != end; ++it)
        items.push_back(it);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (QTextTable *table = qobject_cast<QTextTable *>(items[i].currentFrame())) {
            visitTable(*table, depth + 1, visit);
            continue;
        }
        const QTextBlock block = items[i].currentBlock();
        if (!block.isValid())
            continue;
        const bool beforeTable = i + 1 < items.size() && qobject_cast<QTextTable *>(items[i + 1].currentFrame());
        if (block.length() == 1 && beforeTable && i == 0)
            continue;
        (this->*visit)(block, depth, i + 1 == items.size() ? lastEnd : RtfWord::par);
    }
}

// Cells a span covers are written as empty cells of their own, which the row's definition
// merges with the cell before them or above them.
void RtfWriter::visitTable(const QTextTable &table, int depth, BlockVisit visit)
{
    const bool writing = visit == &RtfWriter::writeBlock;
    for (int r = 0; r < table.rows(); ++r) {
        const RtfRowFormat row = RtfRowFormat::fromTable(table, r);
        if (!writing)
            collectRowColors(row);
        if (depth == 1 && writing)
            writeRowFormat(row);
        for (int c = 0; c < table.columns(); ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            const char *end = depth == 1 ? RtfWord::cell : RtfWord::nestcell;
            if (cell.row() == r && cell.column() == c) {
                visitFrame(cell.begin(), cell.end(), depth, end, visit);
            } else if (writing) {
                writeControlWord(RtfWord::pard);
                writeControlWord(RtfWord::intbl);
                if (depth > 1)
                    writeControlWord(RtfWord::itap, depth);
                writeControlWord(end);
                writtenParagraph_.reset();
            }
        }
        if (!writing)
            continue;
        if (depth == 1) {
            writeControlWord(RtfWord::row);
        } else {
            // Nested rows carry their definition at their end, as word processors write them.
            appendSkippableGroup(body_, RtfWord::nesttableprops);
            writeRowFormat(row);
            writeControlWord(RtfWord::nestrow);
            appendGroup(body_.append('}'), RtfWord::nonesttables);
            appendWord(body_, RtfWord::par);
            body_.append('}');
            delimiterPending_ = false;
        }
        body_.append(lineEnd);
        delimiterPending_ = false;
    }
}

void RtfWriter::collectRowColors(const RtfRowFormat &row)
{
    for (const RtfBorder &border : row.borders)
        addColor(border.color);
    for (const RtfCellFormat &cell : row.cells) {
        for (const RtfBorder &border : cell.borders)
            addColor(border.color);
        addColor(cell.background);
        addColor(cell.pattern);
    }
}

void RtfWriter::writeRowFormat(const RtfRowFormat &row)
{
    writeControlWord(RtfWord::trowd);
    writeControlWord(RtfWord::trgaph, row.gap);
    writeControlWord(RtfWord::trleft, row.left);
    if (row.height != 0)
        writeControlWord(RtfWord::trrh, row.height);
    static const char *const rowSides[] = {RtfWord::trbrdrt, RtfWord::trbrdrl, RtfWord::trbrdrb,
                                           RtfWord::trbrdrr, RtfWord::trbrdrh, RtfWord::trbrdrv};
    for (int side = 0; side < RtfBorder::rowSides; ++side)
        writeBorder(rowSides[side], row.borders[side]);
    for (qsizetype cell = 0; cell < row.cellRights.size(); ++cell) {
        writeCellFormat(row.cells.value(cell));
        writeControlWord(RtfWord::cellx, row.cellRights.at(cell));
    }
    // The paragraphs of the row start afresh, as rich-edit controls write them.
    writtenParagraph_.reset();
}

void RtfWriter::writeCellFormat(const RtfCellFormat &cell)
{
    using Merge = RtfCellFormat::Merge;
    const std::tuple<Merge, const char *, const char *> merges[] = {
        {cell.horizontalMerge, RtfWord::clmgf, RtfWord::clmrg},
        {cell.verticalMerge, RtfWord::clvmgf, RtfWord::clvmrg},
    };
    for (const auto &[merge, first, continued] : merges) {
        if (merge != Merge::None)
            writeControlWord(merge == Merge::First ? first : continued);
    }
    static const char *const sides[] = {RtfWord::clbrdrt, RtfWord::clbrdrl, RtfWord::clbrdrb, RtfWord::clbrdrr};
    for (int side = 0; side < RtfBorder::cellSides; ++side)
        writeBorder(sides[side], cell.borders[side]);
    if (cell.background.isValid())
        writeControlWord(RtfWord::clcbpat, colorIndex(cell.background));
    if (cell.pattern.isValid())
        writeControlWord(RtfWord::clcfpat, colorIndex(cell.pattern));
    if (cell.shading != 0)
        writeControlWord(RtfWord::clshdng, cell.shading);
    if (cell.alignment != RtfCellFormat::Alignment::Top)
        writeControlWord(cell.alignment == RtfCellFormat::Alignment::Center ? RtfWord::clvertalc : RtfWord::clvertalb);
}

void RtfWriter::writeBorder(const char *side, const RtfBorder &border)
{
    if (!border.isSet())
        return;
    writeControlWord(side);
    writeControlWord(RtfBorder::styleWord(border.style));
    if (border.width != 0)
        writeControlWord(RtfWord::brdrw, border.width);
    if (border.color.isValid())
        writeControlWord(RtfWord::brdrcf, colorIndex(border.color));
}

void RtfWriter::writeBlock(const QTextBlock &block, int depth, const char *end)
{
    RtfParagraphFormat paragraph = RtfParagraphFormat::fromBlockFormat(block.blockFormat());
    paragraph.tableDepth = depth;
    const QTextList *list = block.textList();
    // Qt indents lists and blocks by levels besides their margins; RTF knows margins only.
    int levels = block.blockFormat().indent();
    if (list) {
        paragraph.list = RtfListFormat::fromListFormat(list->format());
        paragraph.list.listId = lists_.number(list);
        levels += list->format().indent();
    }
    if (levels > 0)
        paragraph.leftIndent = clampTwips(paragraph.leftIndent +
                                          qint64(unitsToTwips(levels * document_.indentWidth())));
    // As rich-edit controls do, paragraph properties are written only where they change,
    // and every list item starts with its number as text for readers without lists.
    const bool changed = !writtenParagraph_ || paragraph != *writtenParagraph_;
    if (changed) {
        writeControlWord(RtfWord::pard);
        if (paragraph.tableDepth > 0)
            writeControlWord(RtfWord::intbl);
        if (paragraph.tableDepth > 1)
            writeControlWord(RtfWord::itap, paragraph.tableDepth);
    }
    const int item = paragraph.list.isList() ? list->itemNumber(block) : 0;
    const QString number = ListItemNumbers::text(block);
    if (paragraph.list.isList())
        writeListText(paragraph.list, number, block);
    if (changed) {
        // Rich-edit lists have no levels: the numbers of outer levels are text before the number.
        const QString before = number.first(
            qMax(qsizetype(0), number.size() - paragraph.list.numberText(item).size() - paragraph.list.suffix.size()));
        writeParagraphFormat(paragraph, numberFont(block), paragraph.list.start + item, before);
        writtenParagraph_ = paragraph;
    }
    forEachRun(block, [this](const RtfCharacterFormat &character, QStringView text, const QTextCharFormat *picture) {
        // A paragraph mark is no link text.
        writeLink(text.isEmpty() && !picture ? QString() : character.link);
        writeCharacterFormat(character);
        if (picture)
            writePicture(RtfPicture::fromImageFormat(picture->toImageFormat(), document_));
        else
            writeText(text);
    });
    writeLink(QString());
    // Every paragraph ends with \par, the last one too; the reader drops that last mark. The
    // last paragraph of a cell ends with the cell.
    writeControlWord(end);
    if (qstrcmp(end, RtfWord::par) == 0) {
        body_.append(lineEnd);
        delimiterPending_ = false;
    }
}

// A list's numbers are in the font of the paragraph's first text, as rich-edit controls show them.
int RtfWriter::numberFont(const QTextBlock &block)
{
    const QTextBlock::iterator first = block.begin();
    const RtfCharacterFormat &format = characterFormat(first.atEnd() ? block.charFormatIndex()
                                                                     : first.fragment().charFormatIndex());
    return fontIndex(format.family, format.charset);
}

void RtfWriter::writeListText(const RtfListFormat &list, const QString &number, const QTextBlock &block)
{
    appendGroup(body_, RtfWord::pntext);
    if (list.isNumbered()) {
        writeControlWord(RtfWord::f, numberFont(block));
        writeText(number);
    } else {
        const BulletGlyph glyph = bulletGlyph(list.kind);
        writeControlWord(RtfWord::f, bulletFont(list.kind));
        body_.append(glyph.byte);
        delimiterPending_ = false;
    }
    writeControlWord(RtfWord::tab);
    body_.append('}');
    delimiterPending_ = false;
}

// The \pn group rich-edit controls write where a list's paragraph format begins. Their numbers
// start again after other paragraphs, so each row of items says where its numbers start.
void RtfWriter::writeListDefinition(const RtfListFormat &list, int numberFont, int firstNumber,
                                    const QString &beforeNumber)
{
    appendSkippableGroup(body_, RtfWord::pn);
    if (list.isNumbered()) {
        writeControlWord(list.level > 1 ? RtfWord::pnlvl : RtfWord::pnlvlbody);
        if (list.level > 1)
            appendNumber(body_, list.level);
        writeControlWord(RtfWord::pnf, numberFont);
        writeControlWord(RtfWord::pnindent, 0);
        writeControlWord(RtfWord::pnstart, firstNumber);
        const char *kind = RtfWordPairs::wordOf(RtfWordPairs::numberKinds, list.kind);
        writeControlWord(kind ? kind : RtfWord::pndec);
        const std::pair<const char *, QString> affixes[] = {{RtfWord::pntxtb, beforeNumber},
                                                            {RtfWord::pntxta, list.suffix}};
        for (const auto &[word, text] : affixes) {
            if (text.isEmpty())
                continue;
            body_.append("{\\").append(word);
            delimiterPending_ = true;
            writeText(text);
            body_.append('}');
        }
    } else {
        const BulletGlyph glyph = bulletGlyph(list.kind);
        writeControlWord(RtfWord::pnlvlblt);
        writeControlWord(RtfWord::pnf, bulletFont(list.kind));
        writeControlWord(RtfWord::pnindent, 0);
        appendGroup(body_, RtfWord::pntxtb);
        body_.append(glyph.byte[0] == '\\' ? "" : " ").append(glyph.byte).append('}');
    }
    body_.append('}');
    delimiterPending_ = false;
}

// Word processors read lists from the list table, which holds a list's levels and where its
// numbers start; rich-edit controls skip it and read the \pn of the paragraphs.
void RtfWriter::writeListTable()
{
    if (lists_.entries().empty())
        return;
    appendSkippableGroup(body_, RtfWord::listtable);
    int number = 0;
    for (const RtfDocumentLists::Entry &entry : lists_.entries()) {
        appendGroup(body_, RtfWord::list);
        appendWord(body_, RtfWord::listtemplateid);
        appendNumber(body_, ++number);
        if (entry.levels.size() == 1)
            writeControlWord(RtfWord::listsimple, 1);
        for (qsizetype level = 0; level < entry.levels.size(); ++level)
            writeListLevel(entry.levels.at(level), int(level));
        // The levels of a list read from a file share its name.
        appendGroup(body_, RtfWord::listname);
        body_.append(' ');
        delimiterPending_ = false;
        for (const RtfListFormat &level : entry.levels) {
            if (!level.name.isEmpty()) {
                writeText(level.name);
                break;
            }
        }
        body_.append(";}");
        writeControlWord(RtfWord::listid, number);
        body_.append('}');
    }
    appendSkippableGroup(body_.append('}').append(lineEnd), RtfWord::listoverridetable);
    for (number = 1; number <= int(lists_.entries().size()); ++number) {
        appendGroup(body_, RtfWord::listoverride);
        writeControlWord(RtfWord::listid, number);
        writeControlWord(RtfWord::listoverridecount, 0);
        writeControlWord(RtfWord::ls, number);
        body_.append('}');
    }
    body_.append('}').append(lineEnd);
    delimiterPending_ = false;
}

// A level's text is its length, then what comes before the number, the placeholders of the outer
// levels' numbers it shows with the text between them, the number's placeholder (the level's
// index) and what comes after; a bullet level's is the bullet. The level numbers say where in
// the text the placeholders stand.
void RtfWriter::writeListLevel(const RtfListFormat &level, int index)
{
    // A level no paragraph uses is numbered as word processors number it by default.
    RtfListFormat format = level;
    if (!format.isList()) {
        format.kind = RtfListFormat::Kind::Decimal;
        format.suffix = QStringLiteral(".");
    }
    appendGroup(body_, RtfWord::listlevel);
    writeControlWord(RtfWord::levelnfc, levelNumberFormat(format.kind));
    writeControlWord(RtfWord::levelnfcn, levelNumberFormat(format.kind));
    writeControlWord(RtfWord::leveljc, 0);
    writeControlWord(RtfWord::leveljcn, 0);
    writeControlWord(RtfWord::levelfollow, 0);
    writeControlWord(RtfWord::levelstartat, format.start);
    appendGroup(body_, RtfWord::leveltext);
    if (format.isNumbered()) {
        const QString text = format.prefix + format.outerNumbers + QChar(char16_t(index)) + format.suffix;
        writeHexByte(int(text.size()));
        QByteArray placeholders;
        qsizetype written = 0;
        for (qsizetype at = 0; at < text.size(); ++at) {
            if (text[at].unicode() >= 9)
                continue;
            writeText(QStringView(text).sliced(written, at - written));
            writeHexByte(text[at].unicode());
            placeholders.append(char(at + 1));
            written = at + 1;
        }
        writeText(QStringView(text).sliced(written));
        appendGroup(body_.append(";}"), RtfWord::levelnumbers);
        for (const char position : placeholders)
            writeHexByte(static_cast<unsigned char>(position));
        body_.append(";}");
    } else {
        writeHexByte(1);
        writeCharacter(bulletCharacter(format.kind));
        appendGroup(body_.append(";}"), RtfWord::levelnumbers);
        body_.append(";}");
        writeControlWord(RtfWord::f, bulletFont(format.kind));
    }
    writeControlWord(RtfWord::fi, -360);
    writeControlWord(RtfWord::li, 720 * (index + 1));
    writeControlWord(RtfWord::lin, 720 * (index + 1));
    body_.append('}');
    delimiterPending_ = false;
}

void RtfWriter::writeParagraphFormat(const RtfParagraphFormat &paragraph, int numberFont, int firstNumber,
                                     const QString &beforeNumber)
{
    if (paragraph.list.isList())
        writeListDefinition(paragraph.list, numberFont, firstNumber, beforeNumber);
    if (paragraph.rightToLeft)
        writeControlWord(RtfWord::rtlpar);
    const std::pair<const char *, int> lengths[] = {
        {RtfWord::fi, paragraph.firstLineIndent}, {RtfWord::li, paragraph.leftIndent},
        {RtfWord::ri, paragraph.rightIndent},     {RtfWord::sb, paragraph.spaceBefore},
        {RtfWord::sa, paragraph.spaceAfter},
    };
    for (const auto &[word, twips] : lengths) {
        if (twips != 0)
            writeControlWord(word, twips);
    }
    if (paragraph.lineSpacing != 0) {
        writeControlWord(RtfWord::sl, paragraph.lineSpacing);
        writeControlWord(RtfWord::slmult, paragraph.lineSpacingMultiple ? 1 : 0);
    }
    for (const RtfParagraphFormat::TabStop &stop : paragraph.tabStops) {
        if (stop.kind == RtfParagraphFormat::TabStop::Kind::Bar) {
            writeControlWord(RtfWord::tb, stop.position);
            continue;
        }
        if (const char *kind = RtfWordPairs::wordOf(RtfWordPairs::tabKinds, stop.kind))
            writeControlWord(kind);
        if (const char *leader = RtfWordPairs::wordOf(RtfWordPairs::tabLeaders, stop.leader))
            writeControlWord(leader);
        writeControlWord(RtfWord::tx, stop.position);
    }
    // Rich-edit controls never write \ql: left is what \pard sets.
    if (const char *alignment = RtfWordPairs::wordOf(RtfWordPairs::alignments, paragraph.alignment))
        writeControlWord(alignment);
    if (paragraph.list.isList()) {
        writeControlWord(RtfWord::ls, paragraph.list.listId);
        if (paragraph.list.level > 1)
            writeControlWord(RtfWord::ilvl, paragraph.list.level - 1);
    }
}

void RtfWriter::writeCharacterFormat(const RtfCharacterFormat &character)
{
    if (character.foreground != written_.foreground)
        writeControlWord(RtfWord::cf, colorIndex(character.foreground));
    if (character.background != written_.background)
        writeControlWord(RtfWord::highlight, colorIndex(character.background));
    using Capitals = RtfCharacterFormat::Capitals;
    // An underline kind is switched by its own word; \ulnone ends any of them.
    const char *const underline = RtfCharacterFormat::underlineWord(character.underline);
    // An effect is switched off by its word with 0, a direction by the other direction's word.
    constexpr int byOwnWord = -1;
    const std::tuple<bool, bool, const char *, const char *, int> effects[] = {
        {character.bold, written_.bold, RtfWord::b, RtfWord::b, 0},
        {character.italic, written_.italic, RtfWord::i, RtfWord::i, 0},
        {character.underline != written_.underline, false, underline, underline, byOwnWord},
        {character.strikeOut, written_.strikeOut, RtfWord::strike, RtfWord::strike, 0},
        {character.capitals == Capitals::All, written_.capitals == Capitals::All, RtfWord::caps, RtfWord::caps, 0},
        {character.capitals == Capitals::Small, written_.capitals == Capitals::Small, RtfWord::scaps, RtfWord::scaps,
         0},
        {character.hidden, written_.hidden, RtfWord::v, RtfWord::v, 0},
        {character.rightToLeft, written_.rightToLeft, RtfWord::rtlch, RtfWord::ltrch, byOwnWord},
    };
    for (const auto &[wanted, current, on, off, offParameter] : effects) {
        if (wanted == current)
            continue;
        if (wanted || offParameter == byOwnWord)
            writeControlWord(wanted ? on : off);
        else
            writeControlWord(off, offParameter);
    }
    // Word processors hold \super and \sub apart from \up and \dn, and add the two: what is
    // no longer wanted is switched off first.
    using Position = RtfCharacterFormat::Position;
    if (character.position != written_.position && character.position == Position::Normal)
        writeControlWord(RtfWord::nosupersub);
    if (character.raise != written_.raise && character.raise == 0)
        writeControlWord(RtfWord::up, 0);
    if (character.position != written_.position && character.position != Position::Normal)
        writeControlWord(character.position == Position::Superscript ? RtfWord::super : RtfWord::sub);
    if (character.raise != written_.raise && character.raise != 0)
        writeControlWord(character.raise > 0 ? RtfWord::up : RtfWord::dn, qAbs(character.raise));
    if (character.family != written_.family || character.charset != written_.charset)
        writeControlWord(RtfWord::f, fontIndex(character.family, character.charset));
    if (character.halfPoints != written_.halfPoints)
        writeControlWord(RtfWord::fs, character.halfPoints);
    if (character.language != written_.language)
        writeControlWord(RtfWord::lang, character.language != 0 ? character.language : defaultLanguage_);
    written_ = character;
}

// Links are fields, as rich-edit controls write them; the shown text's formats are deltas
// inside the field, which end with it.
void RtfWriter::writeLink(const QString &target)
{
    if (target == openLink_)
        return;
    if (!openLink_.isEmpty()) {
        body_.append("}}}");
        written_ = formatBeforeLink_;
        delimiterPending_ = false;
    }
    openLink_ = target;
    if (target.isEmpty())
        return;
    appendGroup(body_, RtfWord::field);
    appendSkippableGroup(body_, RtfWord::fldinst);
    body_.append('{');
    delimiterPending_ = false;
    writeText(HyperlinkField::instruction(target));
    appendGroup(body_.append("}}"), RtfWord::fldrslt);
    body_.append('{');
    delimiterPending_ = false;
    formatBeforeLink_ = written_;
}

// As rich-edit controls write pictures: the sizes, then the data in lines of hexadecimal.
void RtfWriter::writePicture(const RtfPicture &picture)
{
    if (picture.data.isEmpty() || picture.type.isEmpty())
        return;
    appendGroup(body_, RtfWord::pict);
    writeControlWord(picture.type.constData());
    const std::pair<const char *, int> sizes[] = {
        {RtfWord::picw, picture.width},         {RtfWord::pich, picture.height},
        {RtfWord::picwgoal, picture.goalWidth}, {RtfWord::pichgoal, picture.goalHeight},
        {RtfWord::picscalex, picture.scaleX},   {RtfWord::picscaley, picture.scaleY},
        {RtfWord::piccropl, picture.cropLeft},  {RtfWord::piccropr, picture.cropRight},
        {RtfWord::piccropt, picture.cropTop},   {RtfWord::piccropb, picture.cropBottom},
    };
    for (const auto &[word, value] : sizes) {
        if (value != 0 && !(value == 100 && word[3] == 's'))
            writeControlWord(word, value);
    }
    constexpr qsizetype bytesPerLine = 64;
    for (qsizetype at = 0; at < picture.data.size(); at += bytesPerLine)
        body_.append(lineEnd).append(picture.data.mid(at, bytesPerLine).toHex());
    body_.append('}');
    delimiterPending_ = false;
}

void RtfWriter::writeText(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            // Characters beyond the basic plane are two \u, one for each half of the pair.
            writeControlWord(RtfWord::u, qint16(c));
            body_.append('?');
            writeControlWord(RtfWord::u, qint16(text[++i].unicode()));
            body_.append('?');
            delimiterPending_ = false;
            continue;
        }
        writeCharacter(QChar::isSurrogate(c) ? replacementCharacter : c);
    }
}

void RtfWriter::writeCharacter(char16_t c)
{
    switch (c) {
    case u'\\': return writeControlSymbol("\\\\");
    case u'{': return writeControlSymbol("\\{");
    case u'}': return writeControlSymbol("\\}");
    case u'\t': return writeControlWord(RtfWord::tab);
    case QChar::LineSeparator: return writeControlWord(RtfWord::line);
    case QChar::Nbsp: return writeControlSymbol("\\~");
    case QChar::SoftHyphen: return writeControlSymbol("\\-");
    case 0x2011: // non-breaking hyphen
        return writeControlSymbol("\\_");
    case QChar::ObjectReplacementCharacter: return;
    default: break;
    }
    if (c >= 0x20 && c < 0x7F) {
        if (delimiterPending_)
            body_.append(' ');
        delimiterPending_ = false;
        body_.append(char(c));
        return;
    }
    writeEncoded(body_, QStringView(&c, 1), written_.charset);
    delimiterPending_ = false;
}

void RtfWriter::writeEncoded(QByteArray &out, QStringView character, int charset)
{
    const QByteArray bytes = encoder_.encode(CodePageDecoder::codePageForCharset(charset, CodePageDecoder::windows1252),
                                             character);
    for (const char byte : bytes)
        appendHexByte(out, static_cast<unsigned char>(byte));
    if (!bytes.isEmpty())
        return;
    for (const QChar unit : character) {
        appendWord(out, RtfWord::u);
        out.append(QByteArray::number(qint16(unit.unicode()))).append('?');
    }
}

void RtfWriter::writeControlWord(const char *word)
{
    body_.append('\\').append(word);
    delimiterPending_ = true;
}

void RtfWriter::writeControlWord(const char *word, int parameter)
{
    writeControlWord(word);
    appendNumber(body_, parameter);
}

void RtfWriter::writeControlSymbol(const char *symbol)
{
    body_.append(symbol);
    delimiterPending_ = false;
}

void RtfWriter::writeHexByte(int byte)
{
    appendHexByte(body_, byte);
    delimiterPending_ = false;
}

template <typename Visit>
void RtfWriter::forEachRun(const QTextBlock &block, Visit visit)
{
    bool wroteText = false;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QString text = fragment.text();
        const RtfCharacterFormat &character = characterFormat(fragment.charFormatIndex());
        // Inline objects stand one a character: hidden text and pictures are written, embedded
        // objects of other kinds are not part of the descriptions we write.
        qsizetype start = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            if (i < text.size() && text[i] != QChar::ObjectReplacementCharacter)
                continue;
            if (i > start) {
                visit(character, QStringView(text).sliced(start, i - start), nullptr);
                wroteText = true;
            }
            start = i + 1;
            if (i == text.size())
                break;
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) {
                visit(character, QStringView(), &format);
                wroteText = true;
            } else if (character.hidden) {
                visit(character, format.stringProperty(RtfProperty::HiddenText), nullptr);
                wroteText = true;
            }
        }
    }
    // An empty paragraph still has a height, which its mark's format decides.
    if (!wroteText)
        visit(characterFormat(block.charFormatIndex()), QStringView(), nullptr);
}

const RtfCharacterFormat &RtfWriter::characterFormat(int formatIndex)
{
    auto found = characterFormats_.find(formatIndex);
    if (found == characterFormats_.end()) {
        const QTextCharFormat format = formats_.value(formatIndex).toCharFormat();
        RtfCharacterFormat character = RtfCharacterFormat::fromCharFormat(format, defaultFont_);
        // A run in the document's language is untagged, as the reader reads it back; a file may
        // name the language only after such runs.
        if (character.language == defaultLanguage_)
            character.language = 0;
        found = characterFormats_.insert(formatIndex, character);
    }
    return *found;
}

void RtfWriter::addFont(const QString &family, int charset)
{
    const Font font(family, charset);
    if (!fontIndexes_.contains(font)) {
        fontIndexes_.insert(font, int(fonts_.size()));
        fonts_.append(font);
    }
}

void RtfWriter::addColor(const QColor &color)
{
    if (color.isValid() && !colorIndexes_.contains(color.rgb())) {
        colors_.append(color.rgb());
        colorIndexes_.insert(color.rgb(), int(colors_.size()));
    }
}

int RtfWriter::fontIndex(const QString &family, int charset) const { return fontIndexes_.value(Font(family, charset)); }

int RtfWriter::bulletFont(RtfListFormat::Kind kind) const
{
    const BulletGlyph glyph = bulletGlyph(kind);
    return fontIndex(QLatin1String(glyph.family), glyph.charset);
}

int RtfWriter::colorIndex(const QColor &color) const { return color.isValid() ? colorIndexes_.value(color.rgb()) : 0; }
