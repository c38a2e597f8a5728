#include "pad/PadText.h"

#include "files/Windows1252.h"

#include <QRegularExpression>

namespace PadText {

namespace {

int lineAt(const QByteArray &bytes, qsizetype offset) { return int(bytes.left(offset).count('\n')) + 1; }
int lineAt(const QString &text, qsizetype offset) { return int(QStringView(text).left(offset).count(u'\n')) + 1; }

bool declaresSingleByte(const QByteArray &bytes)
{
    static const QRegularExpression declaration(QStringLiteral("^\\s*<\\?xml[^>]*encoding\\s*=\\s*[\"']([^\"']+)"));
    const QRegularExpressionMatch match = declaration.match(QString::fromLatin1(bytes.left(200)));
    if (!match.hasMatch())
        return false;
    static const QRegularExpression singleByte(
        QStringLiteral("^(windows-1252|cp1252|iso-8859-1|iso-8859-15|latin-?1)$"),
        QRegularExpression::CaseInsensitiveOption);
    return singleByte.match(match.captured(1)).hasMatch();
}

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

int sequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// UTF-8 where the bytes are UTF-8; every byte that is not is read as Windows-1252, which is what
// such a file was written in. A sequence cut short just before a tag is the end of a field that
// a tool cut at its limit in bytes: the half character goes.
QString decodeMixed(const QByteArray &bytes, std::vector<PadFinding> &findings)
{
    QString text;
    text.reserve(bytes.size());
    int multiByte = 0;
    int singleByte = 0;
    int firstSingleByteLine = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes.at(i));
        if (byte < 0x80) {
            text.append(QLatin1Char(char(byte)));
            ++i;
            continue;
        }
        const int length = sequenceLength(byte);
        int continuing = 0;
        while (continuing + 1 < length && i + continuing + 1 < bytes.size() &&
               isContinuation(static_cast<unsigned char>(bytes.at(i + continuing + 1))))
            ++continuing;
        if (length > 0 && continuing + 1 == length) {
            text.append(QString::fromUtf8(bytes.constData() + i, length));
            ++multiByte;
            i += length;
            continue;
        }
        if (length > 0 && i + continuing + 1 < bytes.size() && bytes.at(i + continuing + 1) == '<') {
            findings.push_back({QStringLiteral("cut-character"), QString(),
                                QStringLiteral("Et tegn er skåret midt over (feltet er afkortet i byte); "
                                               "det halve tegn er udeladt."),
                                lineAt(bytes, i)});
            i += continuing + 1;
            continue;
        }
        if (singleByte++ == 0)
            firstSingleByteLine = lineAt(bytes, i);
        text.append(Windows1252::decodeByte(byte));
        ++i;
    }
    if (singleByte > 0) {
        const QString text = multiByte == 0
            ? QStringLiteral("Filen siger UTF-8, men er skrevet i Windows-1252; læst som Windows-1252.")
            : QStringLiteral("%1 byte er ikke UTF-8; læst som Windows-1252.").arg(singleByte);
        findings.push_back({QStringLiteral("encoding"), QString(), text, firstSingleByteLine});
    }
    return text;
}

// A "&" that starts no reference would end the parser's reading of the field; it is meant as
// itself.
void escapeBareAmpersands(QString &text, std::vector<PadFinding> &findings)
{
    static const QRegularExpression bare(QStringLiteral("&(?!#[0-9]+;|#x[0-9A-Fa-f]+;|[A-Za-z_][A-Za-z0-9._-]*;)"));
    std::vector<qsizetype> places;
    for (QRegularExpressionMatchIterator it = bare.globalMatch(text); it.hasNext();) {
        places.push_back(it.next().capturedStart());
        findings.push_back({QStringLiteral("raw-ampersand"), QString(),
                            QStringLiteral("Et \"&\" står uden at være skrevet som \"&amp;\"; læst som \"&\"."),
                            lineAt(text, places.back())});
    }
    for (auto at = places.rbegin(); at != places.rend(); ++at)
        text.replace(*at, 1, QStringLiteral("&amp;"));
}

// References to 128-159 name control characters in XML; their writers meant the Windows
// characters of those numbers (dashes, curly quotes, the euro sign).
void readWindowsReferences(QString &text, std::vector<PadFinding> &findings)
{
    static const QRegularExpression reference(QStringLiteral("&#(x[0-9A-Fa-f]+|[0-9]+);"));
    QString result;
    qsizetype copied = 0;
    for (QRegularExpressionMatchIterator it = reference.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString number = match.captured(1);
        bool ok = false;
        const uint code = number.startsWith(QLatin1Char('x')) ? number.mid(1).toUInt(&ok, 16) : number.toUInt(&ok);
        if (!ok || code < 0x80 || code > 0x9F)
            continue;
        const QChar meant = Windows1252::decodeByte(static_cast<unsigned char>(code));
        findings.push_back({QStringLiteral("windows-reference"), QString(),
                            QStringLiteral("\"%1\" er et Windows-tegn, ikke et XML-tegn; læst som \"%2\".")
                                .arg(match.captured(0), meant),
                            lineAt(text, match.capturedStart())});
        result += QStringView(text).mid(copied, match.capturedStart() - copied);
        result += meant;
        copied = match.capturedEnd();
    }
    if (copied > 0) {
        result += QStringView(text).mid(copied);
        text = result;
    }
}

} // namespace

Decoded decode(const QByteArray &bytes)
{
    Decoded decoded;
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    decoded.text = declaresSingleByte(body) ? Windows1252::decode(body) : decodeMixed(body, decoded.findings);
    escapeBareAmpersands(decoded.text, decoded.findings);
    readWindowsReferences(decoded.text, decoded.findings);
    return decoded;
}

} // namespace PadText
