#include "headericons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>

namespace ui {

namespace {

constexpr int iconSize = 16;

QPixmap drawIcon(HeaderIcon which)
{
    QPixmap pm(iconSize, iconSize);
    pm.fill(Qt::transparent);
    if (which == HeaderIcon::Blank)
        return pm;

    // A triangle 8 pixels wide and 5 high in the middle of the square.
    QPainterPath path;
    if (which == HeaderIcon::Up) {
        path.moveTo(4, 10.5);
        path.lineTo(12, 10.5);
        path.lineTo(8, 5.5);
    } else {
        path.moveTo(4, 5.5);
        path.lineTo(12, 5.5);
        path.lineTo(8, 10.5);
    }
    path.closeSubpath();

    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 80, 80));
    p.drawPath(path);
    return pm;
}

}  // namespace

QIcon headerIcon(HeaderIcon which)
{
    // The pixmap cache rather than a static: it is emptied together with the
    // application, so no pixmap outlives the GUI.
    const QString key = QStringLiteral("ui-header-icon-") + headerIconName(which);
    QPixmap pm;
    if (!QPixmapCache::find(key, &pm)) {
        pm = drawIcon(which);
        QPixmapCache::insert(key, pm);
    }
    return QIcon(pm);
}

QString headerIconName(HeaderIcon which)
{
    switch (which) {
    case HeaderIcon::Blank: return QStringLiteral("Blank");
    case HeaderIcon::Up: return QStringLiteral("Up");
    case HeaderIcon::Down: return QStringLiteral("Down");
    }
    return QStringLiteral("Blank");
}

std::optional<HeaderIcon> headerIconFromName(QStringView name)
{
    for (HeaderIcon h : {HeaderIcon::Blank, HeaderIcon::Up, HeaderIcon::Down}) {
        if (name == headerIconName(h))
            return h;
    }
    return std::nullopt;
}

}  // namespace ui
