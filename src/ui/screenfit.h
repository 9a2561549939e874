#pragma once
// Keeping windows within the screen's work area (the screen less panels and
// docks). The old forms were laid out for one screen size; on a smaller
// work area, or at a bigger scale, a window must still show all its buttons.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace ui {

// Where and how big a window may be so that it and its frame lie in the
// work area.
struct WindowFit {
    QPoint framePos;       // the frame's top-left corner
    QSize size;            // the window without its frame
    bool scrolls = false;  // even its smallest size is too big: it scrolls
};

// `framePos` and `size` as the window would open; `minimum` the smallest
// size its layout allows (ignored unless `resizable`); `frame` the window
// manager's decorations around it. A window that is too big shrinks when
// it may, else it scrolls; one that sticks out moves up or left, never
// beyond the work area's top-left corner.
WindowFit fitInWorkArea(QPoint framePos, QSize size, QSize minimum, bool resizable, QMargins frame, QRect workArea);

// The decorations the window manager puts around windows: read from a shown
// window that has them, else a common title bar and border.
QMargins windowFrameMargins();

// The work area of the screen a window is on (the primary one when it is
// not placed yet).
QRect workAreaFor(const QWidget* window);

}  // namespace ui
