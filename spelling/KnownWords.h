#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The words taken as correct in every language without asking a dictionary: the names of the
// item's title and its setup, run and extra files (product names, mostly), the words of the
// user's word list and those the user chose to ignore for this run. Letter case does not count.
class KnownWords {
public:
    // The user's word list: one word a line, UTF-8, in the user's data folder, never in the
    // catalogue's tree, so a team can share it.
    static QString wordListPath();

    // Reads the word list, when there is one.
    void readWordList();
    // Adds the word to the word list on disk; false when it cannot be written.
    bool addToWordList(const QString &word);
    // Whether the word list holds the word.
    bool inWordList(const QString &word) const;
    // Takes the word back out of the word list on disk, leaving every other line as it was; false
    // when the list cannot be written.
    bool removeFromWordList(const QString &word);
    void ignore(const QString &word);
    // The texts naming the item (its title, its file names), split into their words; whether
    // that changed the words known.
    bool setItemNames(const QStringList &names);

    bool contains(const QString &word) const;

private:
    QSet<QString> wordList_;
    QSet<QString> ignored_;
    QSet<QString> itemWords_;
};
