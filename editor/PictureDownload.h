#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

class QWidget;

// A picture fetched from the web for an item, with a progress bar the user can cancel. Only web
// addresses are fetched; a file or any other scheme named in a description file is refused.
namespace PictureDownload {

struct Result {
    QByteArray bytes;
    QString error; // empty when fetched; the Danish sentence the user reads otherwise
};

// what names the picture in the progress bar and the error ("skærmskuddet").
Result fetch(const QUrl &url, const QString &what, QWidget *parent);

// Larger than any screenshot or icon a catalogue shows.
inline constexpr qint64 maximumSize = 20 * 1024 * 1024;

} // namespace PictureDownload
