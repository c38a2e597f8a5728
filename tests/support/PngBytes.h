#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>

// The bytes of a PNG file of one colour, as a picture in an RTF file holds them.
QByteArray pngBytes(QSize size, const QColor &colour);
