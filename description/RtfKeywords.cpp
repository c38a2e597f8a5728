#include "description/RtfKeywords.h"

#include "description/CodePageDecoder.h"
#include "description/RtfCellFormat.h"
#include "description/RtfCharacterFormat.h"
#include "description/RtfWordPairs.h"

#include <string_view>
#include <unordered_map>

namespace {

using Keywords = std::unordered_map<std::string_view, RtfKeyword>;

// Destinations whose content is not description text. Unknown destinations marked with \* are
// skipped all the same. An \object is read: its \objdata is skipped, and its \result is what a
// reader without the object shows.
constexpr const char *skippedDestinations[] = {
    "aftncn",
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
    "header",
    "headerf",
    "headerl",
    "headerr",
    "htmltag",
    "info",
    "latentstyles",
    "lchars",
    "mmathPr",
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
    "xmlnstbl",
};

void addDestinations(Keywords &table)
{
    using D = RtfKeyword::Destination;
    table.insert({
        {RtfWord::fonttbl, D::FontTable},
        {RtfWord::colortbl, D::ColorTable},
        {RtfWord::listtable, D::ListTable},
        {RtfWord::listoverridetable, D::ListOverrideTable},
        {RtfWord::pn, D::Numbering},
        {RtfWord::pict, D::Picture},
        {"upr", D::Alternatives},
        {"ud", D::UnicodeAlternative},
        {RtfWord::fldinst, D::FieldInstruction},
        {RtfWord::fldrslt, D::FieldResult},
        {RtfWord::pntext, D::ListText},
        {"listtext", D::ListText},
        // A nested row's definition, and Word's picture for readers of its drawing objects.
        {RtfWord::nesttableprops, D::Read},
        {"shppict", D::Read},
        // A shape's result is what a reader without shapes shows of it; of its instructions
        // only a picture frame's picture is read.
        {"shp", D::Shape},
        {"shpinst", D::ShapeInstructions},
        {"shprslt", D::ShapeResult},
    });
    // The writer names itself anew; the copies are for readers that cannot read what we read;
    // the parts of lists are read in their tables and nowhere else.
    for (std::string_view word :
         {RtfWord::generator, RtfWord::nonesttables, "nonshppict", RtfWord::list, RtfWord::listlevel,
          RtfWord::leveltext, RtfWord::listname, RtfWord::listoverride, "lfolevel", RtfWord::pntxtb, RtfWord::pntxta})
        table.emplace(word, D::PassOver);
    for (const char *word : skippedDestinations)
        table.emplace(word, D::Skip);
}

void addDocumentWords(Keywords &table)
{
    using D = RtfKeyword::Document;
    table.insert({
        {"urtf", D::Utf8},
        {RtfWord::ansi, {D::CharacterSet, CodePageDecoder::windows1252}},
        {"mac", {D::CharacterSet, 10000}},
        {"pc", {D::CharacterSet, 437}},
        {"pca", {D::CharacterSet, 850}},
        {RtfWord::ansicpg, D::AnsiCodePage},
        {RtfWord::deff, D::DefaultFont},
        {RtfWord::deflang, D::DefaultLanguage},
        {RtfWord::deflangfe, D::DefaultFarEastLanguage},
        {"chftn", D::FootnoteMark},
        {RtfWord::field, D::Field},
        {RtfWord::u, D::UnicodeCharacter},
        {RtfWord::uc, D::UnicodeFallbackLength},
    });
    for (const auto &[word, character] : RtfWordPairs::characters)
        table.emplace(word, RtfKeyword(D::Character, character));
    // Properties a description does not hold; a file that has them is reported.
    for (std::string_view word : {"trqc", "trqr", "clpadl", "clpadt", "clpadr", "clpadb", "trpaddl", "trpaddt",
                                  "trpaddr", "trpaddb", "trhdr", "cltxtbrl", "cltxbtlr"})
        table.emplace(word, D::NotKept);
}

void addCharacterWords(Keywords &table)
{
    using C = RtfKeyword::Character;
    using Position = RtfCharacterFormat::Position;
    using Capitals = RtfCharacterFormat::Capitals;
    table.insert({
        {RtfWord::f, C::Font},
        {"plain", C::Plain},
        {RtfWord::fs, C::FontSize},
        {RtfWord::cf, C::Foreground},
        // Rich-edit controls write \highlight for any background colour; \cb and \chcbpat are
        // what other writers use for the same thing.
        {RtfWord::highlight, C::Background},
        {"cb", C::Background},
        {"chcbpat", C::Background},
        {RtfWord::b, C::Bold},
        {RtfWord::i, C::Italic},
        {RtfWord::strike, C::StrikeOut},
        {"striked", C::StrikeOut},
        {RtfWord::super, {C::Position, int(Position::Superscript)}},
        {RtfWord::sub, {C::Position, int(Position::Subscript)}},
        {RtfWord::nosupersub, {C::Position, int(Position::Normal)}},
        {RtfWord::up, {C::Raise, 1}},
        {RtfWord::dn, {C::Raise, -1}},
        {RtfWord::caps, {C::Capitals, int(Capitals::All)}},
        {RtfWord::scaps, {C::Capitals, int(Capitals::Small)}},
        {RtfWord::v, C::Hidden},
        // Word writes both before most runs; the last one counts.
        {RtfWord::rtlch, {C::RunDirection, 1}},
        {RtfWord::ltrch, {C::RunDirection, 0}},
        {RtfWord::lang, C::Language},
    });
    for (int kind = 0; kind < RtfCharacterFormat::underlineKinds; ++kind)
        table.emplace(RtfCharacterFormat::underlineWord(kind), RtfKeyword(C::Underline, kind));
}

void addParagraphWords(Keywords &table)
{
    using P = RtfKeyword::Paragraph;
    table.insert({
        {RtfWord::pard, P::Defaults},
        {RtfWord::li, P::LeftIndent},
        {RtfWord::ri, P::RightIndent},
        {RtfWord::fi, P::FirstLineIndent},
        {RtfWord::sb, P::SpaceBefore},
        {RtfWord::sa, P::SpaceAfter},
        {RtfWord::sl, P::LineSpacing},
        {RtfWord::slmult, P::LineSpacingMultiple},
        {"ql", {P::Alignment, int(RtfParagraphFormat::Alignment::Left)}},
        {"qd", {P::Alignment, int(RtfParagraphFormat::Alignment::Justify)}},
        {RtfWord::rtlpar, {P::Direction, 1}},
        {"ltrpar", {P::Direction, 0}},
        {RtfWord::tx, P::TabPosition},
        {RtfWord::tb, P::BarTab},
        {RtfWord::par, P::Break},
        {"sect", P::Break},
        {"page", P::Break},
        {"column", P::Break},
        {RtfWord::ls, P::ListOverride},
        {RtfWord::ilvl, P::ListLevel},
        {RtfWord::intbl, P::TableParagraph},
        {RtfWord::itap, P::TableDepth},
        {RtfWord::cell, {P::CellEnd, 1}},
        {RtfWord::nestcell, {P::CellEnd, 2}},
        {RtfWord::row, {P::RowEnd, 1}},
        {RtfWord::nestrow, {P::RowEnd, 2}},
    });
    for (const auto &[word, alignment] : RtfWordPairs::alignments)
        table.emplace(word, RtfKeyword(P::Alignment, int(alignment)));
    for (const auto &[word, kind] : RtfWordPairs::tabKinds)
        table.emplace(word, RtfKeyword(P::TabKind, int(kind)));
    for (const auto &[word, leader] : RtfWordPairs::tabLeaders)
        table.emplace(word, RtfKeyword(P::TabLeader, int(leader)));
    for (std::string_view word : {"brdrt", "brdrl", "brdrb", "brdrr", "brdrbtw", "brdrbar", "box"})
        table.emplace(word, P::Border);
}

void addRowWords(Keywords &table)
{
    using R = RtfKeyword::Row;
    table.insert({
        {RtfWord::trowd, R::Defaults},
        {RtfWord::trgaph, R::Gap},
        {RtfWord::trleft, R::Left},
        {RtfWord::cellx, R::CellRight},
        {RtfWord::trrh, R::Height},
        {RtfWord::trbrdrt, {R::RowBorder, RtfBorder::Top}},
        {RtfWord::trbrdrl, {R::RowBorder, RtfBorder::Left}},
        {RtfWord::trbrdrb, {R::RowBorder, RtfBorder::Bottom}},
        {RtfWord::trbrdrr, {R::RowBorder, RtfBorder::Right}},
        {RtfWord::trbrdrh, {R::RowBorder, RtfBorder::Horizontal}},
        {RtfWord::trbrdrv, {R::RowBorder, RtfBorder::Vertical}},
        {RtfWord::clbrdrt, {R::CellBorder, RtfBorder::Top}},
        {RtfWord::clbrdrl, {R::CellBorder, RtfBorder::Left}},
        {RtfWord::clbrdrb, {R::CellBorder, RtfBorder::Bottom}},
        {RtfWord::clbrdrr, {R::CellBorder, RtfBorder::Right}},
        {"brdrnone", {R::BorderStyle, 0}},
        {RtfWord::brdrw, R::BorderWidth},
        {RtfWord::brdrcf, R::BorderColor},
        {RtfWord::clcbpat, R::CellBackground},
        {RtfWord::clcfpat, R::CellPattern},
        {RtfWord::clshdng, R::CellShading},
        {RtfWord::clmgf, {R::CellMerge, 0}},
        {RtfWord::clmrg, {R::CellMerge, 1}},
        {RtfWord::clvmgf, {R::CellMerge, 2}},
        {RtfWord::clvmrg, {R::CellMerge, 3}},
        {"clvertalt", {R::CellAlignment, int(RtfCellFormat::Alignment::Top)}},
        {RtfWord::clvertalc, {R::CellAlignment, int(RtfCellFormat::Alignment::Center)}},
        {RtfWord::clvertalb, {R::CellAlignment, int(RtfCellFormat::Alignment::Bottom)}},
    });
    for (int style = 1; style < RtfBorder::styles; ++style)
        table.emplace(RtfBorder::styleWord(style), RtfKeyword(R::BorderStyle, style));
}

} // namespace

const RtfKeyword *RtfKeyword::find(QByteArrayView word)
{
    static const Keywords keywords = [] {
        Keywords table;
        addDestinations(table);
        addDocumentWords(table);
        addCharacterWords(table);
        addParagraphWords(table);
        addRowWords(table);
        return table;
    }();
    const auto found = keywords.find(std::string_view(word.data(), std::size_t(word.size())));
    return found == keywords.end() ? nullptr : &found->second;
}
