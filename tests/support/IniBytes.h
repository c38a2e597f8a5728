#pragma once

#include <QByteArray>
#include <QStringList>

// A catalogue as Windows writes it: Windows-1252 bytes, CRLF line ends.
QByteArray iniBytes(const QStringList &lines);
