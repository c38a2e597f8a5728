#include "catalogue/Catalogue.h"

#include "catalogue/ProfileReader.h"
#include "files/LocalPath.h"

#include <QFileInfo>

namespace Catalogue {

QString fileName() { return QStringLiteral(".\\Z.MQV"); }

QString localPath() { return QFileInfo(LocalPath::forWriting(fileName())).absoluteFilePath(); }

std::function<bool(int)> itemExists(const ProfileReader &catalogue)
{
    return [&catalogue](int number) { return catalogue.SectionExists(SectionName(number)); };
}

QString fixedFileName() { return QStringLiteral(".\\Fast.MQV"); }

QString generalSection() { return QStringLiteral("Generelt"); }

QString languageKey() { return QStringLiteral("Sprog"); }

QString parkingSection() { return QStringLiteral("Flytter"); }

QString missingFlagValue() { return QStringLiteral("Nope"); }

QString setFlagValue() { return QStringLiteral("Ja"); }

QString SectionName(int itemNumber) { return QLatin1Char('Z') + QString::number(itemNumber); }

bool isItemNumber(int number) { return number >= FirstItemNumber && number <= LastItemNumber; }

bool isFlagSet(const QString &value)
{
    // Only a-z are raised: "jå" must not pass, and a locale-aware upper() could change other letters.
    if (value.size() != 2)
        return false;
    auto upper = [](QChar c) { return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ? QChar(c.unicode() - 32) : c; };
    return upper(value.at(0)) == QLatin1Char('J') && upper(value.at(1)) == QLatin1Char('A');
}

int highestItemNumber(const ProfileReader &catalogue)
{
    for (int n = LastItemNumber; n >= 2; --n) {
        if (catalogue.SectionExists(SectionName(n)))
            return n;
    }
    return 1;
}

} // namespace Catalogue
