#pragma once

#include <QList>
#include <QStringView>

// Where the words a dictionary can judge lie in a text. A word is a run of letters, with
// apostrophes and hyphens inside it ("cd-rom", "Windows'" without its apostrophe). Whatever a
// word list cannot hold is passed over: a run touching a digit ("MP3"), a word in capitals only
// ("USB"), single letters, and every piece of a web address, an e-mail address or a file name
// ("www.zcd.dk", "info@zcd.dk", "Setup.exe", "f.eks.").
struct WordSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const WordSpan &other) const { return start == other.start && length == other.length; }
};

namespace WordSplitter {

QList<WordSpan> words(QStringView text);

// Every run of letters, digits included, as a reader counts the words of a text.
int wordCount(QStringView text);

} // namespace WordSplitter
