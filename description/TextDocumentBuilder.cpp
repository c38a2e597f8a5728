#include "description/TextDocumentBuilder.h"

#include "description/RtfProperties.h"

#include <QTextDocument>
#include <QTextList>

namespace {

// Descriptions have tens of paragraphs; a file of nothing but paragraph marks must not turn
// into millions of blocks. Beyond the cap, paragraph marks become line breaks.
constexpr int maximumParagraphs = 100000;

// Characters QTextCursor::insertText would turn into block or frame boundaries, or read as an
// embedded object, must not come from text: the paragraph structure is the reader's to decide.
void neutralizeStructureCharacters(QString &text)
{
    for (QChar &c : text) {
        switch (c.unicode()) {
        case u'\n':
        case u'\r':
        case QChar::ParagraphSeparator:
            c = QChar::LineSeparator;
            break;
        case 0:
        case QChar::ObjectReplacementCharacter:
        case 0xFDD0: // QTextBeginningOfFrame
        case 0xFDD1: // QTextEndOfFrame
            c = QChar::ReplacementCharacter;
            break;
        default:
            break;
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
    document_.clear();
    cursor_ = QTextCursor(&document_);
    // Inside an edit block the cursor does not lay out the paragraph after every insertion,
    // which would make long paragraphs quadratic.
    cursor_.beginEditBlock();
}

TextDocumentBuilder::~TextDocumentBuilder()
{
    cursor_.endEditBlock();
    document_.setUndoRedoEnabled(undoRedoWasEnabled_);
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

void TextDocumentBuilder::beginListText()
{
    inListText_ = true;
}

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
    if (!paragraphEnded_)
        setParagraphFormat(format, markFormat, list);
}

void TextDocumentBuilder::setParagraphFormat(const QTextBlockFormat &format, const QTextCharFormat &markFormat,
                                             const RtfListFormat &list)
{
    if (list.isList() && listTextEnd_ > listTextStart_ && listTextStart_ >= cursor_.block().position()) {
        QTextCursor number(&document_);
        number.setPosition(listTextStart_);
        number.setPosition(listTextEnd_, QTextCursor::KeepAnchor);
        number.removeSelectedText();
    }
    listTextStart_ = listTextEnd_ = -1;
    inListText_ = false;
    cursor_.setBlockFormat(format);
    cursor_.setBlockCharFormat(markFormat);
    if (!list.isList()) {
        list_ = nullptr;
        return;
    }
    // Following paragraphs of one list are items of one list, numbered on.
    if (list_ && listFormat_ == list) {
        list_->add(cursor_.block());
    } else {
        list_ = cursor_.createList(list.toListFormat());
        listFormat_ = list;
    }
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
