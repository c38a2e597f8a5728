#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

// The window opens centred on the screen's available area. On a small screen (a laptop at 200 %
// scaling offers 640 x 450) it is made smaller to fit, which the resize rule lays out like any other
// size, and its title bar is never placed above the top edge, where it could not be dragged.
namespace ScreenFit {

// The outer bounds (frame included) for a window of this outer size on this available area.
QRect place(QSize frameSize, const QRect &available);

// Sizes and places a window to the given size without its frame, or smaller. The frame is the one
// the desktop gave the window, or a typical title bar and border before it has been shown.
void fitToScreen(QWidget *window, QSize size);

} // namespace ScreenFit
