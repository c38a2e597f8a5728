#include "app/ScreenshotView.h"

#include "app/AccessibleNames.h"
#include "display/ItemPictures.h"
#include "display/JpegDecoder.h"
#include "display/NeighbourPreparation.h"
#include "display/OtherPictureFormats.h"
#include "files/Diagnostics.h"

#include <QGroupBox>
#include <QPixmap>
#include <QTimer>

#include <utility>

ScreenshotView::ScreenshotView(QGroupBox &frame, Neighbours neighbours)
    : QLabel(&frame)
    , frame_(frame)
    , neighbours_(std::move(neighbours))
{
    decoder_.setMaxThreadCount(1);
}

ScreenshotView::~ScreenshotView() = default;

void ScreenshotView::showFolder(const QString &folder)
{
    if (creatingWindow_)
        defer(folder);
    else
        showNow(folder);
}

void ScreenshotView::showNow(const QString &folder)
{
    deferredFolder_.reset();
    const std::optional<QString> localPath = ItemPictures::screenshotFile(folder);
    const FileStamp stamp = localPath ? FileStamp::of(*localPath) : FileStamp();
    if (stamp.isValid() && (stamp == shown_ || stamp == decodingBeside_))
        return;
    // The screenshot going out of view is the next item's previous neighbour, ready as it is.
    if (shown_.isValid() && !shownScreenshot_.isNull())
        preparation().keep(shown_, shownScreenshot_);
    shown_ = FileStamp();
    shownScreenshot_ = QImage();
    decodingBeside_ = FileStamp();
    if (!stamp.isValid()) {
        present(stamp, {});
        return;
    }
    const std::optional<QImage> readAhead = preparation().takeScreenshot(stamp);
    if (readAhead && !readAhead->isNull()) {
        present(stamp, {*readAhead, true});
    } else if (decodesLong(stamp.localPath)) {
        decodeBeside(stamp);
    } else {
        // Read ahead as damaged, or not read ahead: what decodes of it is shown.
        present(stamp, decodeShown(stamp.localPath));
    }
}

JpegDecoder::Picture ScreenshotView::decodeShown(const QString &localPath)
{
    JpegDecoder::Picture picture = JpegDecoder::decodeAvailable(localPath, area);
    picture.image = JpegDecoder::scaledToFit(picture.image, area);
    return picture;
}

// Even at the smallest scale every coefficient of a JPEG is read: one of more pixels than this
// takes longer than the event loop may be held up for.
bool ScreenshotView::decodesLong(const QString &localPath)
{
    constexpr qint64 mostPixelsDecodedInTurn = 4'000'000;
    const QSize size = JpegDecoder::headerSize(localPath);
    return size.isValid() && qint64(size.width()) * size.height() > mostPixelsDecodedInTurn;
}

// The frame says the screenshot is on its way, and the window goes on; a step to another item
// before the decode is done leaves it unseen.
void ScreenshotView::decodeBeside(const FileStamp &stamp)
{
    decodingBeside_ = stamp;
    clear();
    frame_.setTitle(QStringLiteral("Skærmskud: læses…"));
    AccessibleNames::showsPicture(this, false);
    // Only the newest one shown is still wanted.
    decoder_.clear();
    decoder_.start([this, stamp] {
        const JpegDecoder::Picture picture = decodeShown(stamp.localPath);
        QMetaObject::invokeMethod(
            this,
            [this, stamp, picture] {
                if (stamp == decodingBeside_) {
                    decodingBeside_ = FileStamp();
                    present(stamp, picture);
                }
            },
            Qt::QueuedConnection);
    });
}

void ScreenshotView::present(const FileStamp &stamp, JpegDecoder::Picture picture)
{
    QImage screenshot = picture.image;
    QByteArray otherFormat;
    if (stamp.isValid() && screenshot.isNull()) {
        const OtherPictureFormats::Picture other = OtherPictureFormats::decode(stamp.localPath, area);
        screenshot = other.image;
        otherFormat = other.format;
    }
    if (screenshot.isNull()) {
        clear();
        // A file that is there but cannot be read is not the same as none: the disc would show none.
        if (stamp.isValid())
            qCInfo(zcdDiagnostics) << "could not decode the screenshot" << stamp.localPath;
        frame_.setTitle(stamp.isValid() ? QStringLiteral("Skærmskud: kan ikke læses") : QStringLiteral("Intet"));
        AccessibleNames::showsPicture(this, false);
        return;
    }
    setPixmap(QPixmap::fromImage(screenshot));
    AccessibleNames::showsPicture(this, true);
    if (!otherFormat.isEmpty())
        frame_.setTitle(QStringLiteral("Skærmskud: %1, ikke Jpeg").arg(QString::fromLatin1(otherFormat.toUpper())));
    else
        frame_.setTitle(picture.complete ? QStringLiteral("Skærmskud: Jpeg")
                                         : QStringLiteral("Skærmskud: Jpeg (beskadiget)"));
    shown_ = stamp;
    // Only a whole JPEG is what the read-ahead would have given for the file.
    if (picture.complete && otherFormat.isEmpty())
        shownScreenshot_ = screenshot;
}

// Start-up is not held up by a decode: the window is drawn first and the screenshot shown in the
// next turn of the event loop after the first frame. Nothing is read ahead before that either.
void ScreenshotView::defer(const QString &folder)
{
    const bool alreadyQueued = deferredFolder_.has_value();
    deferredFolder_ = folder;
    if (!alreadyQueued)
        QTimer::singleShot(0, this, &ScreenshotView::showDeferred);
}

bool ScreenshotView::noteFirstFrame()
{
    if (firstFrameDrawn_)
        return false;
    firstFrameDrawn_ = true;
    QTimer::singleShot(0, this, &ScreenshotView::showDeferred);
    return true;
}

void ScreenshotView::showDeferred()
{
    // A window on its way to the screen shows the screenshot after its first frame.
    if (!deferredFolder_ || (window()->isVisible() && !firstFrameDrawn_))
        return;
    const QString folder = *deferredFolder_;
    showNow(folder);
    queueReadAhead();
}

NeighbourPreparation &ScreenshotView::preparation()
{
    if (!preparation_)
        preparation_ = std::make_unique<NeighbourPreparation>(area);
    return *preparation_;
}

// Descriptions are not read ahead: a document built elsewhere and handed to the editor costs the
// display more than reading it.
void ScreenshotView::queueReadAhead()
{
    if (readAheadQueued_)
        return;
    readAheadQueued_ = true;
    QTimer::singleShot(0, this, &ScreenshotView::readAhead);
}

void ScreenshotView::readAhead()
{
    readAheadQueued_ = false;
    if (deferredFolder_)
        return;
    std::vector<QString> screenshots;
    for (const QString &folder : neighbours_()) {
        if (const auto screenshot = ItemPictures::screenshotFile(folder))
            screenshots.push_back(*screenshot);
    }
    preparation().prepare(screenshots);
}
