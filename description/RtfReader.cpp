#include "description/RtfReader.h"

#include "description/DescriptionFont.h"
#include "description/RtfCharacterFormat.h"
#include "description/RtfParser.h"
#include "description/TextDocumentBuilder.h"
#include "files/Windows1252.h"

#include <QTextBlockFormat>

namespace {

// A byte-order mark or blank lines before the header do not make an RTF file plain text.
qsizetype rtfStart(QByteArrayView bytes)
{
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < bytes.size() &&
           (bytes[start] == ' ' || bytes[start] == '\t' || bytes[start] == '\r' || bytes[start] == '\n'))
        ++start;
    const QByteArrayView rest = bytes.sliced(start);
    return rest.startsWith("{\\rtf") || rest.startsWith("{\\urtf") ? start : -1;
}

// Text files hold no control characters beyond line ends, tabs, form feeds and the NULs and end-of-file
// marks some Windows tools leave; anything else is binary data, not a description.
bool isText(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        const auto unit = static_cast<unsigned char>(byte);
        if (unit < 0x20 && unit != 0 && unit != '\t' && unit != '\n' && unit != '\f' && unit != '\r' && unit != 0x1A)
            return false;
    }
    return true;
}

void readPlainText(QByteArrayView bytes, QTextDocument &document)
{
    TextDocumentBuilder builder(document);
    RtfCharacterFormat font;
    font.family = DescriptionFont::family;
    font.halfPoints = DescriptionFont::pointSize * 2;
    const QTextCharFormat format = font.toCharFormat();
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        const bool atEnd = i == bytes.size();
        if (!atEnd && bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        QByteArray line = bytes.sliced(lineStart, i - lineStart).toByteArray();
        line.replace('\0', QByteArrayView()); // Windows tools end files with a NUL now and then
        builder.appendText(Windows1252::decode(line), format);
        if (atEnd)
            break;
        builder.endParagraph(QTextBlockFormat(), format, RtfListFormat());
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        lineStart = i + 1;
    }
    builder.finish(QTextBlockFormat(), format, RtfListFormat());
}

} // namespace

bool RtfReader::read(const QByteArray &bytes, QTextDocument &document, QStringList *notKept)
{
    const qsizetype start = rtfStart(bytes);
    if (bytes.size() > maximumInputSize || (start < 0 && !isText(bytes))) {
        TextDocumentBuilder emptied(document);
        return false;
    }
    if (start < 0) {
        readPlainText(bytes, document);
        return true;
    }
    RtfParser parser(document);
    parser.parse(QByteArrayView(bytes).sliced(start));
    if (notKept)
        *notKept = parser.notKept();
    return true;
}

bool RtfReader::isRtf(const QByteArray &bytes) { return rtfStart(bytes) >= 0; }
