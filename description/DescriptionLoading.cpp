#include "description/DescriptionLoading.h"

#include "description/DescriptionFile.h"
#include "description/RtfReader.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

// Long enough to show the start of any description, short enough for a step to stay quick.
constexpr int headMilliseconds = 20;
// A part is read in a few milliseconds, but laying it out when it is shown takes ten times as
// long: so its paragraphs are counted, as many as the last part showed in the time aimed at.
constexpr int partMilliseconds = 8;
constexpr int fewestParagraphs = 4;
constexpr int mostParagraphs = 4000;

} // namespace

DescriptionLoading::DescriptionLoading()
{
    parts_.setInterval(0);
    connect(&parts_, &QTimer::timeout, this, &DescriptionLoading::readNextPart);
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

void DescriptionLoading::readNextPart()
{
    QElapsedTimer shown;
    shown.start();
    readPart(QDeadlineTimer(partMilliseconds), partParagraphs_);
    const double scale = partMilliseconds * 1e6 / double(std::max<qint64>(shown.nsecsElapsed(), 1));
    // Halfway to the new size, so one part held up by something else does not swing the next.
    partParagraphs_ = std::clamp(int(partParagraphs_ * (1 + scale) / 2), fewestParagraphs, mostParagraphs);
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
