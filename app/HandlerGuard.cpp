#include "app/HandlerGuard.h"

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
        if (pending_.isEmpty())
            pending_ = QString::fromUtf8(error.what());
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
