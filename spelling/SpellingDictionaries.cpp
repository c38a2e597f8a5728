#include "spelling/SpellingDictionaries.h"

#include <QMutexLocker>

SpellingDictionaries::SpellingDictionaries()
    : SpellingDictionaries(platformTags())
{
}

SpellingDictionaries::SpellingDictionaries(const QHash<QString, QString> &tags)
    : tags_(tags)
{
}

QHash<QString, QString> SpellingDictionaries::platformTags()
{
    return {{QStringLiteral("Dansk"), QStringLiteral("da_DK")},
            {QStringLiteral("Norsk"), QStringLiteral("nb_NO")},
            {QStringLiteral("Svensk"), QStringLiteral("sv_SE")},
            {QStringLiteral("Finsk"), QStringLiteral("fi")}};
}

// Opened outside the lock, so a language already open is answered while another one loads.
const Dictionary &SpellingDictionaries::of(const QString &language)
{
    if (const Dictionary *open = opened(language))
        return *open;
    auto made = std::make_shared<Dictionary>(tags_.value(language));
    const QMutexLocker locker(&mutex_);
    std::shared_ptr<Dictionary> &dictionary = opened_[language];
    if (!dictionary)
        dictionary = made;
    return *dictionary;
}

const Dictionary *SpellingDictionaries::opened(const QString &language)
{
    const QMutexLocker locker(&mutex_);
    return opened_.value(language).get();
}
