#include "app/ProgramStart.h"

#include "app/CatalogueLocation.h"
#include "app/DanishTranslation.h"
#include "app/EditMQV.h"
#include "app/ProgramStartArguments.h"
#include "app/RecentCatalogues.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int CannotOpen = 2;

void complain(const QString &text)
{
    std::fputs(qUtf8Printable(QStringLiteral("MQVEditor: ") + text + QLatin1Char('\n')), stderr);
}

QtMessageHandler handlerBeforeStart = nullptr;

// Qt ends the process when it finds no display to open the window on, with advice to reinstall
// that does not fit; this says what is wrong instead, and ends the way a refused start does.
void noDisplay(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        handlerBeforeStart(type, context, message);
        return;
    }
    complain(QStringLiteral("Vinduet kan ikke åbnes: der er ingen skærm at vise det på "
                            "(DISPLAY eller WAYLAND_DISPLAY). Et katalog kan tjekkes uden skærm med mqvcheck."));
    std::_Exit(CannotOpen);
}

} // namespace

ProgramStart::ProgramStart(int &argc, char **argv)
    : argc_(argc)
    , argv_(argv)
{
}

int ProgramStart::run()
{
    QStringList arguments;
    for (int i = 1; i < argc_; ++i)
        arguments.append(QString::fromLocal8Bit(argv_[i]));
    const ProgramStartArguments read = ProgramStartArguments::read(arguments);
    if (const std::optional<int> exitCode = answerWithoutWindow(read))
        return *exitCode;
    return openWindow(read.catalogue);
}

std::optional<int> ProgramStart::answerWithoutWindow(const ProgramStartArguments &arguments) const
{
    switch (arguments.request) {
    case ProgramStartArguments::Request::ShowHelp:
        std::fputs(qUtf8Printable(ProgramStartArguments::helpText()), stdout);
        return 0;
    case ProgramStartArguments::Request::ShowVersion: std::fputs("MQVEditor " MQV_VERSION "\n", stdout); return 0;
    case ProgramStartArguments::Request::Refuse: complain(arguments.complaint); return CannotOpen;
    case ProgramStartArguments::Request::OpenWindow: break;
    }
    if (!arguments.catalogue.isEmpty() && !CatalogueLocation::folderOf(arguments.catalogue)) {
        complain(QStringLiteral("%1 findes ikke.").arg(arguments.catalogue));
        return CannotOpen;
    }
    return std::nullopt;
}

int ProgramStart::openWindow(const QString &catalogue)
{
    handlerBeforeStart = qInstallMessageHandler(noDisplay);
    QApplication application(argc_, argv_);
    qInstallMessageHandler(handlerBeforeStart);

    QCoreApplication::setApplicationName(QStringLiteral("MQVEditor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MQV_VERSION));
    // The desktop matches the window to its launcher and icon by this name; the installed icon
    // also marks the window where the desktop asks the window for one.
    QGuiApplication::setDesktopFileName(QStringLiteral(MQV_APPLICATION_ID));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(MQV_APPLICATION_ID)));
    DanishTranslation::install(application);

    const std::optional<QString> folder = folderToOpen(catalogue);
    if (!folder)
        return catalogue.isEmpty() ? 0 : CannotOpen;
    if (!QDir::setCurrent(*folder)) {
        complain(QStringLiteral("Mappen %1 kan ikke åbnes.").arg(*folder));
        return CannotOpen;
    }
    RecentCatalogues::remember(*folder);

    TMQVEdit MQVEdit(nullptr, TMQVEdit::Filling::AfterFirstFrame);
    MQVEdit.show();
    return QApplication::exec();
}

// Without an argument, as a desktop launcher starts it, the editor offers the catalogue last opened
// and then asks for one, unless the current folder holds one. Cancelling ends the program: the
// current folder is then most often the home folder, where the first keystroke would start a
// catalogue. A file the editor cannot open as chosen brings the dialog back.
std::optional<QString> ProgramStart::folderToOpen(const QString &catalogue) const
{
    if (!catalogue.isEmpty()) {
        if (QFileInfo(catalogue).isDir())
            return QFileInfo(catalogue).absoluteFilePath();
        return CatalogueLocation::folderToOpen(catalogue);
    }
    if (CatalogueLocation::inCurrentFolder())
        return QDir::currentPath();
    const QStringList recent = RecentCatalogues::folders();
    if (!recent.isEmpty()) {
        const std::optional<bool> openLast = CatalogueLocation::offerLast(recent.first());
        if (!openLast)
            return std::nullopt;
        if (*openLast)
            return recent.first();
    }
    while (const std::optional<QString> chosen = CatalogueLocation::ask()) {
        if (const std::optional<QString> folder = CatalogueLocation::folderToOpen(*chosen))
            return folder;
    }
    return std::nullopt;
}
