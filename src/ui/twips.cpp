#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace ui {

double twipsPerPixel()
{
    if (auto* screen = QGuiApplication::primaryScreen()) {
        const double dpi = screen->logicalDotsPerInchX();
        if (dpi > 0)
            return 1440.0 / dpi;
    }
    return 15.0;
}

int toPixels(double twips) { return int(std::lround(twips / twipsPerPixel())); }

double toTwips(int pixels) { return pixels * twipsPerPixel(); }

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

QSize twipsSize(double width, double height) { return QSize(toPixels(width), toPixels(height)); }

}  // namespace ui
