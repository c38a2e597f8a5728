#include "display/WindowsFonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace WindowsFonts {

void useStandIns()
{
    const QString standIn = QStringLiteral("Liberation Sans");
    for (const QString &family : {QStringLiteral("MS Sans Serif"), QStringLiteral("Arial")}) {
        if (!QFont::substitutes(family).contains(standIn))
            QFont::insertSubstitution(family, standIn);
    }
}

} // namespace WindowsFonts
