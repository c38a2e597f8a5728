#pragma once

#include "description/CodePageDecoder.h"

#include <QByteArray>
#include <QStringEncoder>

#include <map>

// Encodes characters in the Windows code page of an RTF font's character set, as \'hh bytes
// are written. Windows-1252 and symbol fonts never depend on the platform's converters.
class CodePageEncoder {
public:
    // The bytes of one character (a surrogate pair counts as one) in codePage; empty when the
    // page has no such character.
    QByteArray encode(int codePage, QStringView character);

private:
    std::map<int, QStringEncoder> encoders_;
    CodePageDecoder decoder_;
};
