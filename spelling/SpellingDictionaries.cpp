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

std::shared_ptr<SpellingDictionaries::Slot> SpellingDictionaries::slot(const QString &language)
{
    const QMutexLocker locker(&mutex_);
    std::shared_ptr<Slot> &slot = slots_[language];
    if (!slot)
        slot = std::make_shared<Slot>();
    return slot;
}

const Dictionary &SpellingDictionaries::of(const QString &language)
{
    const std::shared_ptr<Slot> languageSlot = slot(language);
    const QMutexLocker locker(&languageSlot->opening);
    if (!languageSlot->dictionary)
        languageSlot->dictionary = std::make_unique<Dictionary>(tags_.value(language));
    return *languageSlot->dictionary;
}

const Dictionary *SpellingDictionaries::opened(const QString &language)
{
    const std::shared_ptr<Slot> languageSlot = slot(language);
    if (!languageSlot->opening.tryLock())
        return nullptr;
    const Dictionary *dictionary = languageSlot->dictionary.get();
    languageSlot->opening.unlock();
    return dictionary;
}
