#include "buttonicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace shell {

namespace {

constexpr int side = 40;

QPen ink(const QColor& c, double w = 2.0) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void files(QPainter& p)
{
    const QColor c(0xd9, 0x9a, 0x2b);
    QPainterPath folder;
    folder.moveTo(4, 12);
    folder.lineTo(15, 12);
    folder.lineTo(18, 8);
    folder.lineTo(36, 8);
    folder.lineTo(36, 33);
    folder.lineTo(4, 33);
    folder.closeSubpath();
    p.setPen(ink(c.darker(140)));
    p.setBrush(c);
    p.drawPath(folder);
    p.setBrush(c.lighter(125));
    p.drawRect(QRectF(4, 16, 32, 17));
}

void masters(QPainter& p)
{
    // A card file of master lists.
    p.setPen(ink(QColor(0x3a, 0x5a, 0x8c)));
    for (int i = 0; i < 3; ++i) {
        p.setBrush(QColor(0xe8, 0xee, 0xf8).darker(100 + 8 * (2 - i)));
        p.drawRoundedRect(QRectF(6 + 3 * i, 6 + 7 * i, 26, 18), 2, 2);
    }
    p.setPen(ink(QColor(0x3a, 0x5a, 0x8c), 1.4));
    for (int y : {26, 30, 34})
        p.drawLine(16, y - 6, 34, y - 6);
}

void estimates(QPainter& p)
{
    p.setPen(ink(QColor(0x2f, 0x6b, 0x3a)));
    p.setBrush(QColor(0xf4, 0xfb, 0xf2));
    QPainterPath sheet;
    sheet.moveTo(8, 4);
    sheet.lineTo(26, 4);
    sheet.lineTo(33, 11);
    sheet.lineTo(33, 36);
    sheet.lineTo(8, 36);
    sheet.closeSubpath();
    p.drawPath(sheet);
    p.setPen(ink(QColor(0x2f, 0x6b, 0x3a), 1.4));
    for (int y : {15, 20, 25})
        p.drawLine(12, y, 28, y);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(11);
    p.setFont(f);
    p.drawText(QRectF(17, 26, 16, 10), Qt::AlignCenter, QStringLiteral("$"));
}

void calculators(QPainter& p)
{
    p.setPen(ink(QColor(0x44, 0x44, 0x44)));
    p.setBrush(QColor(0x5c, 0x6b, 0x7a));
    p.drawRoundedRect(QRectF(9, 3, 22, 34), 3, 3);
    p.setBrush(QColor(0xc8, 0xe6, 0xc0));
    p.drawRect(QRectF(12, 6, 16, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0xf0, 0xf0));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRect(QRectF(12 + c * 6, 16 + r * 5, 4, 3.5));
}

void reports(QPainter& p)
{
    p.setPen(ink(QColor(0x55, 0x55, 0x55)));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(11, 4, 18, 12));
    p.setBrush(QColor(0x8a, 0x94, 0xa6));
    p.drawRoundedRect(QRectF(4, 15, 32, 14), 3, 3);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(11, 24, 18, 12));
    p.setPen(ink(QColor(0x55, 0x55, 0x55), 1.2));
    p.drawLine(14, 29, 26, 29);
    p.drawLine(14, 32, 24, 32);
}

void notes(QPainter& p)
{
    p.setPen(ink(QColor(0x9a, 0x85, 0x2a)));
    p.setBrush(QColor(0xff, 0xf3, 0x9c));
    p.drawRect(QRectF(7, 5, 26, 31));
    p.setPen(ink(QColor(0xc9, 0x7c, 0x6b), 1.2));
    for (int y = 12; y <= 31; y += 5)
        p.drawLine(10, y, 30, y);
    // A pencil across the pad.
    p.setPen(ink(QColor(0x5b, 0x3a, 0x1e), 1.2));
    p.setBrush(QColor(0xe8, 0x8b, 0x22));
    QPolygonF pencil;
    pencil << QPointF(18, 30) << QPointF(34, 14) << QPointF(37, 17) << QPointF(21, 33);
    p.drawPolygon(pencil);
}

void exitDoor(QPainter& p)
{
    p.setPen(ink(QColor(0x6b, 0x2f, 0x2f)));
    p.setBrush(QColor(0xb0, 0x55, 0x3c));
    p.drawRect(QRectF(9, 4, 20, 32));
    p.setBrush(QColor(0xf2, 0xd3, 0x6b));
    p.drawEllipse(QPointF(25, 21), 1.6, 1.6);
    p.setPen(ink(QColor(0x2f, 0x6b, 0x3a), 2.4));
    p.drawLine(24, 12, 36, 12);
    p.drawLine(32, 8, 36, 12);
    p.drawLine(32, 16, 36, 12);
}

}  // namespace

QIcon pictureButtonIcon(const QString& which)
{
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (which == QLatin1String("Files"))
        files(p);
    else if (which == QLatin1String("Masters"))
        masters(p);
    else if (which == QLatin1String("Estimates"))
        estimates(p);
    else if (which == QLatin1String("Calculators"))
        calculators(p);
    else if (which == QLatin1String("Reports"))
        reports(p);
    else if (which == QLatin1String("Notes"))
        notes(p);
    else if (which == QLatin1String("Exit"))
        exitDoor(p);
    p.end();
    return QIcon(pm);
}

}  // namespace shell
