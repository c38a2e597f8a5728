#include "display/NeighbourPreparation.h"

#include "display/JpegDecoder.h"

#include <QRunnable>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

constexpr int readAheadNiceness = 10;

template <typename Value>
bool isReady(const std::future<Value> &result)
{
    return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

} // namespace

NeighbourPreparation::NeighbourPreparation(QSize screenshotArea)
    : screenshotArea_(screenshotArea)
{
    // One file at a time, below the display and other programs: reading ahead never takes the
    // processor from them. Not only on time no one else wants, which a busy machine never has:
    // the neighbour is to be ready after a short look.
    worker_.setMaxThreadCount(1);
}

// Only a decode under way is waited for; those not begun are dropped.
NeighbourPreparation::~NeighbourPreparation()
{
    worker_.clear();
    worker_.waitForDone();
}

void NeighbourPreparation::prepare(const std::vector<QString> &screenshots)
{
    std::vector<Job> kept;
    for (Job &job : jobs_) {
        if (std::find(screenshots.begin(), screenshots.end(), job.localPath) != screenshots.end())
            kept.push_back(std::move(job));
        else
            retire(std::move(job));
    }
    jobs_ = std::move(kept);
    dropFinishedRetired();
    for (const QString &path : screenshots) {
        if (std::none_of(jobs_.begin(), jobs_.end(), [&](const Job &job) { return job.localPath == path; }))
            start(path);
    }
}

void NeighbourPreparation::start(const QString &localPath)
{
    auto promise = std::make_shared<std::promise<Result>>();
    QRunnable *runnable = QRunnable::create([promise, localPath, area = screenshotArea_] {
        // On Linux a thread's nice value is its own.
        ::setpriority(PRIO_PROCESS, pid_t(::gettid()), readAheadNiceness);
        Result result;
        result.stamp = FileStamp::of(localPath);
        if (result.stamp.isValid()) {
            const QImage decoded = JpegDecoder::decode(localPath, area);
            if (!decoded.isNull())
                result.screenshot = JpegDecoder::scaledToFit(decoded, area);
        }
        // A file that changed while it was read is decoded again by the display.
        if (FileStamp::of(localPath) != result.stamp)
            result.stamp = FileStamp();
        promise->set_value(std::move(result));
    });
    jobs_.push_back({localPath, promise->get_future(), runnable});
    worker_.start(runnable);
}

std::optional<QImage> NeighbourPreparation::takeScreenshot(const FileStamp &stamp)
{
    const auto job = std::find_if(jobs_.begin(), jobs_.end(),
                                  [&](const Job &candidate) { return candidate.localPath == stamp.localPath; });
    if (job == jobs_.end())
        return std::nullopt;
    // A decode not finished is the display's own to do: the worker may get no processor soon.
    if (!isReady(job->result)) {
        Job unfinished = std::move(*job);
        jobs_.erase(job);
        retire(std::move(unfinished));
        return std::nullopt;
    }
    const Result result = job->result.get();
    jobs_.erase(job);
    if (!result.stamp.isValid() || result.stamp != stamp)
        return std::nullopt;
    return result.screenshot;
}

void NeighbourPreparation::keep(const FileStamp &stamp, const QImage &screenshot)
{
    const auto same = std::find_if(jobs_.begin(), jobs_.end(),
                                   [&](const Job &job) { return job.localPath == stamp.localPath; });
    if (same != jobs_.end()) {
        Job replaced = std::move(*same);
        jobs_.erase(same);
        retire(std::move(replaced));
    }
    std::promise<Result> kept;
    kept.set_value({stamp, screenshot});
    jobs_.push_back({stamp.localPath, kept.get_future(), nullptr});
}

void NeighbourPreparation::retire(Job job)
{
    if (isReady(job.result))
        job.result.get();
    else if (worker_.tryTake(job.runnable))
        delete job.runnable;
    else
        retired_.push_back(std::move(job));
}

void NeighbourPreparation::dropFinishedRetired()
{
    const auto finished = std::remove_if(retired_.begin(), retired_.end(), [](Job &job) {
        if (!isReady(job.result))
            return false;
        job.result.get();
        return true;
    });
    retired_.erase(finished, retired_.end());
}
