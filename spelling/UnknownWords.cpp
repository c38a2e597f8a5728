#include "spelling/UnknownWords.h"

#include "spelling/Dictionary.h"
#include "spelling/KnownWords.h"

namespace UnknownWords {

QList<WordSpan> in(QStringView text, const Dictionary &dictionary, const KnownWords &known)
{
    QList<WordSpan> unknown;
    if (!dictionary.available())
        return unknown;
    for (const WordSpan &span : WordSplitter::words(text)) {
        const QString word = text.mid(span.start, span.length).toString();
        if (!known.contains(word) && !dictionary.isCorrect(word))
            unknown.append(span);
    }
    return unknown;
}

QStringList distinct(QStringView text, const QList<WordSpan> &unknown)
{
    QStringList words;
    for (const WordSpan &span : unknown) {
        const QString word = text.mid(span.start, span.length).toString();
        if (!words.contains(word))
            words.append(word);
    }
    return words;
}

} // namespace UnknownWords
