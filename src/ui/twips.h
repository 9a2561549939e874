#pragma once
// Window and control sizes in the old designs are in twips: 1440 to the
// logical inch, so 15 to the pixel at 96 dpi.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace ui {

double twipsPerPixel();  // 1440 / the primary screen's logical dpi (15 when unknown)
int toPixels(double twips);
double toTwips(int pixels);
QRect twipsRect(double left, double top, double width, double height);  // in pixels
QSize twipsSize(double width, double height);                           // in pixels

}  // namespace ui
