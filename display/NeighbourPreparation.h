#pragma once

#include "files/FileStamp.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <future>
#include <optional>
#include <vector>

class QRunnable;

// Screenshots of the items next to the shown one, decoded on a worker thread while the user looks
// at it, so that stepping there only swaps in what is ready. A screenshot decoded ahead is used
// only for a file that still has the stamp it had when it was read; anything else is decoded by
// the display itself.
class NeighbourPreparation {
public:
    explicit NeighbourPreparation(QSize screenshotArea);
    ~NeighbourPreparation();
    NeighbourPreparation(const NeighbourPreparation &) = delete;
    NeighbourPreparation &operator=(const NeighbourPreparation &) = delete;

    // Local paths of existing files, the most wanted first. What was decoded ahead of other files
    // is dropped.
    void prepare(const std::vector<QString> &screenshots);

    // The screenshot of exactly that version of the file, decoded and fitted into the screenshot
    // area (a null image for a file that cannot be decoded); nothing when it was not decoded ahead
    // or is not finished yet.
    std::optional<QImage> takeScreenshot(const FileStamp &stamp);

    // A screenshot the window decoded itself and is done showing: stepping back to it finds it
    // ready, as long as the file keeps that stamp.
    void keep(const FileStamp &stamp, const QImage &screenshot);

private:
    struct Result {
        FileStamp stamp;
        QImage screenshot;
    };
    struct Job {
        QString localPath;
        std::future<Result> result;
        QRunnable *runnable; // the worker's, none for a kept screenshot; only looked at while the result is not ready
    };

    void start(const QString &localPath);
    void retire(Job job);
    void dropFinishedRetired();

    QSize screenshotArea_;
    QThreadPool worker_;
    std::vector<Job> jobs_;
    // Dropped jobs still running; their results are destroyed in this thread once they are done.
    std::vector<Job> retired_;
};
