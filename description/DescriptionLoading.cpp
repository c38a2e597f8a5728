#include "description/DescriptionLoading.h"

#include "description/DescriptionFile.h"
#include "description/RtfReader.h"

namespace {

// Long enough to show the start of any description, short enough for a step to stay quick.
constexpr int headMilliseconds = 20;
// Each part is laid out when it is shown, which takes about as long again.
constexpr int partMilliseconds = 4;

} // namespace

DescriptionLoading::DescriptionLoading()
{
    parts_.setInterval(0);
    connect(&parts_, &QTimer::timeout, this, [this] { readPart(QDeadlineTimer(partMilliseconds)); });
}

DescriptionLoading::~DescriptionLoading() { abandon(); }

bool DescriptionLoading::start(QByteArray bytes, QTextDocument &document, const QString &storedPath)
{
    abandon();
    reader_ = std::make_unique<RtfReader>(std::move(bytes), document);
    if (!reader_->isReadable()) {
        reader_.reset();
        return false;
    }
    document_ = &document;
    storedPath_ = storedPath;
    readPart(QDeadlineTimer(headMilliseconds), headParagraphs);
    if (reader_)
        parts_.start();
    return true;
}

void DescriptionLoading::finish()
{
    if (reader_)
        readPart(QDeadlineTimer(QDeadlineTimer::Forever));
}

void DescriptionLoading::abandon()
{
    parts_.stop();
    reader_.reset();
}

// Reading adds to the document; it is no change of the user's to save or keep.
void DescriptionLoading::readPart(const QDeadlineTimer &deadline, int paragraphs)
{
    const bool changed = document_->isModified();
    const bool read = reader_->readOn(deadline, paragraphs);
    if (read) {
        parts_.stop();
        DescriptionFile::noteNotKept(storedPath_, reader_->notKept());
        // Taking the reader down gives the document back its undo stack.
        reader_.reset();
    }
    document_->setModified(changed);
}
