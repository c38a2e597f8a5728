#include "files/Windows1252.h"

#include <array>
#include <utility>

namespace {

// 0x80-0x9F. The five bytes Windows leaves undefined (81, 8D, 8F, 90, 9D) map to the C1 control
// of the same value, as MultiByteToWideChar does, so every byte survives a round trip.
constexpr std::array<char16_t, 32> highControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Letters drawn with a stroke are letters of their own to Unicode, not accented ones, yet a reader
// of Polish, Croatian or Turkish names knows them for these.
constexpr std::array<std::pair<char16_t, char16_t>, 7> strokedLetters = {{
    {0x0141, u'L'},
    {0x0142, u'l'},
    {0x0110, u'D'},
    {0x0111, u'd'},
    {0x0126, u'H'},
    {0x0127, u'h'},
    {0x0131, u'i'},
}};

QChar nearestChar(QChar character)
{
    for (const auto &[letter, plain] : strokedLetters) {
        if (character.unicode() == letter)
            return QChar(plain);
    }
    const QString decomposed = QString(character).normalized(QString::NormalizationForm_D);
    if (decomposed.size() > 1 && Windows1252::encodeChar(decomposed.front()) >= 0) {
        bool onlyMarks = true;
        for (qsizetype i = 1; i < decomposed.size(); ++i)
            onlyMarks = onlyMarks && decomposed.at(i).isMark();
        if (onlyMarks)
            return decomposed.front();
    }
    return QLatin1Char('?');
}

} // namespace

namespace Windows1252 {

QChar decodeByte(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(highControlRange[byte - 0x80]);
    return QChar(byte);
}

QString decode(const char *data, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = decodeByte(static_cast<unsigned char>(data[i]));
    return text;
}

QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }

int encodeChar(QChar character)
{
    const char16_t unit = character.unicode();
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    for (std::size_t i = 0; i < highControlRange.size(); ++i) {
        if (highControlRange[i] == unit)
            return int(0x80 + i);
    }
    return -1;
}

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text.at(i);
        const int byte = encodeChar(character);
        bytes.append(byte < 0 ? '?' : char(byte));
        // A character outside the basic plane is one unknown character, not two.
        if (character.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return bytes;
}

bool canEncode(const QString &text)
{
    for (QChar character : text) {
        if (encodeChar(character) < 0)
            return false;
    }
    return true;
}

QString nearest(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text.at(i);
        if (encodeChar(character) >= 0) {
            result.append(character);
            continue;
        }
        result.append(nearestChar(character));
        // A character outside the basic plane is one unknown character, not two.
        if (character.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return result;
}

} // namespace Windows1252
