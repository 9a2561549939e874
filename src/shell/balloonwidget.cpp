#include "balloonwidget.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>
#include <QResizeEvent>

namespace shell {

namespace {

constexpr int maxTextWidth = 250;
constexpr int padding = 10;
constexpr int tailLength = 16;
constexpr int tailTop = 18;  // where the tail meets the body, from the top
constexpr int tailWidth = 14;
constexpr int shadow = 3;

}  // namespace

BalloonWidget::BalloonWidget(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont f = font();
    f.setPointSizeF(10.5);
    setFont(f);
    resize(sizeHint());
}

void BalloonWidget::setText(const QString& text)
{
    text_ = text;
    resize(sizeHint());
    update();
}

void BalloonWidget::setColours(const QColor& fill, const QColor& ink)
{
    fill_ = fill;
    ink_ = ink;
    update();
}

void BalloonWidget::setTail(Tail tail)
{
    tail_ = tail;
    reshape();
    update();
}

QSize BalloonWidget::sizeHint() const
{
    const QFontMetrics fm(font());
    QRect r = fm.boundingRect(QRect(0, 0, maxTextWidth, 100000), Qt::TextWordWrap, text_);
    const int w = std::max(r.width(), 40) + 2 * padding + tailLength + shadow + 1;
    const int h = std::max(r.height(), fm.height()) + 2 * padding + shadow + 1;
    return {w, std::max(h, tailTop + tailWidth + 12)};
}

QRect BalloonWidget::bodyRect() const
{
    const int left = tail_ == Tail::Left ? tailLength : 0;
    return QRect(left, 0, width() - tailLength - shadow - 1, height() - shadow - 1);
}

QRect BalloonWidget::textRect() const { return bodyRect().adjusted(padding, padding, -padding, -padding); }

QPoint BalloonWidget::tailTip() const
{
    return tail_ == Tail::Left ? QPoint(0, tailTop + tailWidth + 6)
                               : QPoint(width() - shadow - 1, tailTop + tailWidth + 6);
}

QPainterPath BalloonWidget::outline() const
{
    const QRectF body = QRectF(bodyRect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(body, 10, 10);
    QPainterPath tail;
    const QPointF tip = tailTip();
    if (tail_ == Tail::Left) {
        tail.moveTo(body.left() + 2, tailTop);
        tail.lineTo(tip);
        tail.lineTo(body.left() + 2, tailTop + tailWidth);
    } else {
        tail.moveTo(body.right() - 2, tailTop);
        tail.lineTo(tip);
        tail.lineTo(body.right() - 2, tailTop + tailWidth);
    }
    tail.closeSubpath();
    return shape.united(tail);
}

void BalloonWidget::reshape()
{
    // Shaped to the balloon, as the figure is: without compositing the
    // corners would otherwise be black. The soft shadow falls outside.
    setMask(QRegion(outline().toFillPolygon().toPolygon()));
}

void BalloonWidget::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    reshape();
}

void BalloonWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = outline();

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawPath(shape.translated(shadow, shadow));

    p.setBrush(fill_);
    p.setPen(QPen(fill_.darker(260), 1.3));
    p.drawPath(shape);

    p.setPen(ink_);
    p.drawText(textRect(), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text_);
}

void BalloonWidget::mousePressEvent(QMouseEvent* e)
{
    // A click puts the balloon away; the speech goes on.
    if (e->button() == Qt::LeftButton)
        hide();
}

}  // namespace shell
