#pragma once

#include "description/CodePageDecoder.h"
#include "description/RtfCharacterFormat.h"
#include "description/RtfCharacterState.h"
#include "description/RtfColorTable.h"
#include "description/RtfDestinationText.h"
#include "description/RtfFontTable.h"
#include "description/RtfKeywords.h"
#include "description/RtfListTable.h"
#include "description/RtfParagraphFormat.h"
#include "description/RtfPicture.h"
#include "description/RtfRowDefinitions.h"
#include "description/RtfTokenizer.h"
#include "description/TextDocumentBuilder.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QTextCharFormat>

#include <utility>
#include <vector>

class QTextDocument;

// The RTF state machine of a description's body: groups with their character and paragraph
// state, the destinations read as they stream (text, fields, list item numbers, \upr), code
// pages and Unicode fallbacks. The destinations that are tables are handed to their readers
// whole. Feeds a TextDocumentBuilder; all its state is held here, between one token and the next.
class RtfParser {
public:
    explicit RtfParser(QTextDocument &document);

    // rtf starts at the opening brace of the document group.
    void parse(QByteArrayView rtf);
    // Reading in parts, the parser's state kept between them: rtf, which must stay until the end
    // is read, is read on from where the last part stopped to its end, the deadline, or that many
    // more paragraphs, whichever comes first. Each part is shown when it is read. True once the
    // whole document is read.
    void start(QByteArrayView rtf);
    bool readOn(const QDeadlineTimer &deadline, int paragraphs);
    // The words of what the file holds that the document does not, so that writing it loses
    // them: skipped destinations, footnote marks, fields other than links, properties not read.
    const QStringList &notKept() const { return notKept_; }

private:
    // Where the text of a group goes.
    enum class Destination {
        Body,
        Alternatives, // \upr: holds an ANSI and a Unicode version of the same content
        AlternativeChoice, // a group inside \upr; only the \ud one is read
        FieldInstruction, // \fldinst: its text says what the field is
        ListText, // \pntext, \listtext: a list item's number as text
    };

    // What a group opened that its end finishes.
    enum class Opens { Nothing, Shape };

    struct GroupState {
        Destination destination = Destination::Body;
        Destination outerDestination = Destination::Body; // where the \ud content of \upr goes
        RtfCharacterState character;
        RtfParagraphFormat paragraph;
        RtfParagraphFormat::TabStop nextTab; // the kind and leader words before its \tx
        int unicodeFallbackLength = 1; // \ucN
        bool ignorableDestination = false; // after \*
        bool atStart = true; // nothing but \* read in the group yet
        int listOverride = -1; // \lsN; -1: none. Older word processors number overrides from 0.
        int listLevel = 0; // \ilvlN
        Opens opens = Opens::Nothing;
    };

    void handleToken(const RtfTokenizer::Token &token);
    void skipToken(const RtfTokenizer::Token &token);
    void startGroup();
    void endGroup();
    void startSkippingGroup();
    void handleControlWord(const RtfTokenizer::Token &token);
    void applyKeyword(const RtfKeyword &keyword, const RtfTokenizer::Token &token);
    // The words of one group each.
    void openDestination(RtfKeyword::Destination destination, const RtfTokenizer::Token &token);
    void endReadGroup();
    void readNumbering();
    void readPicture();
    void readShapeInstructions();
    void applyDocumentWord(const RtfKeyword &keyword, const RtfTokenizer::Token &token);
    void applyParagraphWord(const RtfKeyword &keyword, const RtfTokenizer::Token &token);
    void startListText();
    void startShape();
    void endShape();
    void handleControlSymbol(char symbol);
    void handleText(QByteArrayView text);
    void releaseHeldWhitespace();

    void appendBytes(QByteArrayView bytes);
    void appendCharacters(QStringView text);
    void appendUnicodeUnit(int value);
    void prepareForText();
    void decodePendingBytes();
    void appendDecoded(QStringView text, const RtfCharacterState &state);
    void flushText();
    void endParagraph();
    void finish();
    void startFieldResult();
    void syncTable();
    void endCell(int depth);
    void endRow(int depth);
    RtfListFormat paragraphList();

    bool collectDestinationText(QStringView text);
    static bool isText(Destination destination);
    bool isTextDestination() const;
    // The group around the current one; null for the document group and in groups beyond the
    // depth limit, which share the deepest state.
    GroupState *enclosingGroup();
    int currentCodePage() const;
    QTextCharFormat charFormat(const RtfCharacterState &state);
    QTextCharFormat markFormat(RtfCharacterState state);
    QTextCharFormat pictureFormat(RtfCharacterState state);
    RtfCharacterFormat resolve(const RtfCharacterState &state) const;
    GroupState &group() { return groups_.back(); }
    const GroupState &group() const { return groups_.back(); }

    RtfTokenizer tokenizer_{QByteArrayView()};
    TextDocumentBuilder builder_;
    RtfFontTable fonts_;
    RtfColorTable colors_;
    RtfListTable lists_;
    RtfRowDefinitions rowDefinitions_;
    CodePageDecoder decoder_;
    std::vector<GroupState> groups_;
    int skipDepth_ = 0;
    // Groups opened beyond the depth limit: read on in the deepest state, counting braces only.
    int overflowDepth_ = 0;
    int fallbackToSkip_ = 0;
    bool finished_ = false;

    int documentCodePage_ = CodePageDecoder::windows1252;
    int defaultFont_ = 0;
    int defaultLanguage_ = 0;
    int defaultFarEastLanguage_ = 0;
    bool utf8Text_ = false;

    RtfDestinationText fieldInstruction_{decoder_};
    QStringList links_;
    QStringList notKept_;
    void noteNotKept(QByteArrayView word);

    int picturesAppended_ = 0;
    void appendPicture(const RtfPicture &picture);

    // The shapes being read, innermost last: the picture of a picture frame, which is shown where
    // the shape ends unless its result for readers without shapes showed a picture.
    struct Shape {
        RtfPicture picture;
        int picturesBefore = 0;
    };
    std::vector<Shape> shapes_;

    // Whitespace at the start of a group stays out of the text until we know the group is not
    // a destination: "{ \fonttbl" is a font table, not a space.
    bool groupJustStarted_ = false;
    QByteArray heldWhitespace_;

    // Bytes are decoded in runs, so a double-byte character split over two \'hh is whole.
    QByteArray pendingBytes_;
    int pendingBytesCodePage_ = CodePageDecoder::windows1252;
    RtfCharacterState pendingBytesState_;
    QString pendingText_;
    RtfCharacterState pendingTextState_;
    char16_t pendingHighSurrogate_ = 0;
    bool cellSeparatorPending_ = false;

    // The formats of the states met so far; emptied when a font or colour table changes them.
    static constexpr std::size_t maximumCachedFormats = 16;
    std::vector<std::pair<RtfCharacterState, QTextCharFormat>> formatCache_;
};
