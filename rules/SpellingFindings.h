#pragma once

#include <QStringList>

class Dictionary;
class KnownWords;
class QTextDocument;
struct ItemReport;

// What the whole-disc check says of the words of an item's descriptions: the words no
// dictionary or known word has, and languages that do not keep step with the others.
namespace SpellingFindings {

// The document's unknown words, each once in the order first met; with marked, each place the
// word stands is also given the proof sheet's mark, as the editor marks it.
QStringList unknownWords(QTextDocument &document, const Dictionary &dictionary, const KnownWords &known, bool marked);

// The warnings of the item's descriptions, from their unknown words and word counts.
void addWarnings(ItemReport &report);

} // namespace SpellingFindings
