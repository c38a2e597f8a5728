#include "support/RtfCorpus.h"

#include <QDir>
#include <QFile>

namespace RtfCorpus {

QStringList files()
{
    return QDir(QStringLiteral(MQV_RTF_CORPUS_DIR)).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
}

QByteArray read(const QString &name)
{
    QFile file(QDir(QStringLiteral(MQV_RTF_CORPUS_DIR)).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("corpus file %s is missing", qPrintable(name));
    return file.readAll();
}

} // namespace RtfCorpus
