#pragma once

#include <QImage>
#include <QPainter>

#include <cmath>

// Smooth gradients and shapes under fine noise: noise is what makes photographs and rendered
// screenshots expensive to entropy-decode, so a flat test image would flatter every decoder.
inline QImage photoLikeImage()
{
    QImage image(1024, 768, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = int(seed >> 27) - 16;
            const int red = int(128 + 100 * std::sin(x / 97.0) * std::cos(y / 131.0));
            const int green = (x * 255) / image.width();
            const int blue = (y * 255) / image.height();
            line[x] = qRgb(qBound(0, red + grain, 255), qBound(0, green + grain, 255), qBound(0, blue + grain, 255));
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(250, 220, 60, 160));
    painter.drawEllipse(QPoint(700, 300), 180, 140);
    painter.setBrush(QColor(30, 90, 200, 160));
    painter.drawRect(120, 420, 360, 240);
    return image;
}
