#pragma once

#include <QIcon>
#include <QImage>

// The toolbar's twelve pictures, drawn in code so the program needs no image files beside it.
// Each is laid out on a 16 x 16 grid and drawn again at 32 x 32 for high-density screens.
namespace ToolbarImages {

enum Index {
    NewItem,
    DeleteItem,
    Previous,
    Next,
    DanishFlag,
    NorwegianFlag,
    SwedishFlag,
    FinnishFlag,
    DeleteDescription,
    ClearItem,
    Paste,
    Copy,
    Count
};

// The picture at index, size x size pixels with a transparent background; null for an index
// outside 0 .. Count - 1.
QImage image(int index, int size = 16);

// The picture at 16 and at 32 pixels; an empty icon for an index out of range.
QIcon icon(int index);

} // namespace ToolbarImages
