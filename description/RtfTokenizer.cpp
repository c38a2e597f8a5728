#include "description/RtfTokenizer.h"

#include <QChar>

#include <array>
#include <limits>

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Text is most of a file (picture data above all), so its end is found by table.
constexpr std::array<bool, 256> textEnds = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : {'\\', '{', '}', '\r', '\n', '\0'})
        table[c] = true;
    return table;
}();

bool endsText(char c) { return textEnds[static_cast<unsigned char>(c)]; }

RtfTokenizer::Token makeToken(RtfTokenizer::TokenType type)
{
    RtfTokenizer::Token token;
    token.type = type;
    return token;
}

} // namespace

RtfTokenizer::RtfTokenizer(QByteArrayView data)
    : data_(data)
{
}

RtfTokenizer::Token RtfTokenizer::next()
{
    while (position_ < data_.size()) {
        const char c = data_[position_];
        switch (c) {
        case '{': ++position_; return makeToken(TokenType::GroupStart);
        case '}': ++position_; return makeToken(TokenType::GroupEnd);
        case '\\': return readControl();
        case '\r':
        case '\n':
        case '\0': ++position_; break;
        default: return readText();
        }
    }
    return {};
}

bool RtfTokenizer::skipsAsFallback(Token &token, int &fallbackLeft)
{
    switch (token.type) {
    case TokenType::GroupStart:
    case TokenType::GroupEnd:
    case TokenType::End: fallbackLeft = 0; return false;
    case TokenType::Text:
        if (token.text.size() <= fallbackLeft) {
            fallbackLeft -= int(token.text.size());
            return true;
        }
        token.text = token.text.sliced(fallbackLeft);
        fallbackLeft = 0;
        return false;
    case TokenType::ControlWord:
    case TokenType::ControlSymbol:
    case TokenType::HexByte:
    case TokenType::Binary: break;
    }
    --fallbackLeft;
    return true;
}

char16_t RtfTokenizer::unicodeUnit(int parameter)
{
    return parameter < -32768 || parameter > 65535 ? char16_t(QChar::ReplacementCharacter)
                                                   : char16_t(parameter & 0xFFFF);
}

RtfTokenizer::Token RtfTokenizer::readControl()
{
    ++position_; // the backslash
    if (position_ >= data_.size())
        return {};
    const char c = data_[position_];
    if (isLetter(c))
        return readControlWord();
    ++position_;
    if (c == '\'')
        return readHexByte();
    Token token = makeToken(TokenType::ControlSymbol);
    token.symbol = c == '\r' ? '\n' : c;
    return token;
}

RtfTokenizer::Token RtfTokenizer::readControlWord()
{
    Token token = makeToken(TokenType::ControlWord);
    const qsizetype start = position_;
    while (position_ < data_.size() && isLetter(data_[position_]))
        ++position_;
    token.text = data_.sliced(start, position_ - start);

    const bool negative = position_ + 1 < data_.size() && data_[position_] == '-' && isDigit(data_[position_ + 1]);
    if (negative)
        ++position_;
    if (position_ < data_.size() && isDigit(data_[position_])) {
        // Saturate, but consume every digit so none leaks into the text.
        constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
        qint64 value = 0;
        while (position_ < data_.size() && isDigit(data_[position_])) {
            if (value < limit)
                value = value * 10 + (data_[position_] - '0');
            ++position_;
        }
        value = negative ? -value : value;
        token.parameter = int(
            qBound(qint64(std::numeric_limits<int>::min()), value, qint64(std::numeric_limits<int>::max())));
        token.hasParameter = true;
    }
    if (position_ < data_.size() && data_[position_] == ' ')
        ++position_;

    if (token.text == "bin") {
        const qsizetype length = qBound(qsizetype(0), qsizetype(token.parameter), data_.size() - position_);
        token.text = data_.sliced(position_, length);
        position_ += length;
        token.type = TokenType::Binary;
    }
    return token;
}

RtfTokenizer::Token RtfTokenizer::readHexByte()
{
    const int high = hexDigit(position_);
    if (high < 0) {
        // A broken escape: the reader ignores the lone symbol and reads what follows as usual.
        Token broken = makeToken(TokenType::ControlSymbol);
        broken.symbol = '\'';
        return broken;
    }
    ++position_;
    Token token = makeToken(TokenType::HexByte);
    const int low = hexDigit(position_);
    if (low < 0) {
        token.byte = static_cast<unsigned char>(high);
    } else {
        ++position_;
        token.byte = static_cast<unsigned char>(high * 16 + low);
    }
    return token;
}

RtfTokenizer::Token RtfTokenizer::readText()
{
    Token token = makeToken(TokenType::Text);
    const qsizetype start = position_;
    const char *const data = data_.data();
    const qsizetype size = data_.size();
    while (position_ < size && !endsText(data[position_]))
        ++position_;
    token.text = data_.sliced(start, position_ - start);
    return token;
}

int RtfTokenizer::hexDigit(qsizetype at) const
{
    if (at >= data_.size())
        return -1;
    const char c = data_[at];
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
