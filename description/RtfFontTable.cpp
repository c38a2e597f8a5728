#include "description/RtfFontTable.h"

#include "description/CodePageDecoder.h"

namespace {

// Real documents name a few dozen fonts; the cap bounds what a hostile file can make us hold.
constexpr qsizetype maximumFonts = 4096;
constexpr qsizetype maximumNameLength = 256;

} // namespace

void RtfFontTable::beginEntry(int number)
{
    entryOpen_ = true;
    entryNumber_ = number;
    entry_ = Font();
    entryName_.clear();
}

void RtfFontTable::setCharset(int charset)
{
    entry_.charset = charset;
}

void RtfFontTable::setCodePage(int codePage)
{
    entry_.codePage = codePage;
}

void RtfFontTable::appendToName(QByteArrayView bytes)
{
    if (entryOpen_ && entryName_.size() < maximumNameLength)
        entryName_.append(bytes.first(qMin(bytes.size(), maximumNameLength - entryName_.size())));
}

void RtfFontTable::endEntry(CodePageDecoder &decoder, int documentCodePage)
{
    if (!entryOpen_)
        return;
    entryOpen_ = false;
    // The first definition of a number wins; later duplicates are usually copies anyway.
    if (fonts_.contains(entryNumber_) || fonts_.size() >= maximumFonts)
        return;
    entry_.family = decoder.decode(codePageOf(entry_, documentCodePage), entryName_).trimmed();
    fonts_.insert(entryNumber_, entry_);
}

bool RtfFontTable::contains(int number) const
{
    return fonts_.contains(number);
}

QString RtfFontTable::family(int number) const
{
    return fonts_.value(number).family;
}

int RtfFontTable::codePage(int number, int documentCodePage) const
{
    const auto found = fonts_.constFind(number);
    return found == fonts_.constEnd() ? documentCodePage : codePageOf(*found, documentCodePage);
}

int RtfFontTable::codePageOf(const Font &font, int documentCodePage)
{
    if (font.codePage > 0)
        return font.codePage;
    return font.charset < 0 ? documentCodePage : CodePageDecoder::codePageForCharset(font.charset, documentCodePage);
}
