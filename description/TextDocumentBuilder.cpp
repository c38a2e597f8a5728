#include "description/TextDocumentBuilder.h"

#include "description/RtfProperties.h"
#include "description/TableGrid.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <utility>

namespace {

// Descriptions have tens of paragraphs; a file of nothing but paragraph marks must not turn
// into millions of blocks. Beyond the cap, paragraph marks become line breaks.
constexpr int maximumParagraphs = 100000;
// Rich-edit controls nest tables a few deep; a table per group of a hostile file must not be.
constexpr int maximumTableDepth = 8;
constexpr int maximumRows = 10000;
// A list has a few levels and restarts open at once; a file of thousands must not make every item search them.
constexpr std::size_t maximumOpenLists = 32;

// Characters QTextCursor::insertText would turn into block or frame boundaries, or read as an
// embedded object, must not come from text: the paragraph structure is the reader's to decide.
void neutralizeStructureCharacters(QString &text)
{
    for (QChar &c : text) {
        switch (c.unicode()) {
        case u'\n':
        case u'\r':
        case QChar::ParagraphSeparator: c = QChar::LineSeparator; break;
        case 0:
        case QChar::ObjectReplacementCharacter:
        case 0xFDD0: // QTextBeginningOfFrame
        case 0xFDD1: // QTextEndOfFrame
            c = QChar::ReplacementCharacter;
            break;
        default: break;
        }
    }
}

} // namespace

TextDocumentBuilder::TextDocumentBuilder(QTextDocument &document)
    : document_(document)
    , undoRedoWasEnabled_(document.isUndoRedoEnabled())
{
    // Loading replaces the content; it is not an edit to undo, and building without an undo
    // stack is much faster.
    document_.setUndoRedoEnabled(false);
    cursor_ = QTextCursor(&document_);
    // Inside an edit block the cursor does not lay out the paragraph after every insertion,
    // which would make long paragraphs quadratic. Clearing inside the block too makes the whole
    // load one replacement of the content, which a shown document lays out lazily: its start at
    // once, the rest in later turns of the event loop.
    cursor_.beginEditBlock();
    document_.clear();
}

TextDocumentBuilder::~TextDocumentBuilder()
{
    if (!paused_)
        cursor_.endEditBlock();
    document_.setUndoRedoEnabled(undoRedoWasEnabled_);
}

bool TextDocumentBuilder::isFull() const { return paragraphs_ >= maximumParagraphs; }

void TextDocumentBuilder::pause()
{
    if (!std::exchange(paused_, true))
        cursor_.endEditBlock();
}

void TextDocumentBuilder::resume()
{
    if (std::exchange(paused_, false))
        cursor_.beginEditBlock();
}

void TextDocumentBuilder::appendText(QString text, const QTextCharFormat &format)
{
    if (text.isEmpty())
        return;
    openPendingParagraph();
    if (inListText_ && listTextStart_ < 0)
        listTextStart_ = cursor_.position();
    neutralizeStructureCharacters(text);
    cursor_.insertText(text, format);
}

void TextDocumentBuilder::beginListText() { inListText_ = true; }

void TextDocumentBuilder::endListText()
{
    inListText_ = false;
    if (listTextStart_ >= 0)
        listTextEnd_ = cursor_.position();
}

void TextDocumentBuilder::appendHiddenText(const QString &text, QTextCharFormat format)
{
    openPendingParagraph();
    format.setProperty(RtfProperty::HiddenText, text);
    cursor_.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

void TextDocumentBuilder::appendPicture(const RtfPicture &picture, QTextCharFormat format)
{
    openPendingParagraph();
    format.merge(picture.toImageFormat(document_));
    cursor_.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

void TextDocumentBuilder::endParagraph(const QTextBlockFormat &format, const QTextCharFormat &markFormat,
                                       const RtfListFormat &list)
{
    openPendingParagraph();
    setParagraphFormat(format, markFormat, list);
    paragraphEnded_ = true;
}

void TextDocumentBuilder::finish(const QTextBlockFormat &format, const QTextCharFormat &markFormat,
                                 const RtfListFormat &list)
{
    // Data that ends in a table still leaves the paragraph Qt keeps after it, which shows.
    if (!tables_.empty()) {
        setTableDepth(0, RtfRowFormat());
        setParagraphFormat(format, markFormat, RtfListFormat());
        return;
    }
    if (!paragraphEnded_)
        setParagraphFormat(format, markFormat, list);
}

void TextDocumentBuilder::setDefaultLanguages(int language, int farEastLanguage)
{
    QTextFrameFormat format = document_.rootFrame()->frameFormat();
    for (const auto &[property, value] : {std::pair(int(RtfProperty::DefaultLanguage), language),
                                          std::pair(int(RtfProperty::DefaultFarEastLanguage), farEastLanguage)}) {
        if (value != 0)
            format.setProperty(property, value);
        else
            format.clearProperty(property);
    }
    // A new format for the document's frame lays out the whole document anew.
    if (format != document_.rootFrame()->frameFormat())
        document_.rootFrame()->setFrameFormat(format);
}

void TextDocumentBuilder::setParagraphFormat(const QTextBlockFormat &blockFormat, const QTextCharFormat &markFormat,
                                             const RtfListFormat &format)
{
    if (format.isList() && listTextEnd_ > listTextStart_ && listTextStart_ >= cursor_.block().position()) {
        QTextCursor number(&document_);
        number.setPosition(listTextStart_);
        number.setPosition(listTextEnd_, QTextCursor::KeepAnchor);
        number.removeSelectedText();
    }
    listTextStart_ = listTextEnd_ = -1;
    inListText_ = false;
    cursor_.setBlockFormat(blockFormat);
    cursor_.setBlockCharFormat(markFormat);
    if (!format.isList()) {
        list_ = nullptr;
        return;
    }
    // Following paragraphs of one list are items of one list, numbered on; so are items that
    // number on after other paragraphs, which Qt numbers as one list although they are apart.
    QTextList *list = list_ && listFormat_ == format ? list_.data() : continuedList(format);
    if (list) {
        list->add(cursor_.block());
    } else {
        list = cursor_.createList(format.toListFormat());
        auto &open = openLists_[format.listId];
        if (open.size() == maximumOpenLists)
            open.erase(open.begin());
        open.emplace_back(format, list);
    }
    list_ = list;
    listFormat_ = format;
    // An item ends the deeper levels of its list: theirs start again after it.
    auto &open = openLists_[format.listId];
    open.erase(std::remove_if(open.begin(), open.end(),
                              [&format](const auto &earlier) { return earlier.first.level > format.level; }),
               open.end());
}

QTextList *TextDocumentBuilder::continuedList(const RtfListFormat &format)
{
    const auto lists = openLists_.find(format.listId);
    if (lists == openLists_.end())
        return nullptr;
    const auto &openLists = lists->second;
    for (auto open = openLists.rbegin(); open != openLists.rend(); ++open) {
        if (open->second && format.continues(open->first, open->second->count()))
            return open->second;
    }
    return nullptr;
}

// Rich-edit lists do not go on across the edges of table cells; a word processor's list numbers
// on through the cells and after the table, as its items say.
void TextDocumentBuilder::closeRichEditLists()
{
    list_ = nullptr;
    openLists_.erase(0);
}

void TextDocumentBuilder::setTableDepth(int depth, const RtfRowFormat &row)
{
    depth = qBound(0, depth, maximumTableDepth);
    while (int(tables_.size()) > depth)
        closeTable();
    if (!tables_.empty())
        moveToNextCell(tables_.back());
    while (int(tables_.size()) < depth)
        openTable(row);
}

void TextDocumentBuilder::endCell(int depth, const QTextBlockFormat &format, const QTextCharFormat &markFormat,
                                  const RtfListFormat &list)
{
    if (depth <= 0 || depth > int(tables_.size()))
        return;
    setTableDepth(depth, RtfRowFormat());
    openPendingParagraph();
    setParagraphFormat(format, markFormat, list);
    tables_.back().cellEnded = true;
}

void TextDocumentBuilder::endRow(int depth, const RtfRowFormat &row)
{
    if (depth <= 0 || depth > int(tables_.size()))
        return;
    while (int(tables_.size()) > depth)
        closeTable();
    OpenTable &open = tables_.back();
    open.rowEnded = true;
    open.cellEnded = false;
    if (!row.cellRights.isEmpty()) {
        // Rows mostly repeat their definition; setting a table's format lays it out anew.
        QTextTableFormat format = open.table->format();
        row.applyTo(format);
        if (format != open.table->format())
            open.table->setFormat(format);
    }
    if (open.row < maximumRows) {
        open.rows.resize(qMax(open.rows.size(), qsizetype(open.row + 1)));
        open.rows[open.row] = row;
    }
}

// What follows a cell's or a row's end goes into the next cell, which a row longer than the
// table's first one adds.
void TextDocumentBuilder::moveToNextCell(OpenTable &open)
{
    if (open.rowEnded) {
        if (open.table->rows() >= maximumRows)
            return; // the rest goes into the last row
        open.table->appendRows(1);
        ++open.row;
        open.column = 0;
    } else if (open.cellEnded) {
        if (open.column + 1 >= open.table->columns()) {
            if (open.table->columns() >= RtfRowFormat::maximumCells)
                return; // the rest of the row goes into its last cell
            appendColumn(*open.table);
        }
        ++open.column;
    } else {
        return;
    }
    open.rowEnded = open.cellEnded = false;
    cursor_ = open.table->cellAt(open.row, open.column).firstCursorPosition();
    paragraphEnded_ = false;
    closeRichEditLists();
}

// Qt 6.4 copies a width into the list it is growing when a table with column widths gets a
// column, reading freed memory; the widths are set around it instead.
void TextDocumentBuilder::appendColumn(QTextTable &table)
{
    QTextTableFormat format = table.format();
    QList<QTextLength> widths = format.columnWidthConstraints();
    if (!widths.isEmpty()) {
        format.clearColumnWidthConstraints();
        table.setFormat(format);
        widths.append(QTextLength(widths.constLast()));
    }
    table.appendColumns(1);
    if (!widths.isEmpty()) {
        format.setColumnWidthConstraints(widths);
        table.setFormat(format);
    }
}

// Qt places a table between the text before the cursor and a new empty paragraph after it.
void TextDocumentBuilder::openTable(const RtfRowFormat &row)
{
    QTextTableFormat format;
    row.applyTo(format);
    const int columns = int(qBound(qsizetype(1), row.cellRights.size(), qsizetype(RtfRowFormat::maximumCells)));
    QTextTable *table = cursor_.insertTable(1, columns, format);
    tables_.push_back(OpenTable{table, 0, 0, false, false, {}});
    paragraphEnded_ = false;
    closeRichEditLists();
}

void TextDocumentBuilder::closeTable()
{
    QTextTable *table = tables_.back().table;
    TableGrid::arrange(*table, tables_.back().rows);
    tables_.pop_back();
    cursor_.setPosition(table->lastPosition() + 1);
    paragraphEnded_ = false;
    closeRichEditLists();
}

void TextDocumentBuilder::openPendingParagraph()
{
    if (!paragraphEnded_)
        return;
    paragraphEnded_ = false;
    if (paragraphs_ < maximumParagraphs) {
        cursor_.insertBlock();
        ++paragraphs_;
    } else {
        cursor_.insertText(QString(QChar::LineSeparator));
    }
}
