#include "description/TranslationSource.h"

#include "description/DescriptionFile.h"
#include "description/DescriptionLanguage.h"
#include "files/LocalPath.h"

#include <QTextDocument>

#include <cctype>

namespace {

const QByteArray opening = QByteArrayLiteral("{\\*\\zcdkilde ");

bool isHex(const QByteArray &text)
{
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

} // namespace

namespace TranslationSource {

QString words(const QString &plainText) { return plainText.simplified(); }

std::optional<QString> danishWordsIn(const QString &folder)
{
    QTextDocument danish;
    const QString name = DescriptionLanguages::info(DescriptionLanguage::Dansk).shownTestedName;
    if (DescriptionFile::load(LocalPath::join(folder, name), danish) != DescriptionFile::Reading::Read)
        return std::nullopt;
    return words(danish.toPlainText());
}

std::optional<QString> read(const QByteArray &rtf)
{
    const qsizetype start = rtf.indexOf(opening);
    if (start < 0)
        return std::nullopt;
    const qsizetype end = rtf.indexOf('}', start);
    if (end < 0)
        return std::nullopt;
    const QByteArray hex = rtf.mid(start + opening.size(), end - start - opening.size()).trimmed();
    if (hex.size() % 2 != 0 || !isHex(hex))
        return std::nullopt;
    return QString::fromUtf8(QByteArray::fromHex(hex));
}

QByteArray recorded(const QByteArray &rtf, const QString &danishWords)
{
    if (!rtf.startsWith("{\\rtf"))
        return rtf;
    QByteArray result = rtf;
    for (qsizetype start = result.indexOf(opening); start >= 0; start = result.indexOf(opening, start)) {
        const qsizetype end = result.indexOf('}', start);
        if (end < 0)
            break;
        result.remove(start, end + 1 - start);
    }
    const qsizetype last = result.lastIndexOf('}');
    if (last < 0)
        return rtf;
    return result.insert(last, opening + danishWords.toUtf8().toHex() + '}');
}

} // namespace TranslationSource
