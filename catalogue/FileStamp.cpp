#include "catalogue/FileStamp.h"

#include <QFileInfo>

FileStamp FileStamp::of(const QString &localPath)
{
    const QFileInfo info(localPath);
    if (!info.isFile())
        return FileStamp();
    return {info.absoluteFilePath(), info.size(), info.lastModified()};
}
