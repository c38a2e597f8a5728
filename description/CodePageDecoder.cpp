#include "description/CodePageDecoder.h"

#include "files/Windows1252.h"

#include <utility>

namespace {

// Without a converter for the page, ASCII is still right and the rest is marked as lost.
QString decodeAsciiOnly(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = byte < 0x80 ? QChar(byte) : QChar(QChar::ReplacementCharacter);
    }
    return text;
}

} // namespace

QByteArray CodePageDecoder::converterName(int codePage)
{
    switch (codePage) {
    case CodePageDecoder::utf8: return "UTF-8";
    case 10000: return "macintosh";
    // The Mac's double-byte pages are the Windows ones but for a few symbols; converters
    // seldom know the Mac names.
    case 10001: return "Shift_JIS";
    case 10002: return "Big5";
    case 10003: return "windows-949";
    case 10008: return "GB2312";
    case 437:
    case 850: return "IBM" + QByteArray::number(codePage);
    default: return "windows-" + QByteArray::number(codePage);
    }
}

namespace {

constexpr std::size_t maximumCachedDecoders = 16;

} // namespace

int CodePageDecoder::codePageForCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 0: return windows1252;
    case 2: return symbol;
    // Mac charsets, as word processors on the Mac write them.
    case 77: return 10000;
    case 78: return 10001;
    case 79: return 10003;
    case 80: return 10008;
    case 81: return 10002;
    case 83: return 10005;
    case 84: return 10004;
    case 85: return 10006;
    case 86: return 10081;
    case 87: return 10021;
    case 88: return 10029;
    case 89: return 10007;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254:
    case 255: return 437;
    default: return documentCodePage;
    }
}

int CodePageDecoder::charsetForCodePage(int codePage)
{
    // The Windows sets and the symbol set; the Mac's and OEM's are not written.
    for (int charset : {0, 2, 128, 129, 130, 134, 136, 161, 162, 163, 177, 178, 186, 204, 222, 238}) {
        if (codePageForCharset(charset, 0) == codePage)
            return charset;
    }
    return 0;
}

QString CodePageDecoder::decode(int codePage, QByteArrayView bytes)
{
    if (codePage == windows1252)
        return Windows1252::decode(bytes.data(), bytes.size());
    if (codePage == symbol)
        return QString::fromLatin1(bytes);
    QStringDecoder *decoder = decoderFor(codePage);
    if (!decoder)
        return decodeAsciiOnly(bytes);
    return decoder->decode(bytes);
}

QStringDecoder *CodePageDecoder::decoderFor(int codePage)
{
    auto found = decoders_.find(codePage);
    if (found == decoders_.end()) {
        // A document names a handful of code pages; a file naming thousands must not grow
        // the cache without bound.
        if (decoders_.size() >= maximumCachedDecoders)
            decoders_.clear();
        // Stateless: a lead byte cut off from its trail byte is dropped instead of
        // swallowing the first byte of the next run.
        QStringDecoder decoder(converterName(codePage).constData(), QStringConverter::Flag::Stateless);
        found = decoders_.emplace(codePage, std::move(decoder)).first;
    }
    return found->second.isValid() ? &found->second : nullptr;
}
