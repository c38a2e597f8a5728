#include "check/CheckArguments.h"

#include "rules/ItemInspection.h"

#include <algorithm>
#include <optional>

namespace {

CheckArguments refused(const QString &complaint)
{
    CheckArguments arguments;
    arguments.request = CheckArguments::Request::Refuse;
    arguments.complaint = complaint + QStringLiteral(" Se mqvcheck --help.");
    return arguments;
}

// "Norsk,svensk": the names of the language setting, in any letter case.
std::optional<QList<DescriptionLanguage>> languagesNamed(const QString &list)
{
    QList<DescriptionLanguage> languages;
    for (const QString &name : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool known = false;
        for (const DescriptionLanguageInfo &language : DescriptionLanguages::all()) {
            if (language.setting.compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
                known = true;
                if (!languages.contains(language.language))
                    languages.append(language.language);
            }
        }
        if (!known)
            return std::nullopt;
    }
    if (languages.isEmpty())
        return std::nullopt;
    std::sort(languages.begin(), languages.end());
    return languages;
}

} // namespace

CheckArguments CheckArguments::read(const QStringList &arguments)
{
    CheckArguments read;
    read.languages = ItemInspection::Options().languages;
    bool help = false;
    bool version = false;
    bool languagesGiven = false;
    bool edition = false;
    bool optionsEnded = false;
    QStringList catalogues;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || argument == QLatin1String("-") || !argument.startsWith(QLatin1Char('-'))) {
            catalogues.append(argument);
            continue;
        }
        const QString name = argument.section(QLatin1Char('='), 0, 0);
        const bool valueAttached = argument.contains(QLatin1Char('='));
        auto value = [&]() -> std::optional<QString> {
            if (valueAttached)
                return argument.section(QLatin1Char('='), 1);
            if (i + 1 < arguments.size())
                return arguments.at(++i);
            return std::nullopt;
        };
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            help = true;
        } else if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            version = true;
        } else if (argument == QLatin1String("--json")) {
            read.json = true;
        } else if (argument == QLatin1String("--no-spelling")) {
            read.spelling = false;
        } else if (argument == QLatin1String("--edition")) {
            edition = true;
        } else if (name == QLatin1String("--html")) {
            const std::optional<QString> file = value();
            if (!file || file->isEmpty())
                return refused(QStringLiteral("--html mangler et filnavn."));
            read.htmlFile = *file;
        } else if (name == QLatin1String("--pad")) {
            const std::optional<QString> file = value();
            if (!file || file->isEmpty())
                return refused(QStringLiteral("--pad mangler et filnavn."));
            read.padFile = *file;
        } else if (name == QLatin1String("--languages")) {
            const std::optional<QString> list = value();
            const std::optional<QList<DescriptionLanguage>> languages = list ? languagesNamed(*list) : std::nullopt;
            if (!languages)
                return refused(QStringLiteral("--languages vil have sprog blandt Dansk, Norsk, Svensk og Finsk, "
                                              "adskilt af komma."));
            read.languages = *languages;
            languagesGiven = true;
        } else {
            return refused(QStringLiteral("Ukendt tilvalg: %1.").arg(argument));
        }
    }
    if (help) {
        read.request = Request::ShowHelp;
    } else if (version) {
        read.request = Request::ShowVersion;
    } else if (edition && languagesGiven) {
        return refused(QStringLiteral("--edition og --languages kan ikke bruges sammen."));
    } else if (!read.padFile.isEmpty() && (!catalogues.isEmpty() || !read.htmlFile.isEmpty())) {
        return refused(QStringLiteral("--pad tjekker en PAD-fil alene, uden katalog og korrekturark."));
    } else if (catalogues.size() > 1) {
        return refused(QStringLiteral("Kun ét katalog ad gangen."));
    } else if (!catalogues.isEmpty()) {
        read.catalogue = catalogues.first();
    }
    if (edition)
        read.languages.clear();
    return read;
}

QString CheckArguments::helpText()
{
    return QStringLiteral("Brug: mqvcheck [tilvalg] [KATALOG]\n"
                          "     mqvcheck --pad FIL [--json]\n"
                          "Tjekker alle punkter i et Z-CD-katalog efter editorens regler og skriver intet andet\n"
                          "end sin rapport.\n"
                          "\n"
                          "Tilvalg:\n"
                          "  --json               Rapporten som ét JSON-objekt i stedet for tabellen.\n"
                          "  --html FIL           Skriv også et korrekturark som én HTML-side til FIL.\n"
                          "  --languages LISTE    Tjek kun beskrivelserne på disse sprog, adskilt af komma:\n"
                          "                       Dansk, Norsk, Svensk, Finsk (som standard alle fire).\n"
                          "  --edition            Tjek kun beskrivelserne på udgavens eget sprog, det som\n"
                          "                       »Sprog« i [Generelt] vælger.\n"
                          "  --no-spelling        Tjek hverken stavningen eller om sprogene følges ad.\n"
                          "  --pad FIL            Tjek en PAD-fil (et programs beskrivelse) efter formatets\n"
                          "                       regler, som editoren læser den, uden katalog.\n"
                          "  -h, --help           Vis denne hjælp.\n"
                          "  -v, --version        Vis programmets version.\n"
                          "\n"
                          "Argumenter:\n"
                          "  KATALOG              Katalogfilen eller mappen med Z.MQV; ellers den aktuelle mappe.\n"
                          "\n"
                          "Ukendte ord og sprog, der ikke følges ad, er advarsler: de vises og tælles, men\n"
                          "giver ikke i sig selv status 1.\n"
                          "\n"
                          "Afslutningsstatus: 0 intet galt, 1 problemer fundet, 2 kataloget kunne ikke læses,\n"
                          "siden ikke skrives, eller tilvalgene var forkerte.\n");
}
