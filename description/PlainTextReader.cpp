#include "description/PlainTextReader.h"

#include "description/DescriptionFont.h"
#include "description/RtfCharacterFormat.h"
#include "files/Windows1252.h"

#include <QTextBlockFormat>

#include <algorithm>
#include <limits>

namespace {

QTextCharFormat descriptionFormat()
{
    RtfCharacterFormat font;
    font.family = DescriptionFont::family;
    font.halfPoints = DescriptionFont::pointSize * 2;
    return font.toCharFormat();
}

} // namespace

PlainTextReader::PlainTextReader(QByteArrayView text, QTextDocument &document)
    : text_(text)
    , builder_(document)
    , format_(descriptionFormat())
{
}

bool PlainTextReader::readOn(const QDeadlineTimer &deadline, int paragraphs)
{
    const int enough = builder_.paragraphs() + std::min(paragraphs, std::numeric_limits<int>::max() / 2);
    builder_.resume();
    while (!finished_ && (builder_.isFull() || (builder_.paragraphs() < enough && !deadline.hasExpired()))) {
        qsizetype end = lineStart_;
        while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n')
            ++end;
        QByteArray line = text_.sliced(lineStart_, end - lineStart_).toByteArray();
        line.replace('\0', QByteArrayView()); // Windows tools end files with a NUL now and then
        builder_.appendText(Windows1252::decode(line), format_);
        if (end == text_.size()) {
            builder_.finish(QTextBlockFormat(), format_, RtfListFormat());
            finished_ = true;
            break;
        }
        builder_.endParagraph(QTextBlockFormat(), format_, RtfListFormat());
        if (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n')
            ++end;
        lineStart_ = end + 1;
    }
    if (!finished_)
        builder_.pause();
    return finished_;
}
