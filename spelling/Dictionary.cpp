#include "spelling/Dictionary.h"

#include <QMutexLocker>

#include <enchant.h>

namespace {

// Enchant finds its providers once per broker; one broker serves the whole run and is asked
// from one thread at a time.
struct Broker {
    EnchantBroker *broker = enchant_broker_init();
    QMutex mutex;
    ~Broker() { enchant_broker_free(broker); }
};

Broker &broker()
{
    static Broker instance;
    return instance;
}

// Hunspell's dictionaries spell with the typographic apostrophe as well as the plain one; the
// plain one is in all of them.
QByteArray lookedUp(const QString &word)
{
    QString plain = word;
    plain.replace(QChar(0x2019), QLatin1Char('\''));
    plain.remove(QChar(0x00AD));
    return plain.toUtf8();
}

} // namespace

Dictionary::Dictionary(const QString &tag)
    : tag_(tag)
{
    Broker &shared = broker();
    const QMutexLocker locker(&shared.mutex);
    if (shared.broker && !tag.isEmpty() && enchant_broker_dict_exists(shared.broker, tag.toUtf8().constData()))
        dictionary_ = enchant_broker_request_dict(shared.broker, tag.toUtf8().constData());
}

Dictionary::~Dictionary()
{
    if (!dictionary_)
        return;
    Broker &shared = broker();
    const QMutexLocker locker(&shared.mutex);
    enchant_broker_free_dict(shared.broker, dictionary_);
}

bool Dictionary::isCorrect(const QString &word) const
{
    if (!dictionary_)
        return true;
    const QMutexLocker locker(&mutex_);
    const auto known = verdicts_.constFind(word);
    if (known != verdicts_.cend())
        return *known;
    const QByteArray bytes = lookedUp(word);
    const bool correct = enchant_dict_check(dictionary_, bytes.constData(), bytes.size()) == 0;
    verdicts_.insert(word, correct);
    return correct;
}

QStringList Dictionary::suggestions(const QString &word, int most) const
{
    QStringList result;
    if (!dictionary_)
        return result;
    const QMutexLocker locker(&mutex_);
    const QByteArray bytes = lookedUp(word);
    size_t count = 0;
    char **list = enchant_dict_suggest(dictionary_, bytes.constData(), bytes.size(), &count);
    for (size_t i = 0; i < count && result.size() < most; ++i)
        result.append(QString::fromUtf8(list[i]));
    if (list)
        enchant_dict_free_string_list(dictionary_, list);
    return result;
}
