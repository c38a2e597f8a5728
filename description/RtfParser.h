#pragma once

#include "description/CodePageDecoder.h"
#include "description/RtfCharacterFormat.h"
#include "description/RtfColorTable.h"
#include "description/RtfFontTable.h"
#include "description/RtfListTable.h"
#include "description/RtfParagraphFormat.h"
#include "description/RtfPicture.h"
#include "description/RtfRowFormat.h"
#include "description/RtfTokenizer.h"
#include "description/TextDocumentBuilder.h"

#include <QByteArray>
#include <QString>
#include <QTextCharFormat>

#include <utility>
#include <vector>

class QTextDocument;

// The RTF state machine: groups with their character and paragraph state, destinations, the
// font and colour tables, code pages and Unicode fallbacks. Feeds a TextDocumentBuilder.
class RtfParser {
public:
    explicit RtfParser(QTextDocument &document);

    // rtf starts at the opening brace of the document group.
    void parse(QByteArrayView rtf);
    // The words of what the file holds that the document does not, so that writing it loses
    // them: skipped destinations, footnote marks, fields other than links, properties not read.
    const QStringList &notKept() const { return notKept_; }

private:
    enum class Destination {
        Body,
        FontTable,
        ColorTable,
        Alternatives, // \upr: holds an ANSI and a Unicode version of the same content
        AlternativeChoice, // a group inside \upr; only the \ud one is read
        FieldInstruction, // \fldinst: its text says what the field is
        ListText, // \pntext, \listtext: a list item's number as text
        ListDefinition, // \pn: the paragraph's bullet or numbering
        ListPrefix, // \pntxtb
        ListSuffix, // \pntxta
        ListTable,
        ListEntry,
        ListName,
        ListLevel,
        LevelText,
        ListOverrideTable,
        ListOverride,
        ListOverrideLevel,
        Picture,
        // A shape's instructions (\shpinst), one of their properties (\sp) with its name (\sn)
        // and its value (\sv): only the picture of a picture frame (pib) is read of them.
        ShapeInstructions,
        ShapeProperty,
        ShapePropertyName,
        ShapePropertyValue,
    };

    // What a group opened that its end finishes.
    enum class Opens { Nothing, Shape };

    struct CharacterState {
        int font = -1; // -1: the document's default font (\deff)
        int halfPoints = 24; // RTF's own default size: 12 pt
        int foreground = -1; // colour table index; -1: automatic
        int background = -1;
        bool bold = false;
        bool italic = false;
        int underline = 0;
        bool strikeOut = false;
        RtfCharacterFormat::Position position = RtfCharacterFormat::Position::Normal;
        int raise = 0;
        RtfCharacterFormat::Capitals capitals = RtfCharacterFormat::Capitals::None;
        bool hidden = false;
        bool rightToLeft = false;
        int language = 0;
        int link = -1; // index in links_
        bool operator==(const CharacterState &other) const;
        bool operator!=(const CharacterState &other) const { return !(*this == other); }
    };

    struct GroupState {
        Destination destination = Destination::Body;
        Destination outerDestination = Destination::Body; // where the \ud content of \upr goes
        CharacterState character;
        RtfParagraphFormat paragraph;
        RtfParagraphFormat::TabStop nextTab; // the kind and leader words before its \tx
        int unicodeFallbackLength = 1; // \ucN
        bool ignorableDestination = false; // after \*
        bool atStart = true; // nothing but \* read in the group yet
        int listOverride = -1; // \lsN; -1: none. Older word processors number overrides from 0.
        int listLevel = 0; // \ilvlN
        Opens opens = Opens::Nothing;
    };

    struct Keyword;
    static const Keyword *findKeyword(QByteArrayView name);

    void handleToken(const RtfTokenizer::Token &token);
    bool consumeFallback(RtfTokenizer::Token &token);
    void skipToken(const RtfTokenizer::Token &token);
    void startGroup();
    void endGroup();
    void startSkippingGroup();
    void handleControlWord(const RtfTokenizer::Token &token);
    void applyKeyword(const Keyword &keyword, const RtfTokenizer::Token &token);
    // The words of one group each; false for a word of another group.
    bool applyDocumentKeyword(const Keyword &keyword, const RtfTokenizer::Token &token);
    bool applyCharacterKeyword(const Keyword &keyword, const RtfTokenizer::Token &token);
    bool applyParagraphKeyword(const Keyword &keyword, const RtfTokenizer::Token &token);
    bool applyTableKeyword(const Keyword &keyword, const RtfTokenizer::Token &token);
    bool applyListKeyword(const Keyword &keyword, const RtfTokenizer::Token &token);
    bool applyPictureKeyword(const Keyword &keyword, const RtfTokenizer::Token &token);
    bool applyFieldKeyword(const Keyword &keyword, const RtfTokenizer::Token &token);
    bool applyShapeKeyword(const Keyword &keyword, const RtfTokenizer::Token &token);
    bool passesOverInShape(const Keyword *keyword, bool startsGroup);
    void endShape();
    void handleControlSymbol(char symbol);
    void handleText(QByteArrayView text);
    void releaseHeldWhitespace();

    void appendBytes(QByteArrayView bytes);
    void appendCharacters(QStringView text);
    void appendUnicodeUnit(int value);
    void prepareForText();
    void decodePendingBytes();
    void decodeDestinationBytes();
    void appendDecoded(QStringView text, const CharacterState &state);
    void flushText();
    void endParagraph();
    void finish();
    void startFieldResult();
    void endListGroup(Destination destination);
    void syncTable();
    void endCell(int depth);
    void endRow(int depth);
    RtfListFormat paragraphList();

    void setColor(int &slot, const RtfTokenizer::Token &token) const;
    bool collectDestinationText(QStringView text);
    bool isTextDestination() const;
    bool isTextDestination(std::size_t level) const;
    int currentCodePage() const;
    QTextCharFormat charFormat(const CharacterState &state);
    QTextCharFormat markFormat(CharacterState state);
    QTextCharFormat pictureFormat(CharacterState state);
    RtfCharacterFormat resolve(const CharacterState &state) const;
    GroupState &group() { return groups_.back(); }
    const GroupState &group() const { return groups_.back(); }

    TextDocumentBuilder builder_;
    RtfFontTable fonts_;
    RtfColorTable colors_;
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

    QString fieldInstruction_;
    QStringList links_;
    QStringList notKept_;
    void noteNotKept(QByteArrayView word);

    RtfListTable lists_;
    RtfListFormat listDefinition_; // the \pn group being read
    bool listContinuation_ = false; // it continues an item (\pnlvlcont)

    RtfPicture picture_; // the \pict being read
    int picturesAppended_ = 0;
    void appendPicture(const RtfPicture &picture);

    // The shapes being read, innermost last: the picture of a picture frame, which is shown where
    // the shape ends unless its result for readers without shapes showed a picture.
    struct Shape {
        RtfPicture picture;
        int picturesBefore = 0;
    };
    std::vector<Shape> shapes_;
    QString shapePropertyName_;
    int pictureHighNibble_ = -1;
    void appendPictureHex(QByteArrayView text);

    // Row definitions by table depth; \trowd starts the one of the paragraph's depth.
    std::vector<RtfRowFormat> rows_;
    int rowDepth_ = 1;
    RtfCellFormat nextCell_; // the words before the next \cellx
    // The border that \brdrs, \brdrw and \brdrcf describe: the last one a \trbrdr or \clbrdr named.
    struct BorderTarget {
        enum Owner { None, Row, Cell } owner = None;
        int side = 0;
    } borderTarget_;
    RtfBorder *targetBorder();

    // Whitespace at the start of a group stays out of the text until we know the group is not
    // a destination: "{ \fonttbl" is a font table, not a space.
    bool groupJustStarted_ = false;
    QByteArray heldWhitespace_;

    // Bytes are decoded in runs, so a double-byte character split over two \'hh is whole.
    QByteArray pendingBytes_;
    int pendingBytesCodePage_ = CodePageDecoder::windows1252;
    QByteArray destinationBytes_;
    int destinationBytesCodePage_ = CodePageDecoder::windows1252;
    CharacterState pendingBytesState_;
    QString pendingText_;
    CharacterState pendingTextState_;
    char16_t pendingHighSurrogate_ = 0;
    bool cellSeparatorPending_ = false;

    // The formats of the states met so far; emptied when a font or colour table changes them.
    static constexpr std::size_t maximumCachedFormats = 16;
    std::vector<std::pair<CharacterState, QTextCharFormat>> formatCache_;
};
