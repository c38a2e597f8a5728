#pragma once

#include "pad/PadDocument.h"
#include "pad/PadFinding.h"

#include <vector>

// The format's own rules checked on what was read: required fields, each field's limit and
// pattern, and a program class from the fixed list.
namespace PadRules {

std::vector<PadFinding> check(const PadDocument &document);

// What could not be read as written, then what breaks the rules.
std::vector<PadFinding> report(const PadDocument &document);

// The report as plain text, a finding a line, for the user to copy.
QString reportText(const std::vector<PadFinding> &findings);

} // namespace PadRules
