#pragma once

#include "pad/PadDocument.h"

#include <QByteArray>
#include <QString>

// Reads a program description file (root element XML_DIZ_INFO) as far as it can be read: the
// XML parser recovers from unclosed and mismatched tags, and a field is found by its name wherever
// such a repair put it. Nothing is fetched: no external entity or network access.
namespace PadReader {

// Larger than any such file: a description file is a few kilobytes.
inline constexpr qsizetype maximumSize = 4 * 1024 * 1024;

PadDocument read(const QByteArray &bytes);
PadDocument readFile(const QString &path);

} // namespace PadReader
