#pragma once

#include "description/RtfListFormat.h"
#include "description/RtfParagraphFormat.h"
#include "description/RtfWords.h"

#include <QByteArrayView>

#include <optional>

// Control words that each stand for one value, paired once: the reader looks a word up here and
// the writer the word of a value, so the two cannot drift apart.
template <typename Value>
struct RtfWordPair {
    const char *word;
    Value value;
};

namespace RtfWordPairs {

inline constexpr RtfWordPair<RtfParagraphFormat::Alignment> alignments[] = {
    {RtfWord::qc, RtfParagraphFormat::Alignment::Center},
    {RtfWord::qr, RtfParagraphFormat::Alignment::Right},
    {RtfWord::qj, RtfParagraphFormat::Alignment::Justify},
};

inline constexpr RtfWordPair<RtfParagraphFormat::TabStop::Kind> tabKinds[] = {
    {RtfWord::tqc, RtfParagraphFormat::TabStop::Kind::Center},
    {RtfWord::tqr, RtfParagraphFormat::TabStop::Kind::Right},
    {RtfWord::tqdec, RtfParagraphFormat::TabStop::Kind::Decimal},
};

inline constexpr RtfWordPair<RtfParagraphFormat::TabStop::Leader> tabLeaders[] = {
    {RtfWord::tldot, RtfParagraphFormat::TabStop::Leader::Dot},
    {RtfWord::tlmdot, RtfParagraphFormat::TabStop::Leader::MiddleDot},
    {RtfWord::tlhyph, RtfParagraphFormat::TabStop::Leader::Hyphen},
    {RtfWord::tlul, RtfParagraphFormat::TabStop::Leader::Underline},
    {RtfWord::tlth, RtfParagraphFormat::TabStop::Leader::Thick},
    {RtfWord::tleq, RtfParagraphFormat::TabStop::Leader::Equals},
};

// The number kinds of a rich-edit \pn.
inline constexpr RtfWordPair<RtfListFormat::Kind> numberKinds[] = {
    {RtfWord::pndec, RtfListFormat::Kind::Decimal},       {RtfWord::pnlcltr, RtfListFormat::Kind::LowerLetter},
    {RtfWord::pnucltr, RtfListFormat::Kind::UpperLetter}, {RtfWord::pnlcrm, RtfListFormat::Kind::LowerRoman},
    {RtfWord::pnucrm, RtfListFormat::Kind::UpperRoman},
};

// Words that stand for one character, in text and in the text of a destination alike.
inline constexpr RtfWordPair<char16_t> characters[] = {
    {RtfWord::tab, u'\t'},  {RtfWord::line, u'\u2028'}, {"emdash", u'—'},       {"endash", u'–'},
    {"emspace", u'\u2003'}, {"enspace", u'\u2002'},     {"qmspace", u'\u2005'}, {"bullet", u'•'},
    {"lquote", u'‘'},       {"rquote", u'’'},           {"ldblquote", u'“'},    {"rdblquote", u'”'},
    {"zwbo", u'\u200B'},    {"zwnj", u'\u200C'},        {"zwj", u'\u200D'},     {"ltrmark", u'\u200E'},
    {"rtlmark", u'\u200F'},
};

// The number formats of a word processor's list level (\levelnfcN) that a description tells apart.
inline constexpr std::pair<int, RtfListFormat::Kind> levelNumberFormats[] = {
    {0, RtfListFormat::Kind::Decimal},     {1, RtfListFormat::Kind::UpperRoman},  {2, RtfListFormat::Kind::LowerRoman},
    {3, RtfListFormat::Kind::UpperLetter}, {4, RtfListFormat::Kind::LowerLetter}, {23, RtfListFormat::Kind::Bullet},
};

// The word of value; null when no word stands for it.
template <typename Value, std::size_t size>
const char *wordOf(const RtfWordPair<Value> (&pairs)[size], Value value)
{
    for (const RtfWordPair<Value> &pair : pairs) {
        if (pair.value == value)
            return pair.word;
    }
    return nullptr;
}

template <typename Value, std::size_t size>
std::optional<Value> valueOf(const RtfWordPair<Value> (&pairs)[size], QByteArrayView word)
{
    for (const RtfWordPair<Value> &pair : pairs) {
        if (word == pair.word)
            return pair.value;
    }
    return std::nullopt;
}

} // namespace RtfWordPairs
