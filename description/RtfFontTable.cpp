#include "description/RtfFontTable.h"

#include "description/CodePageDecoder.h"

namespace {

// Real documents name a few dozen fonts; the cap bounds what a hostile file can make us hold.
constexpr qsizetype maximumFonts = 4096;
constexpr qsizetype maximumNameLength = 256;
// Names are kept to the length in characters; their bytes, two a character in double-byte code
// pages, are cut off only far beyond it.
constexpr qsizetype maximumNameBytes = 4 * maximumNameLength;

} // namespace

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
