#include "popupmenu.h"

#include "twips.h"

#include <QMenu>
#include <QWidget>

namespace ui {

QPoint popupPosition(QWidget* window, double xTwips, double yTwips)
{
    const QPoint local(toPixels(xTwips), toPixels(yTwips));
    return window ? window->mapToGlobal(local) : local;
}

void popupMenuAt(QMenu* menu, QWidget* window, double xTwips, double yTwips)
{
    if (menu)
        menu->popup(popupPosition(window, xTwips, yTwips));
}

}  // namespace ui
