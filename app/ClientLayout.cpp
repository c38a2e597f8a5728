#include "app/ClientLayout.h"

#include <algorithm>

namespace {

constexpr int smallestLaidOut = 300;
constexpr int grafikMaxWidth = 320;
constexpr int skudMaxWidth = 300;
constexpr int skudMaxHeight = 225;
constexpr int grafikFullHeight = 257;
// The status bar's height and the gap above it: the picture's frame ends where the description does.
constexpr int belowLaidOut = 22;
// Between the picture and its frame's bottom edge.
constexpr int skudBelowInGrafik = 28;
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

    // Neither the picture nor the description reaches under the status bar at the client's bottom.
    const int bottom = height - belowLaidOut;
    next.grafik.setHeight(std::min(grafikFullHeight, bottom - grafik.top()));
    next.skud.setHeight(std::min(skudMaxHeight, next.grafik.height() - skudBelowInGrafik));
    // From a client height of 310 down the description has no room left and is not shown.
    next.beskriv.setHeight(bottom - beskriv.top());
    return next;
}
