#include "app/ProgramStartArguments.h"

#include <algorithm>
#include <array>

namespace {

// The options every Qt window application takes, as the Qt documentation lists them. Qt reads
// them with one dash or two; those with a value take it as the next argument or after "=".
constexpr std::array qtOptionsWithValue{"platform",        "platformpluginpath", "platformtheme", "plugin",
                                        "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
                                        "display",         "geometry",           "style",         "stylesheet",
                                        "qmljsdebugger"};
constexpr std::array qtFlags{"reverse", "widgetcount"};

template <std::size_t size>
bool names(const std::array<const char *, size> &options, const QString &name)
{
    return std::any_of(options.begin(), options.end(),
                       [&](const char *option) { return name == QLatin1String(option); });
}

ProgramStartArguments refused(const QString &complaint)
{
    ProgramStartArguments arguments;
    arguments.request = ProgramStartArguments::Request::Refuse;
    arguments.complaint = complaint;
    return arguments;
}

} // namespace

ProgramStartArguments ProgramStartArguments::read(const QStringList &arguments)
{
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    QStringList catalogues;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || argument == QLatin1String("-") || !argument.startsWith(QLatin1Char('-'))) {
            catalogues.append(argument);
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            help = true;
        } else if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            version = true;
        } else {
            const QString option = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
            const QString name = option.section(QLatin1Char('='), 0, 0);
            if (names(qtOptionsWithValue, name)) {
                if (!option.contains(QLatin1Char('=')) && ++i == arguments.size())
                    return refused(QStringLiteral("Tilvalget %1 mangler en værdi.").arg(argument));
            } else if (!names(qtFlags, option)) {
                return refused(QStringLiteral("Ukendt tilvalg: %1. Se MQVEditor --help.").arg(argument));
            }
        }
    }
    ProgramStartArguments read;
    if (help)
        read.request = Request::ShowHelp;
    else if (version)
        read.request = Request::ShowVersion;
    else if (catalogues.size() > 1)
        return refused(QStringLiteral("Angiv højst ét katalog."));
    else if (!catalogues.isEmpty())
        read.catalogue = catalogues.first();
    return read;
}

QString ProgramStartArguments::helpText()
{
    return QStringLiteral("Brug: MQVEditor [tilvalg] [KATALOG]\n"
                          "Z-CD editor: redigerer kataloget over programmerne på en Z-CD.\n"
                          "\n"
                          "Tilvalg:\n"
                          "  -h, --help     Vis denne hjælp.\n"
                          "  -v, --version  Vis programmets version.\n"
                          "\n"
                          "Argumenter:\n"
                          "  KATALOG        Kataloget Z.MQV eller mappen, der rummer det. Uden katalog\n"
                          "                 bruges den aktuelle mappe; rummer den intet katalog, spørges\n"
                          "                 der efter et.\n"
                          "\n"
                          "Qt's egne tilvalg til vinduet, som -platform og -style, gives videre til Qt.\n");
}
