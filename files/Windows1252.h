#pragma once

#include <QByteArray>
#include <QString>

// Stored text (catalogues, RTF files) is single-byte Windows-1252. This is the real code page,
// not Latin-1: bytes 0x80-0x9F hold the euro sign, curly quotes, dashes and so on.
namespace Windows1252 {

QString decode(const QByteArray &bytes);
QString decode(const char *data, qsizetype size);
QChar decodeByte(unsigned char byte);

// Characters outside the code page become '?', as the Windows "A" functions write them.
QByteArray encode(const QString &text);
// The byte for one character, or -1 when the code page cannot hold it.
int encodeChar(QChar character);

// True when every character of the text is stored as it is.
bool canEncode(const QString &text);
// The text with each character the code page cannot hold replaced by the nearest one it can: the
// letter without its accent where there is one, otherwise '?'. What this returns is exactly what
// reads back after storing it.
QString nearest(const QString &text);

} // namespace Windows1252
