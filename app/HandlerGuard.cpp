#include "app/HandlerGuard.h"

#include "files/Refusal.h"

#include <exception>
#include <utility>

HandlerGuard::HandlerGuard(Report report)
    : report_(std::move(report))
{
}

void HandlerGuard::run(const std::function<void()> &function)
{
    ++depth_;
    try {
        function();
    } catch (const std::exception &error) {
        // A refusal is told in its own words; any other error in what it says of itself.
        const auto *refusal = dynamic_cast<const Refusal *>(&error);
        if (pending_.isEmpty())
            pending_ = refusal ? refusal->message() : QString::fromUtf8(error.what());
        if (onError_)
            onError_();
    }
    --depth_;
    if (depth_ > 0)
        return;
    if (!pending_.isEmpty())
        report_(sentence(std::exchange(pending_, QString())));
    if (whenDone_)
        whenDone_();
}

QString HandlerGuard::sentence(const QString &text)
{
    if (text.isEmpty() || text.back() <= QLatin1Char('.'))
        return text;
    return text + QLatin1Char('.');
}
