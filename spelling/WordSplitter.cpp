#include "spelling/WordSplitter.h"

#include <algorithm>

namespace {

bool isApostrophe(QChar c) { return c == u'\'' || c == u'’'; }

bool joinsLetters(QChar c) { return isApostrophe(c) || c == u'-' || c == u'\u00AD'; }

bool isAddressOrFileName(QStringView chunk)
{
    if (chunk.contains(u'@') || chunk.contains(QLatin1String("://")) ||
        chunk.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return true;
    // A dot between two letters or digits: a file name, a domain, an abbreviation.
    for (qsizetype i = 1; i + 1 < chunk.size(); ++i) {
        if ((chunk.at(i) == u'.' || chunk.at(i) == u'\\' || chunk.at(i) == u'/') &&
            chunk.at(i - 1).isLetterOrNumber() && chunk.at(i + 1).isLetterOrNumber())
            return true;
    }
    return false;
}

bool onlyCapitals(QStringView word)
{
    int capitals = 0;
    for (QChar c : word) {
        if (c.isLower())
            return false;
        capitals += c.isUpper();
    }
    return capitals > 1;
}

void addWordsOfChunk(QStringView text, qsizetype chunkStart, qsizetype chunkEnd, QList<WordSpan> &words)
{
    qsizetype i = chunkStart;
    while (i < chunkEnd) {
        if (!text.at(i).isLetter()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < chunkEnd &&
               (text.at(i).isLetterOrNumber() || text.at(i).isMark() ||
                (joinsLetters(text.at(i)) && i + 1 < chunkEnd && text.at(i + 1).isLetter())))
            ++i;
        const QStringView word = text.mid(start, i - start);
        const bool touchesDigit = (start > chunkStart && text.at(start - 1).isDigit()) ||
            std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
        if (word.size() > 1 && !touchesDigit && !onlyCapitals(word))
            words.append({start, word.size()});
    }
}

} // namespace

namespace WordSplitter {

QList<WordSpan> words(QStringView text)
{
    QList<WordSpan> words;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && text.at(i).isSpace())
            ++i;
        const qsizetype chunkStart = i;
        while (i < text.size() && !text.at(i).isSpace())
            ++i;
        if (i > chunkStart && !isAddressOrFileName(text.mid(chunkStart, i - chunkStart)))
            addWordsOfChunk(text, chunkStart, i, words);
    }
    return words;
}

int wordCount(QStringView text)
{
    int count = 0;
    bool inWord = false;
    for (QChar c : text) {
        const bool wordCharacter = c.isLetterOrNumber();
        count += wordCharacter && !inWord;
        inWord = wordCharacter;
    }
    return count;
}

} // namespace WordSplitter
