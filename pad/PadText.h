#pragma once

#include "pad/PadFinding.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The bytes of a program description file as the text its author meant, before the XML parser sees
// it. Such files are written by many small tools and by hand: a UTF-8 declaration over
// Windows-1252 bytes, a character cut in half where a tool cut a field at a number of bytes, a bare
// "&" in a company name, "&#150;" meaning the Windows dash. Each repair is a finding.
namespace PadText {

struct Decoded {
    QString text;
    std::vector<PadFinding> findings;
};

Decoded decode(const QByteArray &bytes);

} // namespace PadText
