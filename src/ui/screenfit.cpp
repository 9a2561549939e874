#include "screenfit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ui {

WindowFit fitInWorkArea(QPoint framePos, QSize size, QSize minimum, bool resizable, QMargins frame, QRect workArea)
{
    WindowFit fit{framePos, size, false};
    const QSize room(std::max(0, workArea.width() - frame.left() - frame.right()),
                     std::max(0, workArea.height() - frame.top() - frame.bottom()));
    const auto shrink = [&](int& length, int smallest, int roomLength) {
        if (length <= roomLength)
            return;
        if (resizable && smallest <= roomLength) {
            length = roomLength;
            return;
        }
        length = roomLength;
        fit.scrolls = true;
    };
    shrink(fit.size.rwidth(), minimum.width(), room.width());
    shrink(fit.size.rheight(), minimum.height(), room.height());

    const int frameWidth = fit.size.width() + frame.left() + frame.right();
    const int frameHeight = fit.size.height() + frame.top() + frame.bottom();
    int x = std::min(fit.framePos.x(), workArea.left() + workArea.width() - frameWidth);
    int y = std::min(fit.framePos.y(), workArea.top() + workArea.height() - frameHeight);
    fit.framePos = QPoint(std::max(x, workArea.left()), std::max(y, workArea.top()));
    return fit;
}

QMargins windowFrameMargins()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowType() != Qt::Window || w->windowFlags().testFlag(Qt::FramelessWindowHint))
            continue;
        const QRect outer = w->frameGeometry();
        const QRect inner = w->geometry();
        if (outer != inner)
            return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                            outer.bottom() - inner.bottom());
    }
    // Nothing shown with a frame yet: a usual title bar and a thin border.
    return QMargins(4, 30, 4, 4);
}

QRect workAreaFor(const QWidget* window)
{
    QScreen* screen = nullptr;
    if (window && window->testAttribute(Qt::WA_Moved))
        screen = QGuiApplication::screenAt(window->geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1280, 720);
}

}  // namespace ui
