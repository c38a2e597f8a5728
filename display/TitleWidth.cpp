#include "display/TitleWidth.h"

#include "display/WindowsFonts.h"

#include <QFontMetrics>

namespace TitleWidth {

QFont font()
{
    WindowsFonts::useStandIns();
    QFont result(QStringLiteral("Arial"));
    result.setPixelSize(16);
    result.setBold(true);
    return result;
}

int width(const QString &title) { return QFontMetrics(font()).horizontalAdvance(title); }

bool isTooWide(const QString &title) { return width(title) > limit; }

} // namespace TitleWidth
