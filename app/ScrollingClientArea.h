#pragma once

#include <QList>
#include <QScrollArea>

// The window's client area. Every control stands at its place in the content widget; on a screen
// too small for them (1280 x 1024 at 200 %, or a window dragged small) the content grows past the
// visible area and scrolls, so that no control is cut off, while the tool bar stays docked to the top
// of what is in view. The status bar stands below this area, outside it, so that neither it nor the
// horizontal scroll bar ever covers a control.
class ScrollingClientArea : public QScrollArea {
public:
    ScrollingClientArea(QWidget *content, QWidget *parent);

    // The bar docked to the top; a child of the content.
    void dock(QWidget *topBar);

    // Sizes the content to the visible area, grown to reach every control that keeps its place.
    // The controls the resize rule sizes follow the visible size and so never make it grow.
    void fitContent(const QList<const QWidget *> &laidOutByResizing);

protected:
    bool viewportEvent(QEvent *event) override;
    // A key no control took goes on to the window: Page Up/Down step through the items there.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void placeTopBar();

    QWidget *topBar_ = nullptr;
};
