#include "description/RtfDestinationText.h"

#include "description/CodePageDecoder.h"

#include <utility>

RtfDestinationText::RtfDestinationText(CodePageDecoder &decoder)
    : decoder_(decoder)
{
}

void RtfDestinationText::appendBytes(QByteArrayView bytes, int codePage)
{
    if (codePage != codePage_)
        decodeBytes();
    bytes_.append(bytes);
    codePage_ = codePage;
}

void RtfDestinationText::appendCharacter(char16_t character)
{
    decodeBytes();
    text_.append(QChar(character));
}

QString RtfDestinationText::take()
{
    decodeBytes();
    return std::exchange(text_, QString());
}

void RtfDestinationText::decodeBytes()
{
    if (bytes_.isEmpty())
        return;
    text_.append(decoder_.decode(codePage_, bytes_));
    bytes_.clear();
}
