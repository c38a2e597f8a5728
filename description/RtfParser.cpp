#include "description/RtfParser.h"

#include "description/DescriptionFont.h"
#include "description/HyperlinkField.h"
#include "description/RtfCharacterFormat.h"
#include "description/RtfWords.h"
#include "description/Twips.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {

// Rich-edit output nests four groups deep, Word's about ten. Deeper groups are skipped whole,
// which bounds the state stack whatever the input.
constexpr std::size_t maximumGroupDepth = 256;
constexpr int maximumUnicodeFallbackLength = 16;
constexpr int maximumCodePage = 65535;
constexpr int maximumTableDepth = 8;
// Word's widest border is 75 points.
constexpr int maximumBorderWidth = 1500;

constexpr char16_t replacementCharacter = QChar::ReplacementCharacter;

bool isSpaces(QByteArrayView text)
{
    for (char c : text) {
        if (c != ' ')
            return false;
    }
    return true;
}

} // namespace

struct RtfParser::Keyword {
    enum class Action {
        SkipDestination,
        FontTable,
        ColorTable,
        Alternatives,
        UnicodeAlternative,
        Utf8Document,
        CharacterSet,
        AnsiCodePage,
        DefaultFont,
        DefaultLanguage,
        DefaultFarEastLanguage,
        Font,
        FontCharset,
        FontCodePage,
        Red,
        Green,
        Blue,
        Plain,
        FontSize,
        Foreground,
        Background,
        Bold,
        Italic,
        Underline,
        StrikeOut,
        Position,
        Raise,
        Capitals,
        Hidden,
        Field,
        FieldInstruction,
        FieldResult,
        FootnoteMark,
        NotKept,
        ListText,
        ListDefinition,
        ListBullet,
        ListBody,
        ListContinuation,
        ListOutlineLevel,
        ListKind,
        ListStart,
        ListPrefix,
        ListSuffix,
        ListTable,
        ListEntry,
        ListName,
        ListLevel,
        LevelNumberFormat,
        LevelStart,
        LevelText,
        ListId,
        ListOverrideTable,
        ListOverride,
        ListOverrideNumber,
        ListOverrideLevel,
        ListOverrideRestart,
        ListLevelNumber,
        ParagraphDefaults,
        LeftIndent,
        RightIndent,
        FirstLineIndent,
        SpaceBefore,
        SpaceAfter,
        LineSpacing,
        LineSpacingMultiple,
        Alignment,
        Direction,
        RunDirection,
        Language,
        TabKind,
        TabLeader,
        TabPosition,
        BarTab,
        ParagraphBreak,
        CellEnd,
        RowEnd,
        TableParagraph,
        TableDepth,
        RowDefaults,
        RowGap,
        RowLeft,
        CellRight,
        RowHeight,
        RowBorder,
        CellBorder,
        ParagraphBorder,
        BorderStyle,
        BorderWidth,
        BorderColor,
        CellBackground,
        CellPattern,
        CellShading,
        CellMerge,
        CellAlignment,
        ReadDestination,
        Picture,
        PictureType,
        Shape,
        ShapeInstructions,
        ShapeProperty,
        ShapePropertyName,
        ShapePropertyValue,
        ShapeResult,
        PictureSize,
        Character,
        UnicodeCharacter,
        UnicodeFallbackLength,
    };

    Action action;
    // Character: the character; CharacterSet: the code page; Alignment, TabKind, Position, Capitals:
    // the enum value; Underline: the kind; Raise: the sign; RowBorder, CellBorder: the side;
    // BorderStyle: the style; CellMerge: first or continued (even, odd), across or down (0 and 1,
    // 2 and 3); CellAlignment: the alignment.
    int value = 0;

    bool isDestination() const
    {
        switch (action) {
        case Action::SkipDestination:
        case Action::FontTable:
        case Action::ColorTable:
        case Action::Alternatives:
        case Action::FieldInstruction:
        case Action::FieldResult:
        case Action::ListText:
        case Action::ListDefinition:
        case Action::ListPrefix:
        case Action::ListSuffix:
        case Action::ListTable:
        case Action::ListEntry:
        case Action::ListName:
        case Action::ListLevel:
        case Action::LevelText:
        case Action::ListOverrideTable:
        case Action::ListOverride:
        case Action::ListOverrideLevel:
        case Action::ReadDestination:
        case Action::Picture:
        case Action::Shape:
        case Action::ShapeInstructions:
        case Action::ShapeProperty:
        case Action::ShapePropertyName:
        case Action::ShapePropertyValue:
        case Action::ShapeResult: return true;
        default: return false;
        }
    }
};

const RtfParser::Keyword *RtfParser::findKeyword(QByteArrayView name)
{
    using A = Keyword::Action;
    using Align = RtfParagraphFormat::Alignment;
    using Tab = RtfParagraphFormat::TabStop::Kind;
    using Leader = RtfParagraphFormat::TabStop::Leader;
    using Position = RtfCharacterFormat::Position;
    using Capitals = RtfCharacterFormat::Capitals;
    using ListKind = RtfListFormat::Kind;
    static const std::unordered_map<std::string_view, Keyword> keywords = [] {
        std::unordered_map<std::string_view, Keyword> table{
            {RtfWord::fonttbl, {A::FontTable}},
            {RtfWord::colortbl, {A::ColorTable}},
            {"upr", {A::Alternatives}},
            {"ud", {A::UnicodeAlternative}},
            {"urtf", {A::Utf8Document}},
            {RtfWord::ansi, {A::CharacterSet, CodePageDecoder::windows1252}},
            {"mac", {A::CharacterSet, 10000}},
            {"pc", {A::CharacterSet, 437}},
            {"pca", {A::CharacterSet, 850}},
            {RtfWord::ansicpg, {A::AnsiCodePage}},
            {RtfWord::deff, {A::DefaultFont}},
            {RtfWord::deflang, {A::DefaultLanguage}},
            {RtfWord::deflangfe, {A::DefaultFarEastLanguage}},
            {RtfWord::lang, {A::Language}},
            {RtfWord::f, {A::Font}},
            {RtfWord::fcharset, {A::FontCharset}},
            {"cpg", {A::FontCodePage}},
            {RtfWord::red, {A::Red}},
            {RtfWord::green, {A::Green}},
            {RtfWord::blue, {A::Blue}},
            {"plain", {A::Plain}},
            {RtfWord::fs, {A::FontSize}},
            {RtfWord::cf, {A::Foreground}},
            // Rich-edit controls write \highlight for any background colour; \cb and \chcbpat
            // are what other writers use for the same thing.
            {RtfWord::highlight, {A::Background}},
            {"cb", {A::Background}},
            {"chcbpat", {A::Background}},
            {RtfWord::b, {A::Bold}},
            {RtfWord::i, {A::Italic}},
            {RtfWord::strike, {A::StrikeOut}},
            {"striked", {A::StrikeOut}},
            {RtfWord::super, {A::Position, int(Position::Superscript)}},
            {RtfWord::sub, {A::Position, int(Position::Subscript)}},
            {RtfWord::nosupersub, {A::Position, int(Position::Normal)}},
            {RtfWord::up, {A::Raise, 1}},
            {RtfWord::dn, {A::Raise, -1}},
            {RtfWord::caps, {A::Capitals, int(Capitals::All)}},
            {RtfWord::scaps, {A::Capitals, int(Capitals::Small)}},
            {RtfWord::v, {A::Hidden}},
            {RtfWord::field, {A::Field}},
            {RtfWord::fldinst, {A::FieldInstruction}},
            {RtfWord::fldrslt, {A::FieldResult}},
            {"chftn", {A::FootnoteMark}},
            {RtfWord::pntext, {A::ListText}},
            {"listtext", {A::ListText}},
            {RtfWord::pn, {A::ListDefinition}},
            {RtfWord::pnlvlblt, {A::ListBullet}},
            {RtfWord::pnlvlbody, {A::ListBody}},
            {"pnlvlcont", {A::ListContinuation}},
            {RtfWord::pnlvl, {A::ListOutlineLevel}},
            {RtfWord::pndec, {A::ListKind, int(ListKind::Decimal)}},
            {RtfWord::pnlcltr, {A::ListKind, int(ListKind::LowerLetter)}},
            {RtfWord::pnucltr, {A::ListKind, int(ListKind::UpperLetter)}},
            {RtfWord::pnlcrm, {A::ListKind, int(ListKind::LowerRoman)}},
            {RtfWord::pnucrm, {A::ListKind, int(ListKind::UpperRoman)}},
            {RtfWord::pnstart, {A::ListStart}},
            {RtfWord::pntxtb, {A::ListPrefix}},
            {RtfWord::pntxta, {A::ListSuffix}},
            {RtfWord::listtable, {A::ListTable}},
            {RtfWord::list, {A::ListEntry}},
            {RtfWord::listname, {A::ListName}},
            {RtfWord::listlevel, {A::ListLevel}},
            {RtfWord::levelnfc, {A::LevelNumberFormat}},
            {RtfWord::levelstartat, {A::LevelStart}},
            {RtfWord::leveltext, {A::LevelText}},
            {RtfWord::listid, {A::ListId}},
            {RtfWord::listoverridetable, {A::ListOverrideTable}},
            {RtfWord::listoverride, {A::ListOverride}},
            {RtfWord::ls, {A::ListOverrideNumber}},
            {"lfolevel", {A::ListOverrideLevel}},
            {"listoverridestartat", {A::ListOverrideRestart}},
            {RtfWord::ilvl, {A::ListLevelNumber}},
            {RtfWord::pard, {A::ParagraphDefaults}},
            {RtfWord::li, {A::LeftIndent}},
            {RtfWord::ri, {A::RightIndent}},
            {RtfWord::fi, {A::FirstLineIndent}},
            {RtfWord::sb, {A::SpaceBefore}},
            {RtfWord::sa, {A::SpaceAfter}},
            {RtfWord::sl, {A::LineSpacing}},
            {RtfWord::slmult, {A::LineSpacingMultiple}},
            {"ql", {A::Alignment, int(Align::Left)}},
            {RtfWord::qc, {A::Alignment, int(Align::Center)}},
            {RtfWord::qr, {A::Alignment, int(Align::Right)}},
            {RtfWord::qj, {A::Alignment, int(Align::Justify)}},
            {"qd", {A::Alignment, int(Align::Justify)}},
            {RtfWord::tqc, {A::TabKind, int(Tab::Center)}},
            {RtfWord::tqr, {A::TabKind, int(Tab::Right)}},
            {RtfWord::tqdec, {A::TabKind, int(Tab::Decimal)}},
            {RtfWord::rtlpar, {A::Direction, 1}},
            {"ltrpar", {A::Direction, 0}},
            // Word writes both before most runs; the last one counts.
            {RtfWord::rtlch, {A::RunDirection, 1}},
            {RtfWord::ltrch, {A::RunDirection, 0}},
            {RtfWord::tldot, {A::TabLeader, int(Leader::Dot)}},
            {RtfWord::tlmdot, {A::TabLeader, int(Leader::MiddleDot)}},
            {RtfWord::tlhyph, {A::TabLeader, int(Leader::Hyphen)}},
            {RtfWord::tlul, {A::TabLeader, int(Leader::Underline)}},
            {RtfWord::tlth, {A::TabLeader, int(Leader::Thick)}},
            {RtfWord::tleq, {A::TabLeader, int(Leader::Equals)}},
            {RtfWord::tx, {A::TabPosition}},
            {RtfWord::tb, {A::BarTab}},
            {RtfWord::par, {A::ParagraphBreak}},
            {"sect", {A::ParagraphBreak}},
            {"page", {A::ParagraphBreak}},
            {"column", {A::ParagraphBreak}},
            {RtfWord::row, {A::RowEnd, 1}},
            {RtfWord::nestrow, {A::RowEnd, 2}},
            {RtfWord::cell, {A::CellEnd, 1}},
            {RtfWord::nestcell, {A::CellEnd, 2}},
            {RtfWord::intbl, {A::TableParagraph}},
            {RtfWord::itap, {A::TableDepth}},
            {RtfWord::trowd, {A::RowDefaults}},
            {RtfWord::trgaph, {A::RowGap}},
            {RtfWord::trleft, {A::RowLeft}},
            {RtfWord::cellx, {A::CellRight}},
            {RtfWord::trrh, {A::RowHeight}},
            {RtfWord::trbrdrt, {A::RowBorder, RtfBorder::Top}},
            {RtfWord::trbrdrl, {A::RowBorder, RtfBorder::Left}},
            {RtfWord::trbrdrb, {A::RowBorder, RtfBorder::Bottom}},
            {RtfWord::trbrdrr, {A::RowBorder, RtfBorder::Right}},
            {RtfWord::trbrdrh, {A::RowBorder, RtfBorder::Horizontal}},
            {RtfWord::trbrdrv, {A::RowBorder, RtfBorder::Vertical}},
            {RtfWord::clbrdrt, {A::CellBorder, RtfBorder::Top}},
            {RtfWord::clbrdrl, {A::CellBorder, RtfBorder::Left}},
            {RtfWord::clbrdrb, {A::CellBorder, RtfBorder::Bottom}},
            {RtfWord::clbrdrr, {A::CellBorder, RtfBorder::Right}},
            {"brdrnone", {A::BorderStyle, 0}},
            {RtfWord::brdrw, {A::BorderWidth}},
            {RtfWord::brdrcf, {A::BorderColor}},
            {RtfWord::clcbpat, {A::CellBackground}},
            {RtfWord::clcfpat, {A::CellPattern}},
            {RtfWord::clshdng, {A::CellShading}},
            {RtfWord::clmgf, {A::CellMerge, 0}},
            {RtfWord::clmrg, {A::CellMerge, 1}},
            {RtfWord::clvmgf, {A::CellMerge, 2}},
            {RtfWord::clvmrg, {A::CellMerge, 3}},
            {"clvertalt", {A::CellAlignment, int(RtfCellFormat::Alignment::Top)}},
            {RtfWord::clvertalc, {A::CellAlignment, int(RtfCellFormat::Alignment::Center)}},
            {RtfWord::clvertalb, {A::CellAlignment, int(RtfCellFormat::Alignment::Bottom)}},
            // Destinations whose content is read as body text: a nested row's definition, and
            // Word's picture for readers of its drawing objects (its \nonshppict copy is skipped).
            {RtfWord::nesttableprops, {A::ReadDestination}},
            {"shppict", {A::ReadDestination}},
            // A shape's result is what a reader without shapes shows of it; of its instructions
            // only a picture frame's picture is read.
            {"shp", {A::Shape}},
            {"shpinst", {A::ShapeInstructions}},
            {"sp", {A::ShapeProperty}},
            {"sn", {A::ShapePropertyName}},
            {"sv", {A::ShapePropertyValue}},
            {"shprslt", {A::ShapeResult}},
            {RtfWord::pict, {A::Picture}},
            {RtfWord::picw, {A::PictureSize, 0}},
            {RtfWord::pich, {A::PictureSize, 1}},
            {RtfWord::picwgoal, {A::PictureSize, 2}},
            {RtfWord::pichgoal, {A::PictureSize, 3}},
            {RtfWord::picscalex, {A::PictureSize, 4}},
            {RtfWord::picscaley, {A::PictureSize, 5}},
            {RtfWord::piccropl, {A::PictureSize, 6}},
            {RtfWord::piccropr, {A::PictureSize, 7}},
            {RtfWord::piccropt, {A::PictureSize, 8}},
            {RtfWord::piccropb, {A::PictureSize, 9}},
            {RtfWord::tab, {A::Character, '\t'}},
            {RtfWord::line, {A::Character, QChar::LineSeparator}},
            {"emdash", {A::Character, 0x2014}},
            {"endash", {A::Character, 0x2013}},
            {"emspace", {A::Character, 0x2003}},
            {"enspace", {A::Character, 0x2002}},
            {"qmspace", {A::Character, 0x2005}},
            {"bullet", {A::Character, 0x2022}},
            {"lquote", {A::Character, 0x2018}},
            {"rquote", {A::Character, 0x2019}},
            {"ldblquote", {A::Character, 0x201C}},
            {"rdblquote", {A::Character, 0x201D}},
            {"zwbo", {A::Character, 0x200B}},
            {"zwnj", {A::Character, 0x200C}},
            {"zwj", {A::Character, 0x200D}},
            {"ltrmark", {A::Character, 0x200E}},
            {"rtlmark", {A::Character, 0x200F}},
            {RtfWord::u, {A::UnicodeCharacter}},
            {RtfWord::uc, {A::UnicodeFallbackLength}},
        };
        for (std::string_view word : {RtfWord::pngblip, RtfWord::jpegblip, RtfWord::emfblip, RtfWord::wmetafile,
                                      RtfWord::dibitmap, RtfWord::wbitmap, RtfWord::macpict, RtfWord::pmmetafile})
            table.emplace(word, Keyword{A::PictureType});
        for (int style = 1; style < RtfBorder::styles; ++style)
            table.emplace(RtfBorder::styleWord(style), Keyword{A::BorderStyle, style});
        // Properties a description does not hold; a file that has them is reported.
        for (std::string_view word : {"trqc", "trqr", "clpadl", "clpadt", "clpadr", "clpadb", "trpaddl", "trpaddt",
                                      "trpaddr", "trpaddb", "trhdr", "cltxtbrl", "cltxbtlr"})
            table.emplace(word, Keyword{A::NotKept});
        for (std::string_view word : {"brdrt", "brdrl", "brdrb", "brdrr", "brdrbtw", "brdrbar", "box"})
            table.emplace(word, Keyword{A::ParagraphBorder});
        for (int kind = 0; kind < RtfCharacterFormat::underlineKinds; ++kind)
            table.emplace(RtfCharacterFormat::underlineWord(kind), Keyword{A::Underline, kind});
        // Destinations whose content is not description text. Unknown destinations marked
        // with \* are skipped without being listed. An \object is read: its \objdata is
        // skipped, and its \result is what a reader without the object shows.
        for (std::string_view word : {"aftncn",
                                      "aftnsep",
                                      "aftnsepc",
                                      "annotation",
                                      "atnauthor",
                                      "atndate",
                                      "atnid",
                                      "atnref",
                                      "atrfend",
                                      "atrfstart",
                                      "bkmkend",
                                      "bkmkstart",
                                      "colorschememapping",
                                      "datastore",
                                      "do",
                                      "docvar",
                                      "expandedcolortbl",
                                      "falt",
                                      "fchars",
                                      "fname",
                                      "footer",
                                      "footerf",
                                      "footerl",
                                      "footerr",
                                      "footnote",
                                      "ftncn",
                                      "ftnsep",
                                      "ftnsepc",
                                      RtfWord::generator,
                                      "header",
                                      "headerf",
                                      "headerl",
                                      "headerr",
                                      "htmltag",
                                      "info",
                                      "latentstyles",
                                      "lchars",
                                      "mmathPr",
                                      RtfWord::nonesttables,
                                      "nonshppict",
                                      "objdata",
                                      "panose",
                                      "pgdsctbl",
                                      "revtbl",
                                      "rsidtbl",
                                      "rxe",
                                      "stylesheet",
                                      "tc",
                                      "template",
                                      "themedata",
                                      "txe",
                                      "userprops",
                                      "xe",
                                      "xmlnstbl"})
            table.emplace(word, Keyword{A::SkipDestination});
        return table;
    }();
    const auto found = keywords.find(std::string_view(name.data(), std::size_t(name.size())));
    return found == keywords.end() ? nullptr : &found->second;
}

bool RtfParser::CharacterState::operator==(const CharacterState &other) const
{
    return font == other.font && halfPoints == other.halfPoints && foreground == other.foreground &&
        background == other.background && bold == other.bold && italic == other.italic &&
        underline == other.underline && strikeOut == other.strikeOut && position == other.position &&
        raise == other.raise && capitals == other.capitals && hidden == other.hidden &&
        rightToLeft == other.rightToLeft && language == other.language && link == other.link;
}

RtfParser::RtfParser(QTextDocument &document)
    : builder_(document)
    , rows_(maximumTableDepth + 1)
{
}

void RtfParser::parse(QByteArrayView rtf)
{
    RtfTokenizer tokenizer(rtf);
    for (RtfTokenizer::Token token = tokenizer.next(); token.type != RtfTokenizer::TokenType::End && !finished_;
         token = tokenizer.next()) {
        if (skipDepth_ > 0)
            skipToken(token);
        else if (groups_.empty())
            startGroup(); // the document group: rtf starts with its brace
        else if (fallbackToSkip_ == 0 || !consumeFallback(token))
            handleToken(token);
    }
    // Groups left open at the end of the data are closed; their text stays.
    finish();
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
    if (token.type != Type::HexByte && token.type != Type::Text)
        decodeDestinationBytes();
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
    case Type::Binary:
        releaseHeldWhitespace();
        if (group().destination == Destination::Picture)
            picture_.data.append(token.text);
        break;
    case Type::End: break;
    }
}

// After \uN the next \ucN characters are the fallback for readers without Unicode: one \'hh,
// one control word or symbol, one \bin, one literal byte each. A brace ends the fallback early.
bool RtfParser::consumeFallback(RtfTokenizer::Token &token)
{
    using Type = RtfTokenizer::TokenType;
    switch (token.type) {
    case Type::GroupStart:
    case Type::GroupEnd:
    case Type::End: fallbackToSkip_ = 0; return false;
    case Type::Text:
        if (token.text.size() <= fallbackToSkip_) {
            fallbackToSkip_ -= int(token.text.size());
            return true;
        }
        token.text = token.text.sliced(fallbackToSkip_);
        fallbackToSkip_ = 0;
        return false;
    default: --fallbackToSkip_; return true;
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
    const Destination destination = group().destination;
    if (destination == Destination::FontTable) {
        fonts_.endEntry(decoder_, documentCodePage_);
        formatCache_.clear();
    }
    if (groups_.size() == 1) {
        // The document group closed; whatever follows is not part of the document.
        finish();
        return;
    }
    if (groups_[groups_.size() - 2].destination != destination)
        endListGroup(destination);
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
    const Keyword *keyword = findKeyword(token.text);
    GroupState &current = group();
    const bool ignorable = std::exchange(current.ignorableDestination, false);
    const bool startsGroup = std::exchange(current.atStart, false);
    if (groupJustStarted_) {
        if (keyword && keyword->isDestination())
            heldWhitespace_.clear();
        releaseHeldWhitespace();
    }
    const bool isUnicodeAlternative = keyword && keyword->action == Keyword::Action::UnicodeAlternative;
    if (current.destination == Destination::AlternativeChoice) {
        if (isUnicodeAlternative)
            current.destination = current.outerDestination;
        else
            startSkippingGroup();
        return;
    }
    if (passesOverInShape(keyword, startsGroup)) {
        if (startsGroup && token.text == "shptxt")
            noteNotKept(token.text);
        return;
    }
    if (ignorable && !(keyword && keyword->isDestination()) && !isUnicodeAlternative) {
        // A destination is the first word of its group; \* before a word in the middle of a
        // group marks only that word as one to pass over. A picture's own are ids and properties
        // of what the picture already is.
        if (startsGroup) {
            if (current.destination != Destination::Picture)
                noteNotKept(token.text);
            startSkippingGroup();
        }
        return;
    }
    if (keyword)
        applyKeyword(*keyword, token);
}

void RtfParser::applyKeyword(const Keyword &keyword, const RtfTokenizer::Token &token)
{
    // Each group of words has its own handler; the first that knows the word applies it.
    applyCharacterKeyword(keyword, token) || applyParagraphKeyword(keyword, token) ||
        applyTableKeyword(keyword, token) || applyListKeyword(keyword, token) || applyPictureKeyword(keyword, token) ||
        applyFieldKeyword(keyword, token) || applyShapeKeyword(keyword, token) || applyDocumentKeyword(keyword, token);
}

// The words of the document's own tables and destinations, and those that stand for text.
bool RtfParser::applyDocumentKeyword(const Keyword &keyword, const RtfTokenizer::Token &token)
{
    using A = Keyword::Action;
    GroupState &current = group();
    const int parameter = token.parameter;
    switch (keyword.action) {
    case A::SkipDestination:
        // The writer names itself anew, and the rest are copies of what is read for readers
        // that cannot read it.
        if (token.text != RtfWord::generator && token.text != RtfWord::nonesttables && token.text != "nonshppict")
            noteNotKept(token.text);
        startSkippingGroup();
        break;
    case A::NotKept: noteNotKept(token.text); break;
    case A::FontTable: current.destination = Destination::FontTable; break;
    case A::ColorTable: current.destination = Destination::ColorTable; break;
    case A::Alternatives:
        current.outerDestination = current.destination;
        current.destination = Destination::Alternatives;
        break;
    case A::UnicodeAlternative: break;
    case A::Utf8Document: utf8Text_ = true; break;
    case A::CharacterSet: documentCodePage_ = keyword.value; break;
    case A::AnsiCodePage:
        if (parameter > 0 && parameter <= maximumCodePage)
            documentCodePage_ = parameter;
        break;
    case A::DefaultFont:
        defaultFont_ = parameter;
        formatCache_.clear();
        break;
    case A::DefaultLanguage:
        defaultLanguage_ = qMax(parameter, 0);
        formatCache_.clear();
        break;
    case A::DefaultFarEastLanguage: defaultFarEastLanguage_ = qMax(parameter, 0); break;
    case A::FontCharset:
        if (current.destination == Destination::FontTable)
            fonts_.setCharset(parameter);
        break;
    case A::FontCodePage:
        if (current.destination == Destination::FontTable && parameter > 0 && parameter <= maximumCodePage)
            fonts_.setCodePage(parameter);
        break;
    case A::Red: colors_.setRed(parameter); break;
    case A::Green: colors_.setGreen(parameter); break;
    case A::Blue: colors_.setBlue(parameter); break;
    case A::ReadDestination: break;
    case A::Character: {
        const char16_t c = char16_t(keyword.value);
        appendCharacters(QStringView(&c, 1));
        break;
    }
    case A::UnicodeCharacter:
        if (token.hasParameter)
            appendUnicodeUnit(parameter);
        fallbackToSkip_ = current.unicodeFallbackLength;
        break;
    case A::UnicodeFallbackLength:
        current.unicodeFallbackLength = token.hasParameter ? qBound(0, parameter, maximumUnicodeFallbackLength) : 1;
        break;
    default: return false;
    }
    return true;
}

// Character formatting.
bool RtfParser::applyCharacterKeyword(const Keyword &keyword, const RtfTokenizer::Token &token)
{
    using A = Keyword::Action;
    GroupState &current = group();
    CharacterState &character = current.character;
    const int parameter = token.parameter;
    const bool toggle = !token.hasParameter || parameter != 0;
    switch (keyword.action) {
    case A::Font:
        if (current.destination == Destination::FontTable) {
            fonts_.endEntry(decoder_, documentCodePage_);
            fonts_.beginEntry(parameter);
            formatCache_.clear();
        } else if (token.hasParameter && fonts_.contains(parameter)) {
            character.font = parameter;
        }
        break;
    case A::Plain: character = CharacterState(); break;
    case A::FontSize:
        character.halfPoints = parameter > 0 ? qMin(parameter, RtfCharacterFormat::maximumHalfPoints)
                                             : RtfCharacterFormat::defaultHalfPoints;
        break;
    case A::Foreground: setColor(character.foreground, token); break;
    case A::Background: setColor(character.background, token); break;
    case A::Bold: character.bold = toggle; break;
    case A::Italic: character.italic = toggle; break;
    case A::Underline: character.underline = toggle ? keyword.value : 0; break;
    case A::StrikeOut: character.strikeOut = toggle; break;
    case A::Position:
        // \super and \sub are apart from \up and \dn: a run may have both, which add.
        character.position = RtfCharacterFormat::Position(keyword.value);
        break;
    case A::Raise:
        // Six half-points is what \up and \dn mean without a number.
        character.raise = keyword.value *
            qBound(0, token.hasParameter ? parameter : 6, RtfCharacterFormat::maximumHalfPoints);
        break;
    case A::Capitals:
        if (toggle)
            character.capitals = RtfCharacterFormat::Capitals(keyword.value);
        else if (character.capitals == RtfCharacterFormat::Capitals(keyword.value))
            character.capitals = RtfCharacterFormat::Capitals::None;
        break;
    case A::Hidden: character.hidden = toggle; break;
    case A::RunDirection: character.rightToLeft = keyword.value != 0; break;
    case A::Language: character.language = qMax(parameter, 0); break;
    default: return false;
    }
    return true;
}

// Paragraph formatting and ends.
bool RtfParser::applyParagraphKeyword(const Keyword &keyword, const RtfTokenizer::Token &token)
{
    using A = Keyword::Action;
    GroupState &current = group();
    RtfParagraphFormat &paragraph = current.paragraph;
    const int parameter = token.parameter;
    const bool toggle = !token.hasParameter || parameter != 0;
    switch (keyword.action) {
    case A::ParagraphBorder:
        noteNotKept(token.text);
        borderTarget_ = {};
        break;
    case A::ParagraphDefaults:
        borderTarget_ = {};
        paragraph = RtfParagraphFormat();
        current.nextTab = RtfParagraphFormat::TabStop();
        current.listOverride = -1;
        current.listLevel = 0;
        break;
    case A::LeftIndent: paragraph.leftIndent = clampTwips(parameter); break;
    case A::RightIndent: paragraph.rightIndent = clampTwips(parameter); break;
    case A::FirstLineIndent: paragraph.firstLineIndent = clampTwips(parameter); break;
    case A::SpaceBefore: paragraph.spaceBefore = qMax(0, clampTwips(parameter)); break;
    case A::SpaceAfter: paragraph.spaceAfter = qMax(0, clampTwips(parameter)); break;
    case A::LineSpacing: paragraph.lineSpacing = clampTwips(parameter); break;
    case A::LineSpacingMultiple: paragraph.lineSpacingMultiple = toggle; break;
    case A::Alignment: paragraph.alignment = RtfParagraphFormat::Alignment(keyword.value); break;
    case A::Direction: paragraph.rightToLeft = keyword.value != 0; break;
    case A::TabKind: current.nextTab.kind = RtfParagraphFormat::TabStop::Kind(keyword.value); break;
    case A::TabLeader: current.nextTab.leader = RtfParagraphFormat::TabStop::Leader(keyword.value); break;
    case A::TabPosition:
    case A::BarTab:
        // A bar tab has no kind or leader; words written before it belonged to it all the same.
        if (keyword.action == A::BarTab)
            current.nextTab = {0, RtfParagraphFormat::TabStop::Kind::Bar};
        current.nextTab.position = qMax(0, clampTwips(parameter));
        if (paragraph.tabStops.size() < RtfParagraphFormat::maximumTabStops)
            paragraph.tabStops.append(current.nextTab);
        current.nextTab = RtfParagraphFormat::TabStop();
        break;
    case A::ParagraphBreak: endParagraph(); break;
    default: return false;
    }
    return true;
}

// Table rows and cells: their definitions and ends.
bool RtfParser::applyTableKeyword(const Keyword &keyword, const RtfTokenizer::Token &token)
{
    using A = Keyword::Action;
    GroupState &current = group();
    RtfParagraphFormat &paragraph = current.paragraph;
    const int parameter = token.parameter;
    switch (keyword.action) {
    case A::CellEnd: endCell(keyword.value == 1 ? 1 : qMax(2, paragraph.tableDepth)); break;
    case A::RowEnd: endRow(keyword.value == 1 ? 1 : qMax(2, paragraph.tableDepth)); break;
    case A::TableParagraph: paragraph.tableDepth = qMax(1, paragraph.tableDepth); break;
    case A::TableDepth: paragraph.tableDepth = qBound(0, parameter, maximumTableDepth); break;
    case A::RowDefaults:
        rowDepth_ = qBound(1, paragraph.tableDepth, maximumTableDepth);
        rows_[rowDepth_] = RtfRowFormat();
        nextCell_ = RtfCellFormat();
        borderTarget_ = {};
        break;
    case A::RowGap: rows_[rowDepth_].gap = clampTwips(parameter); break;
    case A::RowLeft: rows_[rowDepth_].left = clampTwips(parameter); break;
    case A::CellRight:
        if (rows_[rowDepth_].cellRights.size() < RtfRowFormat::maximumCells) {
            rows_[rowDepth_].cellRights.append(clampTwips(parameter));
            rows_[rowDepth_].cells.append(nextCell_);
        }
        nextCell_ = RtfCellFormat();
        borderTarget_ = {};
        break;
    case A::RowHeight: rows_[rowDepth_].height = clampTwips(parameter); break;
    case A::RowBorder:
    case A::CellBorder:
        // The border words that follow describe this border.
        borderTarget_ = {keyword.action == A::RowBorder ? BorderTarget::Row : BorderTarget::Cell, keyword.value};
        if (RtfBorder *border = targetBorder())
            *border = RtfBorder();
        break;
    case A::BorderStyle:
    case A::BorderWidth:
    case A::BorderColor:
        if (RtfBorder *border = targetBorder()) {
            if (keyword.action == A::BorderStyle)
                border->style = keyword.value;
            else if (keyword.action == A::BorderWidth)
                border->width = qBound(0, parameter, maximumBorderWidth);
            else
                border->color = colors_.color(parameter);
        }
        break;
    case A::CellBackground: nextCell_.background = colors_.color(parameter); break;
    case A::CellPattern: nextCell_.pattern = colors_.color(parameter); break;
    case A::CellShading: nextCell_.shading = qBound(0, parameter, 10000); break;
    case A::CellAlignment: nextCell_.alignment = RtfCellFormat::Alignment(keyword.value); break;
    case A::CellMerge: {
        using Merge = RtfCellFormat::Merge;
        const Merge merge = keyword.value % 2 == 0 ? Merge::First : Merge::Continued;
        (keyword.value < 2 ? nextCell_.horizontalMerge : nextCell_.verticalMerge) = merge;
        break;
    }
    default: return false;
    }
    return true;
}

// Rich-edit numbering (\pn) and word processors' list tables.
bool RtfParser::applyListKeyword(const Keyword &keyword, const RtfTokenizer::Token &token)
{
    using A = Keyword::Action;
    GroupState &current = group();
    CharacterState &character = current.character;
    const int parameter = token.parameter;
    switch (keyword.action) {
    case A::ListText:
        current.destination = Destination::ListText;
        character.hidden = false; // the number is shown, whatever the text before it was
        decodePendingBytes();
        flushText();
        builder_.beginListText();
        break;
    case A::ListDefinition:
        current.destination = Destination::ListDefinition;
        listDefinition_ = RtfListFormat();
        listContinuation_ = false;
        break;
    case A::ListContinuation: listContinuation_ = true; break;
    case A::ListBullet: listDefinition_.kind = RtfListFormat::Kind::Bullet; break;
    case A::ListBody:
    case A::ListOutlineLevel:
        if (!listDefinition_.isNumbered())
            listDefinition_.kind = RtfListFormat::Kind::Decimal;
        if (keyword.action == A::ListOutlineLevel)
            listDefinition_.level = qBound(1, parameter, 9);
        break;
    case A::ListKind:
        if (listDefinition_.kind != RtfListFormat::Kind::Bullet)
            listDefinition_.kind = RtfListFormat::Kind(keyword.value);
        break;
    case A::ListStart: listDefinition_.start = qBound(0, parameter, 32767); break;
    case A::ListPrefix: current.destination = Destination::ListPrefix; break;
    case A::ListSuffix: current.destination = Destination::ListSuffix; break;
    case A::ListTable: current.destination = Destination::ListTable; break;
    case A::ListName:
        if (current.destination == Destination::ListEntry)
            current.destination = Destination::ListName;
        else
            startSkippingGroup();
        break;
    case A::ListEntry:
    case A::ListLevel:
    case A::LevelText:
        // Inside the list table these open a list, one of its levels and the level's text;
        // anywhere else they are groups to pass over.
        if (keyword.action == A::ListEntry && current.destination == Destination::ListTable) {
            current.destination = Destination::ListEntry;
            lists_.beginList();
        } else if (keyword.action == A::ListLevel &&
                   (current.destination == Destination::ListEntry ||
                    current.destination == Destination::ListOverrideLevel)) {
            current.destination = Destination::ListLevel;
            lists_.beginLevel();
        } else if (keyword.action == A::LevelText && current.destination == Destination::ListLevel) {
            current.destination = Destination::LevelText;
        } else {
            startSkippingGroup();
        }
        break;
    case A::LevelNumberFormat:
        if (current.destination == Destination::ListLevel)
            lists_.setLevelNumberFormat(parameter);
        break;
    case A::LevelStart:
        if (current.destination == Destination::ListLevel)
            lists_.setLevelStart(parameter);
        else if (current.destination == Destination::ListOverrideLevel)
            lists_.setOverrideLevelStart(parameter);
        break;
    case A::ListId:
        if (current.destination == Destination::ListEntry)
            lists_.setListId(parameter);
        else if (current.destination == Destination::ListOverride)
            lists_.setOverrideListId(parameter);
        break;
    case A::ListOverrideTable: current.destination = Destination::ListOverrideTable; break;
    case A::ListOverride:
        if (current.destination == Destination::ListOverrideTable) {
            current.destination = Destination::ListOverride;
            lists_.beginOverride();
        } else {
            startSkippingGroup();
        }
        break;
    case A::ListOverrideLevel:
        if (current.destination == Destination::ListOverride) {
            current.destination = Destination::ListOverrideLevel;
            lists_.beginOverrideLevel();
        } else {
            startSkippingGroup();
        }
        break;
    case A::ListOverrideRestart:
        if (current.destination == Destination::ListOverrideLevel)
            lists_.restartOverrideLevel();
        break;
    case A::ListOverrideNumber:
        if (current.destination == Destination::ListOverride)
            lists_.setOverrideNumber(parameter);
        else
            current.listOverride = parameter;
        break;
    case A::ListLevelNumber: current.listLevel = qBound(0, parameter, 8); break;
    default: return false;
    }
    return true;
}

// Pictures and their sizes.
bool RtfParser::applyPictureKeyword(const Keyword &keyword, const RtfTokenizer::Token &token)
{
    using A = Keyword::Action;
    GroupState &current = group();
    const int parameter = token.parameter;
    switch (keyword.action) {
    case A::Picture:
        current.destination = Destination::Picture;
        picture_ = RtfPicture();
        pictureHighNibble_ = -1;
        break;
    case A::PictureType:
        if (current.destination == Destination::Picture) {
            picture_.type = token.text.toByteArray();
            if (RtfPicture::typeTakesNumber(token.text))
                picture_.type += QByteArray::number(token.hasParameter ? parameter : 0);
        }
        break;
    case A::PictureSize:
        if (current.destination == Destination::Picture) {
            int *const sizes[] = {&picture_.width,   &picture_.height,    &picture_.goalWidth, &picture_.goalHeight,
                                  &picture_.scaleX,  &picture_.scaleY,    &picture_.cropLeft,  &picture_.cropRight,
                                  &picture_.cropTop, &picture_.cropBottom};
            const int limit = keyword.value >= 4 && keyword.value < 6 ? 10000 : 1000000;
            // A crop may be negative: it widens the picture's frame.
            *sizes[keyword.value] = qBound(keyword.value >= 6 ? -limit : 0, parameter, limit);
        }
        break;
    default: return false;
    }
    return true;
}

// Fields and footnote marks.
bool RtfParser::applyFieldKeyword(const Keyword &keyword, const RtfTokenizer::Token &token)
{
    using A = Keyword::Action;
    GroupState &current = group();
    switch (keyword.action) {
    case A::Field: fieldInstruction_.clear(); break;
    case A::FieldInstruction: current.destination = Destination::FieldInstruction; break;
    case A::FieldResult: startFieldResult(); break;
    case A::FootnoteMark:
        // Footnotes are skipped, and so are their marks: a number without its note would be a
        // stray raised digit in the text.
        noteNotKept(token.text);
        break;
    default: return false;
    }
    return true;
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
        if (groupJustStarted_ && isSpaces(text)) {
            heldWhitespace_.append(text);
            return;
        }
        releaseHeldWhitespace();
        appendBytes(text);
        break;
    case Destination::FontTable:
        for (qsizetype end = text.indexOf(';'); end >= 0; end = text.indexOf(';')) {
            fonts_.appendToName(text.first(end));
            fonts_.endEntry(decoder_, documentCodePage_);
            formatCache_.clear();
            text = text.sliced(end + 1);
        }
        fonts_.appendToName(text);
        break;
    case Destination::ColorTable:
        for (char c : text) {
            if (c == ';')
                colors_.endEntry();
        }
        formatCache_.clear();
        break;
    case Destination::Alternatives: break;
    case Destination::AlternativeChoice: startSkippingGroup(); break;
    case Destination::FieldInstruction:
    case Destination::ListPrefix:
    case Destination::ListSuffix:
    case Destination::LevelText:
    case Destination::ListName:
        if (currentCodePage() != destinationBytesCodePage_)
            decodeDestinationBytes();
        destinationBytes_.append(text);
        destinationBytesCodePage_ = currentCodePage();
        break;
    case Destination::Picture: appendPictureHex(text); break;
    case Destination::ListDefinition:
    case Destination::ListTable:
    case Destination::ListEntry:
    case Destination::ListLevel:
    case Destination::ListOverrideTable:
    case Destination::ListOverride:
    case Destination::ListOverrideLevel:
    case Destination::ShapeInstructions:
    case Destination::ShapeProperty:
    case Destination::ShapePropertyValue: break;
    case Destination::ShapePropertyName:
        if (shapePropertyName_.size() < 64)
            shapePropertyName_.append(QString::fromLatin1(text).trimmed());
        break;
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
    const CharacterState &state = group().character;
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
    // \uN is a signed 16-bit code unit; positive values up to 65535 are accepted as well.
    const char16_t unit = value < -32768 || value > 65535 ? replacementCharacter : char16_t(value & 0xFFFF);
    if (group().destination == Destination::FontTable) {
        fonts_.appendToName(QChar(unit), decoder_, documentCodePage_);
        return;
    }
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

// A list's number text or a field's instruction is decoded in runs too, up to the next control
// word or brace: a double-byte character of "\'a1\'a4" counts as one, as the level text's
// length counts it.
void RtfParser::decodeDestinationBytes()
{
    if (destinationBytes_.isEmpty())
        return;
    const QString text = decoder_.decode(destinationBytesCodePage_, destinationBytes_);
    destinationBytes_.clear();
    collectDestinationText(text);
}

void RtfParser::decodePendingBytes()
{
    if (pendingBytes_.isEmpty())
        return;
    const QString text = decoder_.decode(pendingBytesCodePage_, pendingBytes_);
    pendingBytes_.clear();
    appendDecoded(text, pendingBytesState_);
}

void RtfParser::appendDecoded(QStringView text, const CharacterState &state)
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
    builder_.setTableDepth(depth, rows_[qMax(1, depth)]);
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
    builder_.endRow(depth, rows_[depth]);
    rows_[depth] = RtfRowFormat();
}

// The end of a group that held one part of a list: a list item's text, a \pn definition, which
// belongs to the paragraph around it, or a list or level of the list table.
void RtfParser::endListGroup(Destination destination)
{
    switch (destination) {
    case Destination::ListText:
        decodePendingBytes();
        flushText();
        builder_.endListText();
        break;
    case Destination::ListDefinition:
        // A paragraph that continues a list item has no number of its own: it is a paragraph
        // outside the list, and the list numbers on after it.
        if (listContinuation_)
            listDefinition_ = RtfListFormat();
        if (listDefinition_.kind == RtfListFormat::Kind::Bullet) {
            listDefinition_.kind = RtfListFormat::bulletKind(listDefinition_.prefix);
            listDefinition_.prefix.clear();
            listDefinition_.suffix.clear();
        }
        listDefinition_.cleanAffixes();
        groups_[groups_.size() - 2].paragraph.list = listDefinition_;
        break;
    case Destination::ListLevel: lists_.endLevel(); break;
    case Destination::ListEntry: lists_.endList(); break;
    case Destination::ListOverride: lists_.endOverride(); break;
    case Destination::Picture:
        if (picture_.data.isEmpty() || picture_.type.isEmpty())
            break;
        if (groups_[groups_.size() - 2].destination == Destination::ShapePropertyValue && !shapes_.empty())
            shapes_.back().picture = std::exchange(picture_, RtfPicture());
        else if (isTextDestination(groups_.size() - 2))
            appendPicture(std::exchange(picture_, RtfPicture()));
        break;
    default: break;
    }
}

// Picture data is hexadecimal, two digits a byte, with line breaks and spaces anywhere. Pictures
// are most of a file that has them, so the digits are decoded by table, straight into place.
void RtfParser::appendPictureHex(QByteArrayView text)
{
    static const auto digits = [] {
        std::array<signed char, 256> table{};
        table.fill(-1);
        for (int c = '0'; c <= '9'; ++c)
            table[c] = char(c - '0');
        for (int c = 'a'; c <= 'f'; ++c)
            table[c] = table[c - 'a' + 'A'] = char(c - 'a' + 10);
        return table;
    }();
    const qsizetype start = picture_.data.size();
    picture_.data.resize(start + text.size() / 2 + 1);
    char *out = picture_.data.data() + start;
    for (char c : text) {
        const int digit = digits[static_cast<unsigned char>(c)];
        if (digit < 0)
            continue;
        if (pictureHighNibble_ < 0) {
            pictureHighNibble_ = digit;
        } else {
            *out++ = char(pictureHighNibble_ * 16 + digit);
            pictureHighNibble_ = -1;
        }
    }
    picture_.data.truncate(out - picture_.data.constData());
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

// Shapes: where they begin and end, and the parts of their instructions that are read.
bool RtfParser::applyShapeKeyword(const Keyword &keyword, const RtfTokenizer::Token &)
{
    using A = Keyword::Action;
    GroupState &current = group();
    switch (keyword.action) {
    case A::Shape:
        // Where the shape stands on the page, and how text flows around it, is not kept: its
        // picture is shown in the text.
        noteNotKept("shp");
        if (shapes_.size() < maximumGroupDepth) {
            current.opens = Opens::Shape;
            shapes_.push_back({RtfPicture(), picturesAppended_});
        }
        break;
    case A::ShapeInstructions: current.destination = Destination::ShapeInstructions; break;
    case A::ShapeProperty:
        current.destination = Destination::ShapeProperty;
        shapePropertyName_.clear();
        break;
    case A::ShapePropertyName: current.destination = Destination::ShapePropertyName; break;
    case A::ShapePropertyValue:
        if (shapePropertyName_ == u"pib")
            current.destination = Destination::ShapePropertyValue;
        else
            startSkippingGroup();
        break;
    case A::ShapeResult: break;
    default: return false;
    }
    return true;
}

// Inside a shape's instructions only the groups that lead to a picture frame's picture are read:
// the rest is passed over, groups and all, so that nothing there reaches the text or the tables.
bool RtfParser::passesOverInShape(const Keyword *keyword, bool startsGroup)
{
    using A = Keyword::Action;
    const auto opens = [&](std::initializer_list<A> actions) {
        return startsGroup && keyword && std::find(actions.begin(), actions.end(), keyword->action) != actions.end();
    };
    bool read = false;
    switch (group().destination) {
    case Destination::ShapeInstructions: read = opens({A::ShapeProperty}); break;
    case Destination::ShapeProperty: read = opens({A::ShapePropertyName, A::ShapePropertyValue}); break;
    case Destination::ShapePropertyName: break;
    case Destination::ShapePropertyValue: read = opens({A::Picture}); break;
    default: return false;
    }
    if (read)
        return false;
    if (startsGroup)
        startSkippingGroup();
    return true;
}

// A picture frame whose result for readers without shapes showed no picture shows its own here.
void RtfParser::endShape()
{
    const Shape shape = std::move(shapes_.back());
    shapes_.pop_back();
    if (picturesAppended_ == shape.picturesBefore && !shape.picture.data.isEmpty() &&
        isTextDestination(groups_.size() - 2))
        appendPicture(shape.picture);
}

// The shown text of a field; a hyperlink's carries its target.
void RtfParser::startFieldResult()
{
    const QString target = HyperlinkField::target(fieldInstruction_);
    const QString instruction = fieldInstruction_.trimmed();
    fieldInstruction_.clear();
    if (target.isEmpty()) {
        // Only the field's result, its text as last shown, is kept.
        if (!instruction.isEmpty())
            noteNotKept(QStringLiteral("field %1").arg(instruction.section(u' ', 0, 0)).toLatin1());
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

RtfBorder *RtfParser::targetBorder()
{
    const int side = borderTarget_.side;
    switch (borderTarget_.owner) {
    case BorderTarget::Row: return side >= 0 && side < RtfBorder::rowSides ? &rows_[rowDepth_].borders[side] : nullptr;
    case BorderTarget::Cell: return side >= 0 && side < RtfBorder::cellSides ? &nextCell_.borders[side] : nullptr;
    case BorderTarget::None: break;
    }
    return nullptr;
}

void RtfParser::setColor(int &slot, const RtfTokenizer::Token &token) const
{
    // Entry 0 is the automatic colour in rich-edit tables but may be a real colour in old files;
    // an index the table does not hold leaves the colour as it was.
    const int index = token.hasParameter ? token.parameter : 0;
    if (index == 0 || colors_.contains(index))
        slot = index;
}

// Link targets and list number texts hold what the writer escapes in text: no-break spaces,
// tabs, dashes, \uN. False for destinations that collect no text this way.
bool RtfParser::collectDestinationText(QStringView text)
{
    switch (group().destination) {
    case Destination::FieldInstruction: fieldInstruction_.append(text); return true;
    case Destination::ListPrefix: listDefinition_.prefix.append(text); return true;
    case Destination::ListSuffix: listDefinition_.suffix.append(text); return true;
    case Destination::LevelText: lists_.appendLevelText(text); return true;
    case Destination::ListName: lists_.appendListName(text); return true;
    default: return false;
    }
}

void RtfParser::noteNotKept(QByteArrayView word)
{
    const QString name = QString::fromLatin1(word);
    if (!notKept_.contains(name) && notKept_.size() < 64)
        notKept_.append(name);
}

bool RtfParser::isTextDestination(std::size_t level) const
{
    const Destination destination = groups_[level].destination;
    return destination == Destination::Body || destination == Destination::ListText;
}

bool RtfParser::isTextDestination() const { return isTextDestination(groups_.size() - 1); }

int RtfParser::currentCodePage() const
{
    if (utf8Text_)
        return CodePageDecoder::utf8;
    const int font = groups_.back().character.font;
    return fonts_.codePage(font < 0 ? defaultFont_ : font, documentCodePage_);
}

QTextCharFormat RtfParser::charFormat(const CharacterState &state)
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
QTextCharFormat RtfParser::markFormat(CharacterState state)
{
    state.hidden = false;
    state.link = -1;
    return charFormat(state);
}

// A picture is shown, hidden text around it or not; it may be a link.
QTextCharFormat RtfParser::pictureFormat(CharacterState state)
{
    state.hidden = false;
    return charFormat(state);
}

RtfCharacterFormat RtfParser::resolve(const CharacterState &state) const
{
    RtfCharacterFormat format;
    const int font = state.font < 0 ? defaultFont_ : state.font;
    format.family = fonts_.family(font);
    if (format.family.isEmpty())
        format.family = DescriptionFont::family;
    if (!utf8Text_)
        format.charset = fonts_.charset(font, documentCodePage_);
    format.halfPoints = state.halfPoints;
    format.foreground = state.foreground < 0 ? QColor() : colors_.color(state.foreground);
    format.background = state.background < 0 ? QColor() : colors_.color(state.background);
    format.bold = state.bold;
    format.italic = state.italic;
    format.underline = state.underline;
    format.strikeOut = state.strikeOut;
    format.position = state.position;
    format.raise = state.raise;
    format.capitals = state.capitals;
    format.hidden = state.hidden;
    format.rightToLeft = state.rightToLeft;
    // A run in the document's own language is written back without a tag of its own.
    format.language = state.language == defaultLanguage_ ? 0 : state.language;
    if (state.link >= 0)
        format.link = links_.at(state.link);
    return format;
}
