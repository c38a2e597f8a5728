#pragma once

#include "spelling/Dictionary.h"

#include <QHash>
#include <QMutex>
#include <QString>

#include <memory>

// The dictionary of each description language, named as the catalogue names the languages
// ("Dansk", "Norsk", "Svensk", "Finsk"), each opened the first time it is asked for.
class SpellingDictionaries {
public:
    // The platform's dictionaries: Danish, Norwegian Bokmål, Swedish and Finnish.
    SpellingDictionaries();
    // Other tags by language, as where a platform names its dictionaries otherwise.
    explicit SpellingDictionaries(const QHash<QString, QString> &tags);

    static QHash<QString, QString> platformTags();

    // Opens the dictionary when it is not yet open, which takes a while; from any thread.
    const Dictionary &of(const QString &language);
    // The dictionary when it is open already, else none; never waits for one being opened.
    const Dictionary *opened(const QString &language);

private:
    // A language's dictionary is opened once, by the first to ask; others asking meanwhile wait.
    struct Slot {
        QMutex opening;
        std::unique_ptr<Dictionary> dictionary;
    };
    std::shared_ptr<Slot> slot(const QString &language);

    QHash<QString, QString> tags_;
    QMutex mutex_;
    QHash<QString, std::shared_ptr<Slot>> slots_;
};
