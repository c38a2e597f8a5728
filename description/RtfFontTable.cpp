#include "description/RtfFontTable.h"

#include "description/CodePageDecoder.h"
#include "description/RtfGroupReader.h"
#include "description/RtfWords.h"

namespace {

// Real documents name a few dozen fonts; the cap bounds what a hostile file can make us hold.
constexpr qsizetype maximumFonts = 4096;
constexpr qsizetype maximumNameLength = 256;
// Names are kept to the length in characters; their bytes, two a character in double-byte code
// pages, are cut off only far beyond it.
constexpr qsizetype maximumNameBytes = 4 * maximumNameLength;

} // namespace

// An entry starts at its \f and ends at its ';' or its group's end: "{\f0\fnil Arial;}".
class RtfFontTable::Reader : public RtfGroupReader::Handler {
public:
    Reader(RtfFontTable &table, CodePageDecoder &decoder, int documentCodePage)
        : table_(table)
        , decoder_(decoder)
        , documentCodePage_(documentCodePage)
    {
    }

    Answer word(const RtfTokenizer::Token &token) override
    {
        if (token.text == RtfWord::f) {
            table_.endEntry(decoder_, documentCodePage_);
            table_.beginEntry(token.parameter);
        } else if (token.text == RtfWord::fcharset) {
            table_.setCharset(token.parameter);
        } else if (token.text == "cpg") {
            if (token.parameter > 0 && token.parameter <= CodePageDecoder::maximumCodePage)
                table_.setCodePage(token.parameter);
        } else {
            return Answer::NotMine;
        }
        return Answer::Taken;
    }

    void text(QByteArrayView bytes) override
    {
        for (qsizetype end = bytes.indexOf(';'); end >= 0; end = bytes.indexOf(';')) {
            table_.appendToName(bytes.first(end));
            table_.endEntry(decoder_, documentCodePage_);
            bytes = bytes.sliced(end + 1);
        }
        table_.appendToName(bytes);
    }

    void character(char16_t character) override { table_.appendToName(QChar(character), decoder_, documentCodePage_); }

    void groupEnd(bool passedOver) override
    {
        if (!passedOver)
            table_.endEntry(decoder_, documentCodePage_);
    }

private:
    RtfFontTable &table_;
    CodePageDecoder &decoder_;
    const int documentCodePage_;
};

void RtfFontTable::read(RtfTokenizer &tokenizer, CodePageDecoder &decoder, int documentCodePage,
                        int unicodeFallbackLength, QStringList &notKept)
{
    Reader reader(*this, decoder, documentCodePage);
    RtfGroupReader::read(tokenizer, reader, unicodeFallbackLength, &notKept);
}

void RtfFontTable::beginEntry(int number)
{
    entryOpen_ = true;
    entryNumber_ = number;
    entry_ = Font();
    entryNameBytes_.clear();
}

void RtfFontTable::setCharset(int charset) { entry_.charset = charset; }

void RtfFontTable::setCodePage(int codePage) { entry_.codePage = codePage; }

void RtfFontTable::appendToName(QByteArrayView bytes)
{
    const qsizetype room = maximumNameBytes - entry_.family.size() - entryNameBytes_.size();
    if (entryOpen_ && room > 0)
        entryNameBytes_.append(bytes.first(qMin(bytes.size(), room)));
}

void RtfFontTable::appendToName(QChar character, CodePageDecoder &decoder, int documentCodePage)
{
    if (!entryOpen_ || entry_.family.size() + entryNameBytes_.size() >= maximumNameBytes)
        return;
    decodeNameBytes(decoder, documentCodePage);
    entry_.family.append(character);
}

void RtfFontTable::endEntry(CodePageDecoder &decoder, int documentCodePage)
{
    if (!entryOpen_)
        return;
    entryOpen_ = false;
    // The first definition of a number wins; later duplicates are usually copies anyway.
    if (fonts_.contains(entryNumber_) || fonts_.size() >= maximumFonts)
        return;
    decodeNameBytes(decoder, documentCodePage);
    entry_.family.truncate(maximumNameLength);
    if (!entry_.family.isEmpty() && entry_.family.back().isHighSurrogate())
        entry_.family.chop(1);
    // Half a surrogate pair is no character: it reads as U+FFFD, as it does in text.
    QString &family = entry_.family;
    for (qsizetype c = 0; c < family.size(); ++c) {
        if (family.at(c).isHighSurrogate() && c + 1 < family.size() && family.at(c + 1).isLowSurrogate())
            ++c;
        else if (family.at(c).isSurrogate())
            family[c] = QChar::ReplacementCharacter;
    }
    entry_.family = entry_.family.trimmed();
    fonts_.insert(entryNumber_, entry_);
}

bool RtfFontTable::contains(int number) const { return fonts_.contains(number); }

QString RtfFontTable::family(int number) const { return fonts_.value(number).family; }

int RtfFontTable::codePage(int number, int documentCodePage) const
{
    const auto found = fonts_.constFind(number);
    return found == fonts_.constEnd() ? documentCodePage : codePageOf(*found, documentCodePage);
}

int RtfFontTable::charset(int number, int documentCodePage) const
{
    return CodePageDecoder::charsetForCodePage(codePage(number, documentCodePage));
}

int RtfFontTable::codePageOf(const Font &font, int documentCodePage)
{
    if (font.codePage > 0)
        return font.codePage;
    return font.charset < 0 ? documentCodePage : CodePageDecoder::codePageForCharset(font.charset, documentCodePage);
}

void RtfFontTable::decodeNameBytes(CodePageDecoder &decoder, int documentCodePage)
{
    entry_.family.append(decoder.decode(codePageOf(entry_, documentCodePage), entryNameBytes_));
    entryNameBytes_.clear();
}
