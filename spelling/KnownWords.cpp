#include "spelling/KnownWords.h"

#include "files/AtomicFile.h"
#include "files/FileChangeRecorder.h"
#include "files/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString key(const QString &word)
{
    QString folded = word.toCaseFolded();
    folded.replace(QChar(0x2019), QLatin1Char('\''));
    return folded;
}

} // namespace

QString KnownWords::wordListPath()
{
    const QString data = UserFolders::data();
    return data.isEmpty() ? QString() : data + QStringLiteral("/mqveditor/ordliste.txt");
}

void KnownWords::readWordList()
{
    wordList_.clear();
    QFile file(wordListPath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QRegularExpression(QStringLiteral("\r?\n")));
    for (const QString &line : lines) {
        if (const QString word = line.trimmed(); !word.isEmpty())
            wordList_.insert(key(word));
    }
}

// Appended, so a list a team shares keeps its order and what others added meanwhile.
bool KnownWords::addToWordList(const QString &word)
{
    const QString path = wordListPath();
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).path()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray existing = file.readAll();
    QByteArray line = word.toUtf8() + '\n';
    if (!existing.isEmpty() && !existing.endsWith('\n'))
        line.prepend('\n');
    if (!file.seek(file.size()) || file.write(line) != line.size() || !file.flush())
        return false;
    wordList_.insert(key(word));
    return true;
}

bool KnownWords::inWordList(const QString &word) const { return wordList_.contains(key(word)); }

bool KnownWords::removeFromWordList(const QString &word)
{
    const QString path = wordListPath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray existing = file.readAll();
    file.close();
    const QString removed = key(word);
    QByteArray kept;
    for (const QByteArray &line : existing.split('\n')) {
        if (key(QString::fromUtf8(line).trimmed()) != removed)
            kept += line + '\n';
    }
    kept.chop(1); // the split gave one piece more than there were line ends
    // The word list is the user's own, shared by every catalogue and outside their trees: taking a
    // word out is no change to a catalogue, so no history records it, whatever action is running.
    const FileChanges::Recording unrecorded(nullptr);
    if (kept != existing && !AtomicFile::replace(path, kept))
        return false;
    wordList_.remove(removed);
    return true;
}

void KnownWords::ignore(const QString &word) { ignored_.insert(key(word)); }

bool KnownWords::setItemNames(const QStringList &names)
{
    QSet<QString> words;
    static const QRegularExpression separators(QStringLiteral("[^\\w'\\x{2019}-]+"),
                                               QRegularExpression::UseUnicodePropertiesOption);
    for (const QString &name : names) {
        for (const QString &word : name.split(separators, Qt::SkipEmptyParts)) {
            words.insert(key(word));
            // A hyphenated name also names its parts.
            for (const QString &part : word.split(QLatin1Char('-'), Qt::SkipEmptyParts))
                words.insert(key(part));
        }
    }
    if (words == itemWords_)
        return false;
    itemWords_ = words;
    return true;
}

bool KnownWords::contains(const QString &word) const
{
    const QString folded = key(word);
    return itemWords_.contains(folded) || wordList_.contains(folded) || ignored_.contains(folded);
}
