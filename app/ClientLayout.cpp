#include "app/ClientLayout.h"

#include <algorithm>

namespace {

constexpr int smallestLaidOut = 300;
constexpr int grafikMaxWidth = 320;
constexpr int skudMaxWidth = 300;
constexpr int skudMaxHeight = 225;
constexpr int grafikFullHeight = 257;
constexpr int descriptionLeft = 344;

} // namespace

ClientLayout ClientLayout::resizedTo(int width, int height) const
{
    ClientLayout next = *this;
    if (width < smallestLaidOut || height < smallestLaidOut)
        return next;

    const int half = width / 2;
    if (half - 16 > grafikMaxWidth) {
        next.grafik.setWidth(grafikMaxWidth);
        next.skud.setWidth(skudMaxWidth);
        next.kortTekst = QRect(descriptionLeft, kortTekst.top(), width - 352, kortTekst.height());
        next.beskriv = QRect(descriptionLeft, beskriv.top(), width - 352, beskriv.height());
    } else {
        next.grafik.setWidth(half - 16);
        next.skud.setWidth(half - 36);
        next.beskriv = QRect(half + 8, beskriv.top(), half - 16, beskriv.height());
        next.kortTekst = QRect(half + 8, kortTekst.top(), half - 16, kortTekst.height());
    }

    const int room = height - 249;
    if (room > 237) {
        next.skud.setHeight(skudMaxHeight);
        next.grafik.setHeight(grafikFullHeight);
    } else {
        next.grafik.setHeight(room + 20);
        next.skud.setHeight(std::min(room - 8, skudMaxHeight));
    }
    // From a client height of 310 down the description has no room left and is not shown.
    next.beskriv.setHeight(height - 310);
    return next;
}
