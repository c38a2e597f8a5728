#pragma once

#include <QByteArray>
#include <QStringList>

// The RTF files under tests/data/rtf-corpus (see SOURCES.md there).
namespace RtfCorpus {

QStringList files();
// The file's bytes; a missing file fails the test run at once.
QByteArray read(const QString &name);

} // namespace RtfCorpus
