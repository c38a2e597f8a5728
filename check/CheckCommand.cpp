#include "check/CheckCommand.h"

#include "catalogue/Catalogue.h"
#include "check/CheckArguments.h"
#include "check/JsonReport.h"
#include "check/PadCheck.h"
#include "check/ProofSheet.h"
#include "check/TableReport.h"
#include "rules/CatalogueCheck.h"
#include "spelling/SpellingDictionaries.h"

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

void printLine(std::FILE *stream, const QString &text) { print(stream, (text + QLatin1Char('\n')).toUtf8()); }

// Colour only for a person at a terminal who has not asked for none.
bool wantsColour(std::FILE *stream) { return isatty(fileno(stream)) && qEnvironmentVariableIsEmpty("NO_COLOR"); }

struct Location {
    QString folder;
    QString fileName; // as the editor names a catalogue in its folder
};

// A catalogue file, or the folder that holds Z.MQV; without an argument the current folder.
Location locate(const QString &catalogue)
{
    const QString catalogueName = Catalogue::fileName();
    if (catalogue.isEmpty())
        return {QDir::currentPath(), catalogueName};
    const QFileInfo given(catalogue);
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

int run(const QStringList &commandLine, std::FILE *out, std::FILE *err)
{
    const CheckArguments arguments = CheckArguments::read(commandLine.mid(1));
    switch (arguments.request) {
    case CheckArguments::Request::ShowHelp: print(out, CheckArguments::helpText().toUtf8()); return NothingWrong;
    case CheckArguments::Request::ShowVersion:
        printLine(out, QStringLiteral("mqvcheck " MQV_VERSION));
        return NothingWrong;
    case CheckArguments::Request::Refuse:
        printLine(err, QStringLiteral("mqvcheck: ") + arguments.complaint);
        return CannotCheck;
    case CheckArguments::Request::Check: break;
    }
    if (!arguments.padFile.isEmpty())
        return PadCheck::run(arguments.padFile, arguments.json, out);

    // Paths the user typed count from where the user is, before the catalogue's folder becomes current.
    const QString startFolder = QDir::currentPath();
    const QString htmlPath = arguments.htmlFile.isEmpty() ? QString()
                                                          : QFileInfo(arguments.htmlFile).absoluteFilePath();
    const Location location = locate(arguments.catalogue);
    CatalogueReport report;
    if (QDir::setCurrent(location.folder)) {
        ItemInspection::Options options;
        options.proofSheet = !htmlPath.isEmpty();
        options.languages = arguments.languages;
        if (arguments.spelling) {
            options.dictionaries = std::make_shared<SpellingDictionaries>();
            options.knownWords.readWordList();
        }
        report = CatalogueCheck::run(location.fileName, options);
    } else {
        report.catalogueFile = QDir(location.folder).absoluteFilePath(location.fileName.mid(2)); // without ".\"
        report.error = QStringLiteral("Mappen %1 findes ikke").arg(QDir::toNativeSeparators(location.folder));
    }

    report.shownFile = shownPath(startFolder, report.catalogueFile);

    if (arguments.json)
        print(out, JsonReport::write(report));
    else
        print(out, TableReport::write(report, wantsColour(out)));
    if (!report.readable()) {
        // The table already says it; a script reading the JSON may show only what went wrong.
        if (arguments.json)
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
