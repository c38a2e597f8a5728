#pragma once

#include "spelling/WordSplitter.h"

#include <QList>
#include <QStringList>
#include <QStringView>

class Dictionary;
class KnownWords;

namespace UnknownWords {

// The words of the text neither the dictionary nor the known words have, in text order.
QList<WordSpan> in(QStringView text, const Dictionary &dictionary, const KnownWords &known);

// Each unknown word once, in the order first met.
QStringList distinct(QStringView text, const QList<WordSpan> &unknown);

} // namespace UnknownWords
