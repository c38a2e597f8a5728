#include "history/JournalNumbers.h"

#include <cmath>

namespace JournalNumbers {

std::optional<qint64> integer(const QJsonValue &value, qint64 lowest, qint64 highest)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    // Compared as doubles first: only a value known to lie in range is converted.
    if (!std::isfinite(number) || number != std::floor(number) || number < double(lowest) || number > double(highest))
        return std::nullopt;
    return qint64(number);
}

} // namespace JournalNumbers
