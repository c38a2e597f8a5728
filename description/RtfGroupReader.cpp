#include "description/RtfGroupReader.h"

#include "description/RtfWordPairs.h"

#include <utility>

namespace {

// Tables nest four groups deep; a damaged one that nests deeper is passed over from there.
constexpr std::size_t maximumDepth = 32;
constexpr qsizetype maximumNotKept = 64;

} // namespace

RtfGroupReader::RtfGroupReader(RtfTokenizer &tokenizer, Handler &handler, int unicodeFallbackLength,
                               QStringList *notKept)
    : tokenizer_(tokenizer)
    , handler_(handler)
    , notKept_(notKept)
    , fallbackLengths_{unicodeFallbackLength}
{
}

bool RtfGroupReader::read(RtfTokenizer &tokenizer, Handler &handler, int unicodeFallbackLength, QStringList *notKept)
{
    return RtfGroupReader(tokenizer, handler, unicodeFallbackLength, notKept).readAll();
}

void RtfGroupReader::noteNotKept(QStringList &notKept, QByteArrayView word)
{
    const QString name = QString::fromLatin1(word);
    if (!notKept.contains(name) && notKept.size() < maximumNotKept)
        notKept.append(name);
}

bool RtfGroupReader::readAll()
{
    using Type = RtfTokenizer::TokenType;
    while (!closed_) {
        RtfTokenizer::Token token = tokenizer_.next();
        if (token.type == Type::End)
            break;
        if (fallbackLeft_ > 0 && RtfTokenizer::skipsAsFallback(token, fallbackLeft_))
            continue;
        switch (token.type) {
        case Type::GroupStart: startGroup(); continue;
        case Type::GroupEnd: endGroup(false); break;
        case Type::ControlWord: readWord(token); break;
        case Type::ControlSymbol: readSymbol(token.symbol); continue;
        case Type::HexByte: handler_.text(QByteArrayView(reinterpret_cast<const char *>(&token.byte), 1)); break;
        case Type::Text: handler_.text(token.text); break;
        case Type::Binary: handler_.binary(token.text); break;
        case Type::End: break;
        }
        atStart_ = false;
        ignorable_ = false;
    }
    return closed_;
}

void RtfGroupReader::startGroup()
{
    if (fallbackLengths_.size() >= maximumDepth) {
        passOverGroup();
        return;
    }
    fallbackLengths_.push_back(fallbackLengths_.back());
    fallbackLeft_ = 0;
    atStart_ = true;
    ignorable_ = false;
    handler_.groupStart();
}

void RtfGroupReader::endGroup(bool passedOver)
{
    fallbackLeft_ = 0;
    handler_.groupEnd(passedOver);
    if (fallbackLengths_.size() == 1)
        closed_ = true;
    else
        fallbackLengths_.pop_back();
}

// Reads on to the closing brace of the group just opened; false when the data ended first.
bool RtfGroupReader::passOverGroup()
{
    for (int depth = 1; depth > 0;) {
        switch (tokenizer_.next().type) {
        case RtfTokenizer::TokenType::GroupStart: ++depth; break;
        case RtfTokenizer::TokenType::GroupEnd: --depth; break;
        case RtfTokenizer::TokenType::End: return false;
        default: break;
        }
    }
    return true;
}

void RtfGroupReader::readWord(const RtfTokenizer::Token &token)
{
    const bool startsGroup = std::exchange(atStart_, false);
    const bool ignorable = std::exchange(ignorable_, false);
    if (token.text == RtfWord::uc) {
        fallbackLengths_.back() = token.hasParameter ? qBound(0, token.parameter, RtfTokenizer::maximumFallbackLength)
                                                     : 1;
        return;
    }
    if (token.text == RtfWord::u) {
        if (token.hasParameter)
            handler_.character(RtfTokenizer::unicodeUnit(token.parameter));
        fallbackLeft_ = fallbackLengths_.back();
        return;
    }
    if (const auto character = RtfWordPairs::valueOf(RtfWordPairs::characters, token.text)) {
        handler_.character(*character);
        return;
    }
    // \* before a word in the middle of a group marks only that word as one to pass over.
    if (ignorable && !startsGroup)
        return;
    switch (handler_.word(token)) {
    case Handler::Answer::Taken: break;
    case Handler::Answer::NotMine:
        if (!ignorable)
            break;
        if (notKept_)
            noteNotKept(*notKept_, token.text);
        [[fallthrough]];
    case Handler::Answer::SkipGroup:
        if (passOverGroup())
            endGroup(true);
        break;
    case Handler::Answer::GroupRead: endGroup(true); break;
    }
}

void RtfGroupReader::readSymbol(char symbol)
{
    if (symbol == '*') {
        ignorable_ = true;
        return;
    }
    atStart_ = false;
    ignorable_ = false;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
    case ':': handler_.text(QByteArrayView(&symbol, 1)); break;
    case '~': handler_.character(u'\u00A0'); break;
    case '-': handler_.character(u'\u00AD'); break;
    case '_': handler_.character(u'\u2011'); break;
    default: break;
    }
}
