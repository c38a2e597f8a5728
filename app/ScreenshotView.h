#pragma once

#include "display/JpegDecoder.h"
#include "files/FileStamp.h"

#include <QImage>
#include <QLabel>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class NeighbourPreparation;
class QGroupBox;

// The item's screenshot, fitted into the picture area, with the frame's caption saying what it
// shows. A file already shown is not read again, and the screenshots of the items the user can
// step to next are decoded ahead.
class ScreenshotView : public QLabel {
    Q_OBJECT
public:
    // The folders of the items the user can step to next, the most wanted first.
    using Neighbours = std::function<std::vector<QString>()>;

    ScreenshotView(QGroupBox &frame, Neighbours neighbours);
    ~ScreenshotView() override;

    static constexpr QSize area{300, 225};

    // Shows the screenshot of the item folder; while the window is being made, after its first
    // frame.
    void showFolder(const QString &folder);
    void setCreatingWindow(bool creating) { creatingWindow_ = creating; }
    // The window's first frame is on the screen: what waited for it is shown. True only the first
    // time.
    bool noteFirstFrame();
    // Once a display is done, the neighbours' screenshots are decoded ahead.
    void queueReadAhead();

private:
    void showNow(const QString &folder);
    static JpegDecoder::Picture decodeShown(const QString &localPath);
    static bool decodesLong(const QString &localPath);
    void decodeBeside(const FileStamp &stamp);
    void present(const FileStamp &stamp, JpegDecoder::Picture picture);
    void defer(const QString &folder);
    void showDeferred();
    void readAhead();
    NeighbourPreparation &preparation();

    QGroupBox &frame_;
    Neighbours neighbours_;
    // The file the screenshot was last read from, and what it showed of a whole JPEG.
    FileStamp shown_;
    QImage shownScreenshot_;
    // A large screenshot is decoded beside the window, one at a time; the one on its way.
    QThreadPool decoder_;
    FileStamp decodingBeside_;
    // Start-up draws the window first and shows the first screenshot in the next turn after it.
    bool creatingWindow_ = false;
    bool firstFrameDrawn_ = false;
    std::optional<QString> deferredFolder_;
    std::unique_ptr<NeighbourPreparation> preparation_;
    bool readAheadQueued_ = false;
};
