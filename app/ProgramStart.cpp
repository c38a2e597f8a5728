#include "app/ProgramStart.h"

#include "app/CatalogueLocation.h"
#include "app/DanishTranslation.h"
#include "app/EditMQV.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>

#include <cstdio>

namespace {

void complain(const QString &text)
{
    std::fputs(qUtf8Printable(QStringLiteral("MQVEditor: ") + text + QLatin1Char('\n')), stderr);
}

} // namespace

ProgramStart::ProgramStart(QApplication &application)
    : application_(application)
{
}

int ProgramStart::run()
{
    QCoreApplication::setApplicationName(QStringLiteral("MQVEditor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MQV_VERSION));
    // The desktop matches the window to its launcher and icon by this name; the installed icon
    // also marks the window where the desktop asks the window for one.
    QGuiApplication::setDesktopFileName(QStringLiteral(MQV_APPLICATION_ID));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(MQV_APPLICATION_ID)));
    DanishTranslation::install(application_);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Z-CD editor: redigerer kataloget over programmerne p\u00E5 en Z-CD."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("KATALOG"),
        QStringLiteral("Kataloget Z.MQV eller mappen, der rummer det. Uden katalog bruges den aktuelle mappe; "
                       "rummer den intet katalog, sp\u00F8rges der efter et."),
        QStringLiteral("[KATALOG]"));
    parser.process(application_);
    if (!openCatalogue(parser.positionalArguments()))
        return 2;

    TMQVEdit MQVEdit;
    MQVEdit.show();
    return QApplication::exec();
}

// Without an argument, as a desktop launcher starts it, the editor asks for a catalogue unless
// the current folder holds one; cancelling goes on in the current folder, where a new catalogue
// can be started.
bool ProgramStart::openCatalogue(const QStringList &arguments)
{
    if (arguments.size() > 1) {
        complain(QStringLiteral("Angiv h\u00F8jst \u00E9t katalog."));
        return false;
    }
    std::optional<QString> folder;
    if (arguments.isEmpty()) {
        if (!CatalogueLocation::inCurrentFolder())
            folder = CatalogueLocation::ask();
    } else {
        folder = CatalogueLocation::folderOf(arguments.first());
        if (!folder) {
            complain(QStringLiteral("%1 findes ikke.").arg(arguments.first()));
            return false;
        }
    }
    if (folder && !QDir::setCurrent(*folder)) {
        complain(QStringLiteral("Mappen %1 kan ikke \u00E5bnes.").arg(*folder));
        return false;
    }
    return true;
}
