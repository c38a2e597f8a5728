#include "check/CheckCommand.h"

#include "catalogue/Catalogue.h"
#include "check/CatalogueCheck.h"
#include "check/JsonReport.h"
#include "check/ProofSheet.h"
#include "check/TableReport.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdlib>

#include <unistd.h>

namespace {

void print(std::FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

void printLine(std::FILE *stream, const QString &text)
{
    print(stream, (text + QLatin1Char('\n')).toUtf8());
}

// Colour only for a person at a terminal who has not asked for none.
bool wantsColour(std::FILE *stream)
{
    return isatty(fileno(stream)) && qEnvironmentVariableIsEmpty("NO_COLOR");
}

struct Location {
    QString folder;
    QString fileName;  // as the editor names a catalogue in its folder
};

// A catalogue file, or the folder that holds Z.MQV; without an argument the current folder.
Location locate(const QStringList &positional)
{
    const QString catalogueName = Catalogue::fileName();
    if (positional.isEmpty())
        return {QDir::currentPath(), catalogueName};
    const QFileInfo given(positional.first());
    if (given.isDir())
        return {given.absoluteFilePath(), catalogueName};
    return {given.absolutePath(), QStringLiteral(".\\") + given.fileName()};
}

// Relative to where the check was started when the catalogue lies below it, else absolute.
QString shownPath(const QString &startFolder, const QString &path)
{
    const QString relative = QDir(startFolder).relativeFilePath(path);
    return QDir::toNativeSeparators(relative.startsWith(QLatin1String("..")) ? path : relative);
}

bool writeOutput(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

namespace CheckCommand {

int run(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Tjekker alle punkter i et Z-CD-katalog efter editorens regler og skriver intet andet end sin rapport."));
    parser.addHelpOption();
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Rapporten som JSON, ét objekt pr. punkt."));
    const QCommandLineOption html(QStringLiteral("html"),
                                  QStringLiteral("Skriv et korrektur-ark som én HTML-side til FIL."),
                                  QStringLiteral("FIL"));
    parser.addOption(json);
    parser.addOption(html);
    parser.addPositionalArgument(QStringLiteral("katalog"),
                                 QStringLiteral("Katalogfilen eller mappen med Z.MQV (ellers den aktuelle mappe)."),
                                 QStringLiteral("[katalog]"));
    if (!parser.parse(arguments)) {
        printLine(err, parser.errorText());
        return CannotCheck;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        print(out, parser.helpText().toUtf8());
        return NothingWrong;
    }
    if (parser.positionalArguments().size() > 1) {
        printLine(err, QStringLiteral("Kun ét katalog ad gangen."));
        return CannotCheck;
    }

    // Paths the user typed count from where the user is, before the catalogue's folder becomes current.
    const QString startFolder = QDir::currentPath();
    const QString htmlPath = parser.isSet(html) ? QFileInfo(parser.value(html)).absoluteFilePath() : QString();
    const Location location = locate(parser.positionalArguments());
    CatalogueReport report;
    if (QDir::setCurrent(location.folder)) {
        ItemInspection::Options options;
        options.proofSheet = !htmlPath.isEmpty();
        report = CatalogueCheck::run(location.fileName, options);
    } else {
        report.catalogueFile = QDir(location.folder).absoluteFilePath(location.fileName.mid(2)); // without ".\"
        report.error = QStringLiteral("Mappen %1 findes ikke").arg(QDir::toNativeSeparators(location.folder));
    }

    report.shownFile = shownPath(startFolder, report.catalogueFile);

    if (parser.isSet(json))
        print(out, JsonReport::write(report));
    else
        print(out, TableReport::write(report, wantsColour(out)));
    if (!report.readable()) {
        // The table already says it; a script reading the JSON may show only what went wrong.
        if (parser.isSet(json))
            printLine(err, report.error);
        return CannotCheck;
    }
    if (!htmlPath.isEmpty() && !writeOutput(htmlPath, ProofSheet::write(report))) {
        printLine(err, QStringLiteral("Kan ikke skrive %1").arg(QDir::toNativeSeparators(htmlPath)));
        return CannotCheck;
    }
    return report.problemCount() == 0 ? NothingWrong : ProblemsFound;
}

} // namespace CheckCommand
