#pragma once

#include "description/RtfListFormat.h"
#include "description/RtfPicture.h"
#include "description/RtfRowFormat.h"

#include <QPointer>
#include <QTextCursor>
#include <QTextList>

#include <unordered_map>
#include <vector>

class QTextDocument;
class QTextTable;

// Fills a document paragraph by paragraph, replacing what it held. A paragraph gets its block
// format when it ends, because RTF attaches paragraph properties to the paragraph mark. Ending a
// paragraph opens the next one only when more text follows, so the mark that ends the last
// paragraph leaves no empty paragraph behind.
class TextDocumentBuilder {
public:
    explicit TextDocumentBuilder(QTextDocument &document);
    ~TextDocumentBuilder();
    TextDocumentBuilder(const TextDocumentBuilder &) = delete;
    TextDocumentBuilder &operator=(const TextDocumentBuilder &) = delete;

    void appendText(QString text, const QTextCharFormat &format);
    // Hidden text takes no room: it is held by an inline object that draws nothing.
    void appendHiddenText(const QString &text, QTextCharFormat format);
    void appendPicture(const RtfPicture &picture, QTextCharFormat format);
    // A list item's number written out as text, for readers without lists: it is dropped
    // when the paragraph turns out to be a list item, and kept as text otherwise.
    void beginListText();
    void endListText();
    // markFormat is the format of the paragraph mark: what an empty paragraph shows.
    void endParagraph(const QTextBlockFormat &format, const QTextCharFormat &markFormat, const RtfListFormat &list);
    // Puts what follows into a table cell nested depth tables deep (0: outside tables), opening
    // the tables, or the row, it needs; row is the definition of a table that opens.
    void setTableDepth(int depth, const RtfRowFormat &row);
    // Ends the paragraph and the cell around it at depth, or the row: the next text at that
    // depth starts a new row. The row's definition gives the table its column widths.
    void endCell(int depth, const QTextBlockFormat &format, const QTextCharFormat &markFormat,
                 const RtfListFormat &list);
    void endRow(int depth, const RtfRowFormat &row);
    int tableDepth() const { return int(tables_.size()); }
    // Gives a paragraph the end of the data left open its formats.
    void finish(const QTextBlockFormat &format, const QTextCharFormat &markFormat, const RtfListFormat &list);
    // The document's language tags as the file gave them; 0 for one it did not give. Given while
    // the document is short, when they are read, a shown document is not laid out whole again.
    void setDefaultLanguages(int language, int farEastLanguage);
    // A document read in parts shows each part while the next is read: between the parts the
    // content is not one replacement in the making but the part read so far.
    void pause();
    void resume();
    int paragraphs() const { return paragraphs_; }
    // Beyond the most paragraphs a document gets, the rest is one paragraph that each part shown
    // would lay out anew: it is read in one go.
    bool isFull() const;

private:
    void openPendingParagraph();
    void setParagraphFormat(const QTextBlockFormat &format, const QTextCharFormat &markFormat,
                            const RtfListFormat &list);

    QTextDocument &document_;
    QTextCursor cursor_;
    bool undoRedoWasEnabled_;
    bool paused_ = false;
    bool paragraphEnded_ = false;
    int paragraphs_ = 1;
    // Lists are watched: merging the cells of a table that closes removes the paragraphs of all
    // but one, and Qt deletes a list whose last paragraph is gone.
    QPointer<QTextList> list_; // the list the last paragraph belongs to
    RtfListFormat listFormat_;
    // Lists whose items may go on after other paragraphs, with the format they were made for, by
    // the list they are levels of (0: rich-edit numbering). An item goes on only in its own list,
    // so however many other lists come between, they never push its list out of reach.
    std::unordered_map<int, std::vector<std::pair<RtfListFormat, QPointer<QTextList>>>> openLists_;
    QTextList *continuedList(const RtfListFormat &format);
    void closeRichEditLists();
    bool inListText_ = false;
    int listTextStart_ = -1;
    int listTextEnd_ = -1;

    struct OpenTable {
        QTextTable *table;
        int row = 0;
        int column = 0;
        bool rowEnded = false;
        bool cellEnded = false;
        QList<RtfRowFormat> rows; // the definition of each row, arranged when the table closes
    };
    void openTable(const RtfRowFormat &row);
    void closeTable();
    void moveToNextCell(OpenTable &open);
    static void appendColumn(QTextTable &table);
    std::vector<OpenTable> tables_;
};
