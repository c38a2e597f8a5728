#include "description/RtfNumbering.h"

#include "description/RtfDestinationText.h"
#include "description/RtfGroupReader.h"
#include "description/RtfWordPairs.h"

#include <vector>

namespace {

constexpr int maximumStart = 32767;

class NumberingReader : public RtfGroupReader::Handler {
public:
    NumberingReader(CodePageDecoder &decoder, int codePage)
        : prefix_(decoder)
        , suffix_(decoder)
        , codePage_(codePage)
    {
    }

    Answer word(const RtfTokenizer::Token &token) override
    {
        const QByteArrayView word = token.text;
        if (word == RtfWord::pntxtb || word == RtfWord::pntxta) {
            parts_.back() = word == RtfWord::pntxtb ? &prefix_ : &suffix_;
        } else if (word == RtfWord::pnlvlblt) {
            format_.kind = RtfListFormat::Kind::Bullet;
        } else if (word == RtfWord::pnlvlbody || word == RtfWord::pnlvl) {
            if (!format_.isNumbered())
                format_.kind = RtfListFormat::Kind::Decimal;
            if (word == RtfWord::pnlvl)
                format_.level = qBound(1, token.parameter, 9);
        } else if (const auto kind = RtfWordPairs::valueOf(RtfWordPairs::numberKinds, word)) {
            if (format_.kind != RtfListFormat::Kind::Bullet)
                format_.kind = *kind;
        } else if (word == RtfWord::pnstart) {
            format_.start = qBound(0, token.parameter, maximumStart);
        } else if (word == "pnlvlcont") {
            continuation_ = true;
        } else {
            return Answer::NotMine;
        }
        return Answer::Taken;
    }

    void text(QByteArrayView bytes) override
    {
        if (parts_.back())
            parts_.back()->appendBytes(bytes, codePage_);
    }

    void character(char16_t character) override
    {
        if (parts_.back())
            parts_.back()->appendCharacter(character);
    }

    void groupStart() override { parts_.push_back(parts_.back()); }
    void groupEnd(bool) override { parts_.pop_back(); }

    RtfListFormat format()
    {
        // A paragraph that continues a list item is a paragraph outside the list, and the list
        // numbers on after it.
        if (continuation_)
            return {};
        RtfListFormat format = format_;
        format.prefix = prefix_.take();
        format.suffix = suffix_.take();
        if (format.kind == RtfListFormat::Kind::Bullet) {
            format.kind = RtfListFormat::bulletKind(format.prefix);
            format.prefix.clear();
            format.suffix.clear();
        }
        format.cleanAffixes();
        return format;
    }

private:
    RtfListFormat format_;
    bool continuation_ = false;
    RtfDestinationText prefix_;
    RtfDestinationText suffix_;
    // Where the text of each open group goes, the \pn group's own first: nowhere.
    std::vector<RtfDestinationText *> parts_{nullptr};
    const int codePage_;
};

} // namespace

RtfListFormat RtfNumbering::read(RtfTokenizer &tokenizer, CodePageDecoder &decoder, int codePage,
                                 int unicodeFallbackLength, QStringList &notKept)
{
    NumberingReader reader(decoder, codePage);
    RtfGroupReader::read(tokenizer, reader, unicodeFallbackLength, &notKept);
    return reader.format();
}
