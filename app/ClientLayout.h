#pragma once

#include <QRect>

// The picture and description areas follow the window's client size; every other control keeps
// its place. Tops never change.
struct ClientLayout {
    QRect grafik;
    QRect skud;
    QRect kortTekst;
    QRect beskriv;

    // The layout for a client area of width by height, starting from the current one. Below
    // 300 in either direction the controls keep their places.
    ClientLayout resizedTo(int width, int height) const;
};
