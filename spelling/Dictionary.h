#pragma once

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

typedef struct str_enchant_dict EnchantDict;

// One of the platform's dictionaries, found through Enchant by its language tag ("da_DK").
// Verdicts are kept, so a word is looked up once per run. Safe to use from several threads.
class Dictionary {
public:
    explicit Dictionary(const QString &tag);
    ~Dictionary();
    Dictionary(const Dictionary &) = delete;
    Dictionary &operator=(const Dictionary &) = delete;

    // False when the platform has no dictionary for the tag: every word is then taken as it is.
    bool available() const { return dictionary_ != nullptr; }
    QString tag() const { return tag_; }
    bool isCorrect(const QString &word) const;
    // The dictionary's best guesses, most likely first.
    QStringList suggestions(const QString &word, int most) const;

private:
    QString tag_;
    EnchantDict *dictionary_ = nullptr;
    mutable QMutex mutex_;
    mutable QHash<QString, bool> verdicts_;
};
