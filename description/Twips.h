#pragma once

#include <QtGlobal>

#include <cmath>

// RTF measures paragraph lengths in twips (1/1440 inch); QTextDocument lays out in 96 dpi pixels.
// 1440 / 96 = 15 twips per unit, so every twip value survives a load and save unchanged.
constexpr int twipsPerUnit = 15;

// No page RTF writers produce is wider than 22 inches; anything beyond is corrupt data, and
// clamping keeps layout and integer arithmetic sane.
constexpr int twipsLimit = 31680;

inline int clampTwips(qint64 twips) { return int(qBound(qint64(-twipsLimit), twips, qint64(twipsLimit))); }

inline qreal twipsToUnits(int twips) { return qreal(twips) / twipsPerUnit; }

inline int unitsToTwips(qreal units)
{
    const qreal twips = std::round(units * twipsPerUnit);
    // Written so that NaN and infinities land inside the limits as well.
    if (!(twips > -twipsLimit))
        return -twipsLimit;
    if (!(twips < twipsLimit))
        return twipsLimit;
    return int(twips);
}
