#include "description/RtfColorTable.h"

#include "description/RtfGroupReader.h"
#include "description/RtfWords.h"

namespace {

constexpr qsizetype maximumColors = 4096;

} // namespace

// Each entry is its components up to a ';': "\red255\green0\blue0;".
class RtfColorTable::Reader : public RtfGroupReader::Handler {
public:
    explicit Reader(RtfColorTable &table)
        : table_(table)
    {
    }

    Answer word(const RtfTokenizer::Token &token) override
    {
        int RtfColorTable::*const component = token.text == RtfWord::red ? &RtfColorTable::red_
            : token.text == RtfWord::green                               ? &RtfColorTable::green_
            : token.text == RtfWord::blue                                ? &RtfColorTable::blue_
                                                                         : nullptr;
        if (!component)
            return Answer::NotMine;
        table_.*component = qBound(0, token.parameter, 255);
        table_.entryHasComponent_ = true;
        return Answer::Taken;
    }

    void text(QByteArrayView bytes) override
    {
        for (char c : bytes) {
            if (c == ';')
                table_.endEntry();
        }
    }

    void groupEnd(bool) override { }

private:
    RtfColorTable &table_;
};

void RtfColorTable::read(RtfTokenizer &tokenizer, int unicodeFallbackLength, QStringList &notKept)
{
    Reader reader(*this);
    RtfGroupReader::read(tokenizer, reader, unicodeFallbackLength, &notKept);
}

void RtfColorTable::endEntry()
{
    if (colors_.size() < maximumColors)
        colors_.append(entryHasComponent_ ? QColor(red_, green_, blue_) : QColor());
    red_ = green_ = blue_ = 0;
    entryHasComponent_ = false;
}

bool RtfColorTable::contains(int index) const { return index >= 0 && index < colors_.size(); }

QColor RtfColorTable::color(int index) const { return contains(index) ? colors_.at(index) : QColor(); }
