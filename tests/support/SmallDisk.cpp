#include "support/SmallDisk.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>

SmallDisk::SmallDisk(const QString &folder)
    : folder_(folder)
    , mounted_(QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", folder}) == 0)
{
}

SmallDisk::~SmallDisk()
{
    if (mounted_)
        QProcess::execute("umount", {folder_});
}

void SmallDisk::fill(const QString &fileName) const
{
    QFile file(folder_ + '/' + fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(512, 'f');
    while (file.write(block) == block.size()) {
    }
}
