#include "helpicon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

namespace ui {

namespace {

// Drawn on a grid of `size` pixels at a device-pixel ratio of `ratio`.
QPixmap drawHelp(int size, qreal ratio)
{
    QPixmap pm(int(size * ratio), int(size * ratio));
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF disc(0.5, 0.5, size - 1.0, size - 1.0);
    QLinearGradient fill(disc.topLeft(), disc.bottomLeft());
    fill.setColorAt(0, QColor(0x4a, 0x86, 0xd8));
    fill.setColorAt(1, QColor(0x1f, 0x4f, 0x9c));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0x17, 0x3c, 0x78), size >= 24 ? 1.2 : 1.0));
    p.drawEllipse(disc);
    QFont f;
    f.setBold(true);
    f.setPixelSize(qMax(8, int(size * 0.72)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(disc, Qt::AlignCenter, QStringLiteral("?"));
    return pm;
}

}  // namespace

QIcon helpIcon()
{
    QIcon icon;
    for (int size : {16, 20, 24, 32, 48}) {
        for (qreal ratio : {1.0, 2.0}) {
            const QString key = QStringLiteral("ui-help-icon-%1@%2").arg(size).arg(ratio);
            QPixmap pm;
            if (!QPixmapCache::find(key, &pm)) {
                pm = drawHelp(size, ratio);
                QPixmapCache::insert(key, pm);
            }
            icon.addPixmap(pm);
        }
    }
    return icon;
}

}  // namespace ui
