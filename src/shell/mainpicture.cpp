#include "mainpicture.h"

#include <QPainter>
#include <QPainterPath>

namespace shell {

QColor mainPictureColour() { return QColor(0x2b, 0x4f, 0x8c); }

QPixmap drawMainPicture(const QSize& size)
{
    QPixmap pm(size);
    pm.fill(mainPictureColour());
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // Drawing-paper grid.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int x = 0; x < size.width(); x += 16)
        p.drawLine(x, 0, x, size.height());
    for (int y = 0; y < size.height(); y += 16)
        p.drawLine(0, y, size.width(), y);

    const double w = size.width(), h = size.height();
    const QRectF body(w * 0.22, h * 0.42, w * 0.56, h * 0.42);
    p.setPen(QPen(QColor(240, 244, 255), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(body);

    QPainterPath roof;
    roof.moveTo(body.left() - w * 0.05, body.top());
    roof.lineTo(w * 0.5, h * 0.16);
    roof.lineTo(body.right() + w * 0.05, body.top());
    roof.closeSubpath();
    p.drawPath(roof);

    // Chimney, door and windows.
    p.drawRect(QRectF(w * 0.64, h * 0.2, w * 0.05, h * 0.12));
    p.drawRect(QRectF(w * 0.45, h * 0.62, w * 0.1, h * 0.22));
    for (double x : {w * 0.28, w * 0.6}) {
        const QRectF win(x, h * 0.5, w * 0.12, h * 0.1);
        p.drawRect(win);
        p.drawLine(win.center().x(), win.top(), win.center().x(), win.bottom());
        p.drawLine(win.left(), win.center().y(), win.right(), win.center().y());
    }

    // Dimension line under the house.
    p.setPen(QPen(QColor(255, 214, 102), 1.5));
    const double dy = h * 0.91;
    p.drawLine(QPointF(body.left(), dy), QPointF(body.right(), dy));
    p.drawLine(QPointF(body.left(), dy - 6), QPointF(body.left(), dy + 6));
    p.drawLine(QPointF(body.right(), dy - 6), QPointF(body.right(), dy + 6));
    QFont f = p.font();
    f.setPointSizeF(9);
    p.setFont(f);
    p.drawText(QRectF(body.left(), dy - 20, body.width(), 16), Qt::AlignCenter, QStringLiteral("42' - 0\""));
    return pm;
}

}  // namespace shell
