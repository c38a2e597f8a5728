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

} // namespace Windows1252
