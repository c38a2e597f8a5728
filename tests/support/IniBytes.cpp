#include "support/IniBytes.h"

#include "files/Windows1252.h"

QByteArray iniBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += Windows1252::encode(line) + "\r\n";
    return bytes;
}
