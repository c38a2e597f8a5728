#include "description/RtfParser.h"

#include "description/DescriptionFont.h"
#include "description/HyperlinkField.h"
#include "description/RtfGroupReader.h"
#include "description/RtfNumbering.h"
#include "description/RtfShapeInstructions.h"
#include "description/RtfWords.h"
#include "description/Twips.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// Rich-edit output nests four groups deep, Word's about ten. Deeper groups are skipped whole,
// which bounds the state stack whatever the input.
constexpr std::size_t maximumGroupDepth = 256;
constexpr int maximumTableDepth = RtfRowDefinitions::maximumTableDepth;

constexpr char16_t replacementCharacter = QChar::ReplacementCharacter;

} // namespace

RtfParser::RtfParser(QTextDocument &document)
    : builder_(document)
{
}

void RtfParser::parse(QByteArrayView rtf)
{
    start(rtf);
    readOn(QDeadlineTimer(QDeadlineTimer::Forever), std::numeric_limits<int>::max());
}

void RtfParser::start(QByteArrayView rtf) { tokenizer_ = RtfTokenizer(rtf); }

bool RtfParser::readOn(const QDeadlineTimer &deadline, int paragraphs)
{
    // Reading the clock costs about as much as a token.
    constexpr int tokensBetweenClockReadings = 64;
    const int enough = builder_.paragraphs() + std::min(paragraphs, std::numeric_limits<int>::max() / 2);
    builder_.resume();
    for (int untilClockReading = tokensBetweenClockReadings; !finished_;) {
        RtfTokenizer::Token token = tokenizer_.next();
        if (token.type == RtfTokenizer::TokenType::End) {
            // Groups left open at the end of the data are closed; their text stays.
            finish();
            break;
        }
        if (skipDepth_ > 0)
            skipToken(token);
        else if (groups_.empty())
            startGroup(); // the document group: rtf starts with its brace
        else if (fallbackToSkip_ == 0 || !RtfTokenizer::skipsAsFallback(token, fallbackToSkip_))
            handleToken(token);
        if (builder_.isFull())
            continue;
        if (builder_.paragraphs() >= enough)
            break;
        if (--untilClockReading == 0) {
            if (deadline.hasExpired())
                break;
            untilClockReading = tokensBetweenClockReadings;
        }
    }
    if (!finished_) {
        // The header has given them by now.
        builder_.setDefaultLanguages(defaultLanguage_, defaultFarEastLanguage_);
        builder_.pause();
    }
    return finished_;
}

void RtfParser::handleToken(const RtfTokenizer::Token &token)
{
    using Type = RtfTokenizer::TokenType;
    if (group().destination == Destination::AlternativeChoice && token.type != Type::ControlWord &&
        !(token.type == Type::ControlSymbol && token.symbol == '*')) {
        startSkippingGroup();
        skipToken(token);
        return;
    }
    switch (token.type) {
    case Type::GroupStart: startGroup(); break;
    case Type::GroupEnd: endGroup(); break;
    case Type::ControlWord: handleControlWord(token); break;
    case Type::ControlSymbol: handleControlSymbol(token.symbol); break;
    case Type::HexByte:
        releaseHeldWhitespace();
        handleText(QByteArrayView(reinterpret_cast<const char *>(&token.byte), 1));
        break;
    case Type::Text: handleText(token.text); break;
    case Type::Binary: releaseHeldWhitespace(); break;
    case Type::End: break;
    }
}

void RtfParser::skipToken(const RtfTokenizer::Token &token)
{
    if (token.type == RtfTokenizer::TokenType::GroupStart) {
        ++skipDepth_;
    } else if (token.type == RtfTokenizer::TokenType::GroupEnd && --skipDepth_ == 0) {
        if (overflowDepth_ > 0)
            --overflowDepth_;
        else
            groups_.pop_back();
        fallbackToSkip_ = 0;
    }
}

void RtfParser::startGroup()
{
    releaseHeldWhitespace();
    fallbackToSkip_ = 0;
    if (groups_.size() >= maximumGroupDepth) {
        ++overflowDepth_;
        group().ignorableDestination = false;
        group().atStart = true;
        return;
    }
    GroupState child = groups_.empty() ? GroupState() : group();
    child.ignorableDestination = false;
    child.atStart = true;
    child.opens = Opens::Nothing;
    if (child.destination == Destination::Alternatives)
        child.destination = Destination::AlternativeChoice;
    groups_.push_back(std::move(child));
    groupJustStarted_ = group().destination == Destination::Body;
}

void RtfParser::endGroup()
{
    releaseHeldWhitespace();
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        fallbackToSkip_ = 0;
        return;
    }
    if (groups_.size() == 1) {
        // The document group closed; whatever follows is not part of the document.
        finish();
        return;
    }
    if (group().destination == Destination::ListText && enclosingGroup()->destination != Destination::ListText) {
        decodePendingBytes();
        flushText();
        builder_.endListText();
    }
    if (group().opens == Opens::Shape)
        endShape();
    groups_.pop_back();
    fallbackToSkip_ = 0;
}

void RtfParser::startSkippingGroup()
{
    // The document group itself is never skipped: a stray \* there must not drop the document.
    if (groups_.size() > 1 || overflowDepth_ > 0)
        skipDepth_ = 1;
}

void RtfParser::handleControlWord(const RtfTokenizer::Token &token)
{
    const RtfKeyword *keyword = RtfKeyword::find(token.text);
    GroupState &current = group();
    const bool ignorable = std::exchange(current.ignorableDestination, false);
    const bool startsGroup = std::exchange(current.atStart, false);
    const bool isDestination = keyword && keyword->group == RtfKeyword::Group::Destination;
    if (groupJustStarted_) {
        if (isDestination)
            heldWhitespace_.clear();
        releaseHeldWhitespace();
    }
    if (current.destination == Destination::AlternativeChoice) {
        if (keyword && keyword->is(RtfKeyword::Destination::UnicodeAlternative))
            current.destination = current.outerDestination;
        else
            startSkippingGroup();
        return;
    }
    if (ignorable && !isDestination) {
        // A destination is the first word of its group; \* before a word in the middle of a
        // group marks only that word as one to pass over.
        if (startsGroup) {
            noteNotKept(token.text);
            startSkippingGroup();
        }
        return;
    }
    if (keyword)
        applyKeyword(*keyword, token);
}

void RtfParser::applyKeyword(const RtfKeyword &keyword, const RtfTokenizer::Token &token)
{
    using Group = RtfKeyword::Group;
    switch (keyword.group) {
    case Group::Destination: openDestination(keyword.destination(), token); break;
    case Group::Document: applyDocumentWord(keyword, token); break;
    case Group::Character: group().character.apply(keyword, token, fonts_, colors_); break;
    case Group::Paragraph: applyParagraphWord(keyword, token); break;
    case Group::Row:
        rowDefinitions_.apply(keyword.row(), keyword.value, token.parameter, group().paragraph.tableDepth, colors_);
        break;
    }
}

void RtfParser::openDestination(RtfKeyword::Destination destination, const RtfTokenizer::Token &token)
{
    using D = RtfKeyword::Destination;
    GroupState &current = group();
    const int fallback = current.unicodeFallbackLength;
    switch (destination) {
    case D::Skip:
        noteNotKept(token.text);
        startSkippingGroup();
        break;
    case D::PassOver: startSkippingGroup(); break;
    case D::FontTable:
        fonts_.read(tokenizer_, decoder_, documentCodePage_, fallback, notKept_);
        endReadGroup();
        break;
    case D::ColorTable:
        colors_.read(tokenizer_, fallback, notKept_);
        endReadGroup();
        break;
    case D::ListTable:
        lists_.readLists(tokenizer_, decoder_, currentCodePage(), fallback, notKept_);
        endReadGroup();
        break;
    case D::ListOverrideTable:
        lists_.readOverrides(tokenizer_, decoder_, currentCodePage(), fallback, notKept_);
        endReadGroup();
        break;
    case D::Numbering: readNumbering(); break;
    case D::Picture: readPicture(); break;
    case D::ShapeInstructions: readShapeInstructions(); break;
    case D::Alternatives:
        current.outerDestination = current.destination;
        current.destination = Destination::Alternatives;
        break;
    case D::FieldInstruction: current.destination = Destination::FieldInstruction; break;
    case D::FieldResult: startFieldResult(); break;
    case D::ListText: startListText(); break;
    case D::Shape: startShape(); break;
    case D::UnicodeAlternative:
    case D::Read:
    case D::ShapeResult: break;
    }
}

// After a destination its reader read whole, up to and with the brace that ends its group. The
// font and colour tables change what the formats of the states met so far are.
void RtfParser::endReadGroup()
{
    formatCache_.clear();
    endGroup();
}

// A \pn belongs to the paragraph around it.
void RtfParser::readNumbering()
{
    const RtfListFormat numbering = RtfNumbering::read(tokenizer_, decoder_, currentCodePage(),
                                                       group().unicodeFallbackLength, notKept_);
    if (GroupState *outer = enclosingGroup())
        outer->paragraph.list = numbering;
    endReadGroup();
}

void RtfParser::readPicture()
{
    const RtfPicture picture = RtfPicture::read(tokenizer_, group().unicodeFallbackLength);
    const GroupState *outer = enclosingGroup();
    if (outer && isText(outer->destination) && !picture.data.isEmpty() && !picture.type.isEmpty())
        appendPicture(picture);
    endReadGroup();
}

void RtfParser::readShapeInstructions()
{
    RtfPicture picture = RtfShapeInstructions::readPicture(tokenizer_, group().unicodeFallbackLength, notKept_);
    if (!shapes_.empty() && !picture.data.isEmpty())
        shapes_.back().picture = std::move(picture);
    endReadGroup();
}

// The document's properties, fields, and the words that stand for text.
void RtfParser::applyDocumentWord(const RtfKeyword &keyword, const RtfTokenizer::Token &token)
{
    using D = RtfKeyword::Document;
    const int parameter = token.parameter;
    switch (keyword.document()) {
    case D::NotKept: noteNotKept(token.text); break;
    case D::Utf8: utf8Text_ = true; break;
    case D::CharacterSet: documentCodePage_ = keyword.value; break;
    case D::AnsiCodePage:
        if (parameter > 0 && parameter <= CodePageDecoder::maximumCodePage)
            documentCodePage_ = parameter;
        break;
    case D::DefaultFont:
        defaultFont_ = parameter;
        formatCache_.clear();
        break;
    case D::DefaultLanguage:
        defaultLanguage_ = qMax(parameter, 0);
        formatCache_.clear();
        break;
    case D::DefaultFarEastLanguage: defaultFarEastLanguage_ = qMax(parameter, 0); break;
    case D::Field: fieldInstruction_.take(); break;
    case D::FootnoteMark:
        // Footnotes are skipped, and so are their marks: a number without its note would be a
        // stray raised digit in the text.
        noteNotKept(token.text);
        break;
    case D::Character: {
        const char16_t c = char16_t(keyword.value);
        appendCharacters(QStringView(&c, 1));
        break;
    }
    case D::UnicodeCharacter:
        if (token.hasParameter)
            appendUnicodeUnit(parameter);
        fallbackToSkip_ = group().unicodeFallbackLength;
        break;
    case D::UnicodeFallbackLength:
        group().unicodeFallbackLength = token.hasParameter ? qBound(0, parameter, RtfTokenizer::maximumFallbackLength)
                                                           : 1;
        break;
    }
}

// Paragraph formatting, and the ends of paragraphs, cells and rows.
void RtfParser::applyParagraphWord(const RtfKeyword &keyword, const RtfTokenizer::Token &token)
{
    using P = RtfKeyword::Paragraph;
    GroupState &current = group();
    RtfParagraphFormat &paragraph = current.paragraph;
    const int parameter = token.parameter;
    switch (keyword.paragraph()) {
    case P::Border:
        noteNotKept(token.text);
        rowDefinitions_.forgetBorder();
        break;
    case P::Defaults:
        rowDefinitions_.forgetBorder();
        paragraph = RtfParagraphFormat();
        current.nextTab = RtfParagraphFormat::TabStop();
        current.listOverride = -1;
        current.listLevel = 0;
        break;
    case P::LeftIndent: paragraph.leftIndent = clampTwips(parameter); break;
    case P::RightIndent: paragraph.rightIndent = clampTwips(parameter); break;
    case P::FirstLineIndent: paragraph.firstLineIndent = clampTwips(parameter); break;
    case P::SpaceBefore: paragraph.spaceBefore = qMax(0, clampTwips(parameter)); break;
    case P::SpaceAfter: paragraph.spaceAfter = qMax(0, clampTwips(parameter)); break;
    case P::LineSpacing: paragraph.lineSpacing = clampTwips(parameter); break;
    case P::LineSpacingMultiple: paragraph.lineSpacingMultiple = !token.hasParameter || parameter != 0; break;
    case P::Alignment: paragraph.alignment = RtfParagraphFormat::Alignment(keyword.value); break;
    case P::Direction: paragraph.rightToLeft = keyword.value != 0; break;
    case P::TabKind: current.nextTab.kind = RtfParagraphFormat::TabStop::Kind(keyword.value); break;
    case P::TabLeader: current.nextTab.leader = RtfParagraphFormat::TabStop::Leader(keyword.value); break;
    case P::BarTab:
        // A bar tab has no kind or leader; words written before it belonged to it all the same.
        current.nextTab = {0, RtfParagraphFormat::TabStop::Kind::Bar};
        [[fallthrough]];
    case P::TabPosition:
        current.nextTab.position = qMax(0, clampTwips(parameter));
        if (paragraph.tabStops.size() < RtfParagraphFormat::maximumTabStops)
            paragraph.tabStops.append(current.nextTab);
        current.nextTab = RtfParagraphFormat::TabStop();
        break;
    case P::Break: endParagraph(); break;
    case P::ListOverride: current.listOverride = parameter; break;
    case P::ListLevel: current.listLevel = qBound(0, parameter, 8); break;
    case P::TableParagraph: paragraph.tableDepth = qMax(1, paragraph.tableDepth); break;
    case P::TableDepth: paragraph.tableDepth = qBound(0, parameter, maximumTableDepth); break;
    case P::CellEnd: endCell(keyword.value == 1 ? 1 : qMax(2, paragraph.tableDepth)); break;
    case P::RowEnd: endRow(keyword.value == 1 ? 1 : qMax(2, paragraph.tableDepth)); break;
    }
}

void RtfParser::startListText()
{
    GroupState &current = group();
    current.destination = Destination::ListText;
    current.character.hidden = false; // the number is shown, whatever the text before it was
    decodePendingBytes();
    flushText();
    builder_.beginListText();
}

// Where the shape stands on the page, and how text flows around it, is not kept: its picture
// is shown in the text.
void RtfParser::startShape()
{
    noteNotKept("shp");
    if (shapes_.size() < maximumGroupDepth) {
        group().opens = Opens::Shape;
        shapes_.push_back({RtfPicture(), picturesAppended_});
    }
}

// A picture frame whose result for readers without shapes showed no picture shows its own here.
void RtfParser::endShape()
{
    const Shape shape = std::move(shapes_.back());
    shapes_.pop_back();
    const GroupState *outer = enclosingGroup();
    if (picturesAppended_ == shape.picturesBefore && !shape.picture.data.isEmpty() && outer &&
        isText(outer->destination))
        appendPicture(shape.picture);
}

void RtfParser::handleControlSymbol(char symbol)
{
    if (symbol != '*') {
        releaseHeldWhitespace();
        group().atStart = false;
    }
    switch (symbol) {
    case '*': group().ignorableDestination = true; break;
    case '\\':
    case '{':
    case '}':
    case ':': handleText(QByteArrayView(&symbol, 1)); break;
    case '~': appendCharacters(u"\u00A0"); break;
    case '-': appendCharacters(u"\u00AD"); break;
    case '_': appendCharacters(u"\u2011"); break;
    case '\n': endParagraph(); break;
    default: break;
    }
}

void RtfParser::handleText(QByteArrayView text)
{
    GroupState &current = group();
    current.atStart = false;
    switch (current.destination) {
    case Destination::Body:
    case Destination::ListText:
        if (groupJustStarted_ && std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; })) {
            heldWhitespace_.append(text);
            return;
        }
        releaseHeldWhitespace();
        appendBytes(text);
        break;
    case Destination::Alternatives: break;
    case Destination::AlternativeChoice: startSkippingGroup(); break;
    case Destination::FieldInstruction: fieldInstruction_.appendBytes(text, currentCodePage()); break;
    }
}

void RtfParser::releaseHeldWhitespace()
{
    groupJustStarted_ = false;
    if (heldWhitespace_.isEmpty())
        return;
    const QByteArray held = std::exchange(heldWhitespace_, QByteArray());
    appendBytes(held);
}

void RtfParser::appendBytes(QByteArrayView bytes)
{
    prepareForText();
    const int codePage = currentCodePage();
    const RtfCharacterState &state = group().character;
    if (!pendingBytes_.isEmpty() && (codePage != pendingBytesCodePage_ || state != pendingBytesState_))
        decodePendingBytes();
    pendingBytes_.append(bytes);
    pendingBytesCodePage_ = codePage;
    pendingBytesState_ = state;
}

void RtfParser::appendCharacters(QStringView text)
{
    if (collectDestinationText(text) || !isTextDestination())
        return;
    prepareForText();
    decodePendingBytes();
    appendDecoded(text, group().character);
}

void RtfParser::appendUnicodeUnit(int value)
{
    const char16_t unit = RtfTokenizer::unicodeUnit(value);
    if (collectDestinationText(QStringView(&unit, 1)) || !isTextDestination())
        return;
    if (QChar::isLowSurrogate(unit) && pendingHighSurrogate_) {
        const char16_t pair[] = {std::exchange(pendingHighSurrogate_, char16_t(0)), unit};
        appendDecoded(QStringView(pair, 2), group().character);
        return;
    }
    prepareForText();
    decodePendingBytes();
    if (QChar::isHighSurrogate(unit))
        pendingHighSurrogate_ = unit;
    else
        appendCharacters(QChar::isLowSurrogate(unit) ? QStringView(&replacementCharacter, 1) : QStringView(&unit, 1));
}

// Settles what must stand before the next text: a high surrogate no low one followed, and the
// separator owed to a table cell that ended.
void RtfParser::prepareForText()
{
    if (!pendingHighSurrogate_ && !cellSeparatorPending_)
        return;
    decodePendingBytes();
    if (pendingHighSurrogate_) {
        pendingHighSurrogate_ = 0;
        appendDecoded(QStringView(&replacementCharacter, 1), group().character);
    }
    if (std::exchange(cellSeparatorPending_, false))
        appendDecoded(u"\t", group().character);
}

void RtfParser::decodePendingBytes()
{
    if (pendingBytes_.isEmpty())
        return;
    const QString text = decoder_.decode(pendingBytesCodePage_, pendingBytes_);
    pendingBytes_.clear();
    appendDecoded(text, pendingBytesState_);
}

void RtfParser::appendDecoded(QStringView text, const RtfCharacterState &state)
{
    if (!pendingText_.isEmpty() && state != pendingTextState_)
        flushText();
    pendingText_.append(text);
    pendingTextState_ = state;
}

void RtfParser::flushText()
{
    if (pendingText_.isEmpty())
        return;
    syncTable();
    if (pendingTextState_.hidden)
        builder_.appendHiddenText(std::exchange(pendingText_, QString()), charFormat(pendingTextState_));
    else
        builder_.appendText(std::exchange(pendingText_, QString()), charFormat(pendingTextState_));
}

void RtfParser::syncTable()
{
    const int depth = qBound(0, group().paragraph.tableDepth, maximumTableDepth);
    builder_.setTableDepth(depth, rowDefinitions_.row(qMax(1, depth)));
}

// A cell or row end outside any table is what a reader without tables makes of it: a tab
// between cells, a paragraph end after a row.
void RtfParser::endCell(int depth)
{
    if (!isTextDestination())
        return;
    if (group().paragraph.tableDepth < depth) {
        cellSeparatorPending_ = true;
        return;
    }
    cellSeparatorPending_ = false;
    prepareForText();
    decodePendingBytes();
    flushText();
    syncTable();
    builder_.endCell(depth, group().paragraph.toBlockFormat(), markFormat(group().character), paragraphList());
}

void RtfParser::endRow(int depth)
{
    if (!isTextDestination())
        return;
    if (group().paragraph.tableDepth < depth || builder_.tableDepth() < depth) {
        endParagraph();
        return;
    }
    cellSeparatorPending_ = false;
    prepareForText();
    decodePendingBytes();
    flushText();
    builder_.endRow(depth, rowDefinitions_.take(depth));
}

// A word-processor list item gets its numbering from the list table; a \pn definition beside
// it is there for readers without lists. A \pn alone is the paragraph's own.
RtfListFormat RtfParser::paragraphList()
{
    const GroupState &current = group();
    if (current.listOverride >= 0) {
        const RtfListFormat format = lists_.paragraphFormat(current.listOverride, current.listLevel);
        if (format.isList())
            return format;
    }
    return current.paragraph.list;
}

void RtfParser::appendPicture(const RtfPicture &picture)
{
    decodePendingBytes();
    flushText();
    syncTable();
    builder_.appendPicture(picture, pictureFormat(group().character));
    ++picturesAppended_;
}

// The shown text of a field; a hyperlink's carries its target.
void RtfParser::startFieldResult()
{
    const QString instruction = fieldInstruction_.take();
    const QString target = HyperlinkField::target(instruction);
    if (target.isEmpty()) {
        // Only the field's result, its text as last shown, is kept.
        if (!instruction.trimmed().isEmpty())
            noteNotKept(QStringLiteral("field %1").arg(instruction.trimmed().section(u' ', 0, 0)).toLatin1());
        return;
    }
    qsizetype index = links_.indexOf(target);
    if (index < 0) {
        index = links_.size();
        links_.append(target);
    }
    group().character.link = int(index);
}

void RtfParser::endParagraph()
{
    if (group().destination != Destination::Body)
        return;
    cellSeparatorPending_ = false;
    prepareForText();
    decodePendingBytes();
    flushText();
    syncTable();
    builder_.endParagraph(group().paragraph.toBlockFormat(), markFormat(group().character), paragraphList());
}

void RtfParser::finish()
{
    if (finished_)
        return;
    finished_ = true;
    const GroupState last = groups_.empty() ? GroupState() : group();
    if (!groups_.empty()) {
        releaseHeldWhitespace();
        cellSeparatorPending_ = false;
        prepareForText();
    }
    decodePendingBytes();
    flushText();
    builder_.finish(last.paragraph.toBlockFormat(), markFormat(last.character),
                    groups_.empty() ? RtfListFormat() : paragraphList());
    builder_.setDefaultLanguages(defaultLanguage_, defaultFarEastLanguage_);
}

// Link targets hold what the writer escapes in text: no-break spaces, tabs, dashes, \uN. False
// for destinations that collect no text this way.
bool RtfParser::collectDestinationText(QStringView text)
{
    if (group().destination != Destination::FieldInstruction)
        return false;
    for (QChar c : text)
        fieldInstruction_.appendCharacter(c.unicode());
    return true;
}

void RtfParser::noteNotKept(QByteArrayView word) { RtfGroupReader::noteNotKept(notKept_, word); }

bool RtfParser::isText(Destination destination)
{
    return destination == Destination::Body || destination == Destination::ListText;
}

bool RtfParser::isTextDestination() const { return isText(group().destination); }

RtfParser::GroupState *RtfParser::enclosingGroup()
{
    return overflowDepth_ > 0 || groups_.size() < 2 ? nullptr : &groups_[groups_.size() - 2];
}

int RtfParser::currentCodePage() const
{
    if (utf8Text_)
        return CodePageDecoder::utf8;
    const int font = groups_.back().character.font;
    return fonts_.codePage(font < 0 ? defaultFont_ : font, documentCodePage_);
}

QTextCharFormat RtfParser::charFormat(const RtfCharacterState &state)
{
    for (const auto &[cachedState, format] : formatCache_) {
        if (cachedState == state)
            return format;
    }
    // Runs switch back and forth between a handful of formats; a document with many more starts
    // the cache afresh now and then rather than searching a long list.
    if (formatCache_.size() == maximumCachedFormats)
        formatCache_.clear();
    formatCache_.emplace_back(state, resolve(state).toCharFormat());
    return formatCache_.back().second;
}

// A paragraph mark shows no text: it is neither hidden nor a link.
QTextCharFormat RtfParser::markFormat(RtfCharacterState state)
{
    state.hidden = false;
    state.link = -1;
    return charFormat(state);
}

// A picture is shown, hidden text around it or not; it may be a link.
QTextCharFormat RtfParser::pictureFormat(RtfCharacterState state)
{
    state.hidden = false;
    return charFormat(state);
}

RtfCharacterFormat RtfParser::resolve(const RtfCharacterState &state) const
{
    return state.resolve({fonts_, colors_, links_, defaultFont_, documentCodePage_, utf8Text_, defaultLanguage_});
}
