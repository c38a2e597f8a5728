#include "description/RtfReader.h"

#include "description/PlainTextReader.h"
#include "description/RtfParser.h"
#include "description/TextDocumentBuilder.h"

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

} // namespace

RtfReader::RtfReader(QByteArray bytes, QTextDocument &document)
    : bytes_(std::move(bytes))
{
    const qsizetype start = rtfStart(bytes_);
    if (bytes_.size() > maximumInputSize || (start < 0 && !isText(bytes_))) {
        TextDocumentBuilder emptied(document);
    } else if (start < 0) {
        plainText_ = std::make_unique<PlainTextReader>(bytes_, document);
    } else {
        parser_ = std::make_unique<RtfParser>(document);
        parser_->start(QByteArrayView(bytes_).sliced(start));
    }
}

RtfReader::~RtfReader() = default;

bool RtfReader::readOn(const QDeadlineTimer &deadline, int paragraphs)
{
    if (parser_)
        return parser_->readOn(deadline, paragraphs);
    return !plainText_ || plainText_->readOn(deadline, paragraphs);
}

QStringList RtfReader::notKept() const { return parser_ ? parser_->notKept() : QStringList(); }

bool RtfReader::read(const QByteArray &bytes, QTextDocument &document, QStringList *notKept)
{
    RtfReader reader(bytes, document);
    reader.readOn(QDeadlineTimer(QDeadlineTimer::Forever));
    if (notKept)
        *notKept = reader.notKept();
    return reader.isReadable();
}

bool RtfReader::isRtf(const QByteArray &bytes) { return rtfStart(bytes) >= 0; }
