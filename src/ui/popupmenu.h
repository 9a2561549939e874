#pragma once
// Pop-up menus placed the old way: at a point given in twips in a window's
// client coordinates. Pass the widget those coordinates belong to (a form's
// client(), not its outer window, whose menu bar would shift the point).

#include <QPoint>

class QMenu;
class QWidget;

namespace ui {

// The screen position of (xTwips, yTwips) in `window`.
QPoint popupPosition(QWidget* window, double xTwips, double yTwips);

// Shows `menu` there with its top-left corner at the point and returns at
// once; the chosen action's triggered signal does the rest.
void popupMenuAt(QMenu* menu, QWidget* window, double xTwips, double yTwips);

}  // namespace ui
