#pragma once

struct ItemReport;

// Translations that fell behind the Danish text: those whose file records Danish words other
// than the Danish description's words now.
namespace TranslationFindings {

// Reads the Danish description whole, only where a translation recorded what it was written
// against, and adds a warning for each translation behind it. Runs in the item folder's
// inspection, beside the others.
void addWarnings(ItemReport &report);

} // namespace TranslationFindings
