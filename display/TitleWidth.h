#pragma once

#include <QFont>
#include <QString>

// An item's title is shown in a label of fixed width, as the disc's menu shows it; a title wider
// than that will not fit on the disc, which the editor and the whole-disc check both mark.
namespace TitleWidth {

inline constexpr int limit = 250; // the title label's width in pixels

// Arial, bold, 16 pixels high: the title label's font. Needs a GUI application.
QFont font();
int width(const QString &title);
// Exactly the limit still fits.
bool isTooWide(const QString &title);

} // namespace TitleWidth
