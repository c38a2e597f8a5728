// Feeds arbitrary bytes to the description reader. Besides crashes, leaks and undefined
// behaviour it checks the writer's promise: what it writes reads back into a document that
// writes the very same bytes again.
#include "description/RtfReader.h"
#include "description/RtfWriter.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // QTextDocument needs a GUI application for its fonts; no display is involved.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QTextDocument document;
    RtfReader::read(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), document);
    const QByteArray written = RtfWriter::write(document);

    QTextDocument readBack;
    if (!RtfReader::read(written, readBack))
        std::abort();
    const QByteArray rewritten = RtfWriter::write(readBack);
    if (rewritten != written) {
        std::fprintf(stderr, "written:\n%s\nrewritten:\n%s\n", written.constData(), rewritten.constData());
        std::abort();
    }
    return 0;
}
