#pragma once

#include <QTextCursor>

class QTextDocument;

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
    // markFormat is the format of the paragraph mark: what an empty paragraph shows.
    void endParagraph(const QTextBlockFormat &format, const QTextCharFormat &markFormat);
    // Gives a paragraph the end of the data left open its formats.
    void finish(const QTextBlockFormat &format, const QTextCharFormat &markFormat);

private:
    void openPendingParagraph();

    QTextDocument &document_;
    QTextCursor cursor_;
    bool undoRedoWasEnabled_;
    bool paragraphEnded_ = false;
    int paragraphs_ = 1;
};
