#pragma once

#include <QJsonValue>
#include <QtGlobal>

#include <optional>

// Numbers read from a journal are checked before they are used: JSON holds them as doubles, and
// a damaged or foreign journal may hold any double, which no integer conversion may meet.
namespace JournalNumbers {

// The value as a whole number from lowest to highest; nothing for anything else (no number, a
// fraction, infinity, out of range).
std::optional<qint64> integer(const QJsonValue &value, qint64 lowest, qint64 highest);

} // namespace JournalNumbers
