#include "description/CodePageEncoder.h"

#include "files/Windows1252.h"

#include <utility>

QByteArray CodePageEncoder::encode(int codePage, QStringView character)
{
    if (character.isEmpty())
        return {};
    const char16_t c = character.front().unicode();
    if (codePage == CodePageDecoder::windows1252 || codePage == CodePageDecoder::symbol) {
        const int byte = codePage == CodePageDecoder::symbol ? (c < 0x100 ? int(c) : -1)
                                                             : Windows1252::encodeChar(QChar(c));
        return byte < 0 || character.size() > 1 ? QByteArray() : QByteArray(1, char(byte));
    }
    auto found = encoders_.find(codePage);
    if (found == encoders_.end()) {
        QStringEncoder encoder(CodePageDecoder::converterName(codePage).constData(), QStringConverter::Flag::Stateless);
        found = encoders_.emplace(codePage, std::move(encoder)).first;
    }
    QStringEncoder &encoder = found->second;
    if (!encoder.isValid())
        return {};
    encoder.resetState();
    const QByteArray bytes = encoder.encode(character);
    // Converters substitute a near character or a control code for some they lack; only bytes
    // that read back as the character stand for it.
    if (encoder.hasError() || decoder_.decode(codePage, bytes) != character)
        return {};
    return bytes;
}
