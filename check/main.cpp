#include "check/CheckCommand.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

// Everything the check has to say is in its report; Qt's own remarks about the environment
// (no runtime folder, no display) would only get mixed into it.
void onlySeriousMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(onlySeriousMessages);
    // The check opens no window; it needs the GUI layer only to measure titles in the editor's font.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("mqvcheck"));
    return CheckCommand::run(QGuiApplication::arguments(), stdout, stderr);
}
