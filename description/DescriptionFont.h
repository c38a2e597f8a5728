#pragma once

#include <QString>

// The description editor's own font. Text whose source names no font is shown in it.
namespace DescriptionFont {

inline const QString family = QStringLiteral("MS Sans Serif");
constexpr int pointSize = 8;

} // namespace DescriptionFont
