#include "characterwindow.h"

#include <QBitmap>
#include <QImage>
#include <QRegion>

#include "balloonwidget.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace shell {

namespace {

// The figure is drawn on a canvas of this size, in these units.
constexpr int canvasWidth = 150;
constexpr int canvasHeight = 182;

double ease(double x)
{
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

// Rises over [0, up], holds, falls back over [down, 1].
double bump(double t, double up, double down)
{
    if (t < up)
        return ease(t / up);
    if (t > down)
        return ease((1.0 - t) / (1.0 - down));
    return 1.0;
}

double lerp(double a, double b, double t) { return a + (b - a) * t; }

// Where the limbs and the head are at one moment.
struct Pose {
    double arm = -12;     // right arm, degrees from hanging straight down
    double headDrop = 0;  // the head sinks, in canvas units
    double headTilt = 0;  // degrees
    double sad = 0;       // 0..1: brows, mouth, eyes and hat tip
};

Pose poseAt(CharacterWindow::Animation a, double t)
{
    Pose pose;
    switch (a) {
    case CharacterWindow::Animation::None: break;
    case CharacterWindow::Animation::Wave: {
        const double raise = bump(t, 0.2, 0.8);
        double wiggle = 0;
        if (t > 0.2 && t < 0.8)
            wiggle = 22 * std::sin(2 * std::numbers::pi * 3 * (t - 0.2) / 0.6);
        pose.arm = lerp(-12, -145, raise) + wiggle * raise;
        pose.headTilt = -4 * raise;
        break;
    }
    case CharacterWindow::Animation::Greet: {
        const double b = bump(t, 0.35, 0.65);
        pose.arm = lerp(-12, 58, b);  // hand to the chest
        pose.headDrop = 9 * b;
        pose.headTilt = 9 * b;
        break;
    }
    case CharacterWindow::Animation::Sad: {
        const double s = bump(t, 0.25, 0.8);
        pose.arm = lerp(-12, -3, s);
        pose.headDrop = 5 * s;
        pose.headTilt = -4 * s;
        pose.sad = s;
        break;
    }
    }
    return pose;
}

QPainterPath starPath(QPointF c, double r)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double rr = (i % 2 == 0) ? r : r * 0.45;
        const double ang = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF pt(c.x() + rr * std::cos(ang), c.y() + rr * std::sin(ang));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPen outline(const QColor& c, double w = 1.2)
{
    return QPen(c.darker(175), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Fills a part of the figure with a two-colour gradient from `from` to `to`
// and outlines it in a darker `edge`.
void shade(QPainter& p, const QPainterPath& part, QPointF from, QPointF to, const QColor& start, const QColor& end,
           const QColor& edge)
{
    QLinearGradient g(from, to);
    g.setColorAt(0, start);
    g.setColorAt(1, end);
    p.setPen(outline(edge));
    p.setBrush(g);
    p.drawPath(part);
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

}  // namespace

CharacterWindow::CharacterWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), balloon_(new BalloonWidget(this)),
      animationTimer_(new QTimer(this)), glideTimer_(new QTimer(this)), talkTimer_(new QTimer(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The assistant never keeps the program running once its windows are gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Merlin"));
    setFixedSize(canvasWidth, canvasHeight);
    setCursor(Qt::OpenHandCursor);

    animationTimer_->setInterval(33);
    connect(animationTimer_, &QTimer::timeout, this, &CharacterWindow::animationStep);
    glideTimer_->setInterval(15);
    connect(glideTimer_, &QTimer::timeout, this, &CharacterWindow::glideStep);
    talkTimer_->setInterval(140);
    connect(talkTimer_, &QTimer::timeout, this, [this] {
        mouthOpen_ = !mouthOpen_;
        redraw();
    });
    setLook(look_);
}

CharacterWindow::~CharacterWindow() = default;

void CharacterWindow::setLook(const CharacterLook& look)
{
    look_ = look;
    balloon_->setColours(look_.balloon, look_.balloonText);
    redraw();
}

void CharacterWindow::play(Animation a, int durationMs)
{
    animation_ = a;
    animationMs_ = std::max(durationMs, 1);
    animationClock_.start();
    animationTimer_->start();
    redraw();
}

void CharacterWindow::animationStep()
{
    // Progress comes from the clock, not from counting frames: a busy machine
    // drops frames but the animation still ends on time.
    if (animationClock_.elapsed() >= animationMs_) {
        animationTimer_->stop();
        animation_ = Animation::None;
        redraw();
        emit animationFinished();
        return;
    }
    redraw();
}

void CharacterWindow::glideTo(const QPoint& topLeft, int durationMs)
{
    glideFrom_ = pos();
    glideTo_ = topLeft;
    glideMs_ = std::max(durationMs, 1);
    glideClock_.start();
    glideTimer_->start();
}

bool CharacterWindow::isGliding() const { return glideTimer_->isActive(); }

void CharacterWindow::glideStep()
{
    const double t = double(glideClock_.elapsed()) / glideMs_;
    if (t >= 1.0) {
        move(glideTo_);
        endGlide();
        return;
    }
    const double e = ease(t);
    move(QPoint(int(std::lround(lerp(glideFrom_.x(), glideTo_.x(), e))),
                int(std::lround(lerp(glideFrom_.y(), glideTo_.y(), e)))));
}

void CharacterWindow::endGlide()
{
    if (!glideTimer_->isActive())
        return;
    glideTimer_->stop();
    emit moveFinished();
}

void CharacterWindow::setTalking(bool talking)
{
    if (talking) {
        if (!talkTimer_->isActive())
            talkTimer_->start();
    } else {
        talkTimer_->stop();
        mouthOpen_ = false;
    }
    redraw();
}

void CharacterWindow::showBalloon(const QString& text)
{
    balloon_->setText(text);
    placeBalloon();
    if (isVisible())
        balloon_->show();
}

void CharacterWindow::hideBalloon() { balloon_->hide(); }

QString CharacterWindow::balloonText() const { return balloon_->isVisible() ? balloon_->text() : QString(); }

void CharacterWindow::hideByUser()
{
    hide();
    emit hiddenByUser();
}

void CharacterWindow::placeBalloon()
{
    const QSize size = balloon_->sizeHint();
    const QRect me = frameGeometry();
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect avail = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);

    // The tail points at the side of the face: on the right when the balloon
    // fits there, else on the left.
    const int headY = me.top() + 60;
    BalloonWidget::Tail tail = BalloonWidget::Tail::Left;
    int x = me.left() + 100;
    if (x + size.width() > avail.right() && me.left() + 40 - size.width() >= avail.left()) {
        tail = BalloonWidget::Tail::Right;
        x = me.left() + 40 - size.width();
    }
    balloon_->setTail(tail);
    balloon_->resize(size);
    const int tipY = balloon_->tailTip().y();
    int y = headY - tipY;
    y = std::clamp(y, avail.top(), std::max(avail.top(), avail.bottom() - size.height()));
    x = std::clamp(x, avail.left(), std::max(avail.left(), avail.right() - size.width()));
    balloon_->move(x, y);
}

void CharacterWindow::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    if (balloon_->isVisible())
        placeBalloon();
}

void CharacterWindow::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    // Only a real hide, not the window being minimised along with others.
    if (!isVisible())
        balloon_->hide();
}

void CharacterWindow::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    // The user takes over: a glide in progress ends where the figure is.
    endGlide();
    dragging_ = true;
    dragOffset_ = e->globalPosition().toPoint() - frameGeometry().topLeft();
    setCursor(Qt::ClosedHandCursor);
}

void CharacterWindow::mouseMoveEvent(QMouseEvent* e)
{
    if (dragging_)
        move(e->globalPosition().toPoint() - dragOffset_);
}

void CharacterWindow::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && dragging_) {
        dragging_ = false;
        setCursor(Qt::OpenHandCursor);
    }
}

void CharacterWindow::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    QAction* hideAction = menu.addAction(tr("&Hide"));
    if (menu.exec(e->globalPos()) == hideAction)
        hideByUser();
}

double CharacterWindow::progress() const
{
    return animation_ == Animation::None ? 0.0 : std::min(1.0, double(animationClock_.elapsed()) / animationMs_);
}

void CharacterWindow::redraw()
{
    // Without a compositing window manager a translucent window is drawn on
    // black; the window is shaped to the figure instead, so only the figure
    // covers what lies beneath, with or without compositing. The faint glow
    // and ground shadow fall outside the shape.
    QImage frame(size(), QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    {
        QPainter p(&frame);
        p.scale(double(width()) / canvasWidth, double(height()) / canvasHeight);
        paintFigure(p, look_, animation_, progress(), mouthOpen_);
    }
    const QRegion shape(QBitmap::fromImage(frame.createAlphaMask(Qt::ThresholdAlphaDither)));
    if (shape != mask())
        setMask(shape);
    update();
}

void CharacterWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.scale(double(width()) / canvasWidth, double(height()) / canvasHeight);
    paintFigure(p, look_, animation_, progress(), mouthOpen_);
}

void CharacterWindow::paintFigure(QPainter& p, const CharacterLook& L, Animation a, double progress, bool mouthOpen)
{
    const Pose pose = poseAt(a, progress);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    // Shadow on the ground.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawEllipse(QPointF(70, 175), 54, 5.5);

    // Glow around the top of the staff.
    {
        QRadialGradient glow(QPointF(26, 24), 20);
        glow.setColorAt(0, withAlpha(L.orb, 170));
        glow.setColorAt(1, withAlpha(L.orb, 0));
        p.setBrush(glow);
        p.drawEllipse(QPointF(26, 24), 20, 20);
    }

    // Robe.
    QPainterPath robe;
    robe.moveTo(56, 80);
    robe.quadTo(42, 82, 40, 96);
    robe.lineTo(20, 168);
    robe.quadTo(70, 180, 120, 168);
    robe.lineTo(100, 96);
    robe.quadTo(98, 82, 84, 80);
    robe.closeSubpath();
    shade(p, robe, {0, 78}, {0, 178}, L.robe.lighter(130), L.robe.darker(140), L.robe);
    p.save();
    p.setClipPath(robe);
    p.setBrush(Qt::NoBrush);
    // Folds.
    p.setPen(QPen(withAlpha(L.robe.darker(170), 130), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(60, 118), QPointF(50, 170));
    p.drawLine(QPointF(80, 118), QPointF(90, 170));
    p.drawLine(QPointF(70, 126), QPointF(70, 174));
    // Golden hem.
    QPainterPath hem;
    hem.moveTo(18, 162);
    hem.quadTo(70, 175, 122, 162);
    p.setPen(QPen(L.trim, 4.5, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(hem);
    p.setPen(Qt::NoPen);
    p.setBrush(L.trim);
    p.drawPath(starPath({42, 142}, 4.5));
    p.drawPath(starPath({98, 136}, 4));
    p.drawPath(starPath({62, 152}, 3));
    p.drawPath(starPath({84, 150}, 3.5));
    p.restore();

    // Staff, held in the left hand.
    p.setPen(outline(L.staff, 1));
    {
        QLinearGradient g(23, 0, 29, 0);
        g.setColorAt(0, L.staff.lighter(130));
        g.setColorAt(1, L.staff.darker(130));
        p.setBrush(g);
    }
    p.drawRoundedRect(QRectF(23.5, 28, 5, 148), 2.5, 2.5);
    {
        QRadialGradient g(QPointF(24, 21), 9);
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, L.orb);
        p.setPen(outline(L.orb, 1));
        p.setBrush(g);
        p.drawEllipse(QPointF(26, 24), 7, 7);
    }

    // Left sleeve and hand.
    QPainterPath leftSleeve;
    leftSleeve.moveTo(47, 86);
    leftSleeve.cubicTo(38, 96, 28, 108, 18, 122);
    leftSleeve.quadTo(28, 134, 38, 127);
    leftSleeve.cubicTo(44, 117, 50, 106, 55, 98);
    leftSleeve.closeSubpath();
    shade(p, leftSleeve, {18, 0}, {56, 0}, L.robe.darker(115), L.robe.lighter(115), L.robe);
    p.setPen(QPen(L.trim, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    {
        QPainterPath cuff;
        cuff.moveTo(19.5, 123);
        cuff.quadTo(28, 132, 37, 126.5);
        p.drawPath(cuff);
    }
    p.setPen(outline(L.skin));
    p.setBrush(L.skin);
    p.drawEllipse(QPointF(27, 120), 6.5, 6);

    // Head, beard and hat move together.
    p.save();
    p.translate(70, 84 + pose.headDrop);
    p.rotate(pose.headTilt);
    p.translate(-70, -84);

    const double fy = 63;  // centre of the face

    // Hair at the sides.
    p.setPen(outline(L.beard, 1));
    p.setBrush(L.beard);
    p.drawEllipse(QPointF(54.5, fy - 1), 5.5, 8);
    p.drawEllipse(QPointF(85.5, fy - 1), 5.5, 8);

    // Face.
    {
        QRadialGradient g(QPointF(66, fy - 4), 20);
        g.setColorAt(0, L.skin.lighter(108));
        g.setColorAt(1, L.skin.darker(108));
        p.setPen(outline(L.skin));
        p.setBrush(g);
        p.drawEllipse(QPointF(70, fy), 15, 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 120, 120, 70));
    p.drawEllipse(QPointF(60.5, fy + 5), 4, 3);
    p.drawEllipse(QPointF(79.5, fy + 5), 4, 3);

    // Beard.
    QPainterPath beard;
    beard.moveTo(55, fy + 1);
    beard.cubicTo(49, fy + 26, 60, fy + 50, 70, fy + 64);
    beard.cubicTo(80, fy + 50, 91, fy + 26, 85, fy + 1);
    beard.cubicTo(80, fy + 13, 60, fy + 13, 55, fy + 1);
    beard.closeSubpath();
    shade(p, beard, {0, fy}, {0, fy + 64}, L.beard, L.beard.darker(118), L.beard);
    p.save();
    p.setClipPath(beard);
    p.setPen(QPen(withAlpha(L.beard.darker(150), 110), 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(62, fy + 22), QPointF(66, fy + 44));
    p.drawLine(QPointF(78, fy + 22), QPointF(74, fy + 44));
    p.drawLine(QPointF(70, fy + 26), QPointF(70, fy + 54));
    p.restore();

    // Mouth: a smile that turns down when sad, open while talking.
    if (mouthOpen) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 30, 40));
        p.drawEllipse(QPointF(70, fy + 16), 3.6, 3);
    } else {
        QPainterPath mouth;
        mouth.moveTo(65, fy + 15 + 2.5 * pose.sad);
        mouth.quadTo(70, fy + 19 - 6 * pose.sad, 75, fy + 15 + 2.5 * pose.sad);
        p.setPen(QPen(QColor(120, 40, 45), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(mouth);
    }

    // Moustache.
    p.setPen(outline(L.beard, 1));
    p.setBrush(L.beard.lighter(104));
    for (int side : {-1, 1}) {
        QPainterPath m;
        m.moveTo(70, fy + 7);
        m.cubicTo(70 + side * 6, fy + 4, 70 + side * 13, fy + 6, 70 + side * 15, fy + 13);
        m.cubicTo(70 + side * 10, fy + 12, 70 + side * 5, fy + 12, 70, fy + 10);
        m.closeSubpath();
        p.drawPath(m);
    }

    // Nose.
    p.setPen(outline(L.skin, 1));
    p.setBrush(L.skin.darker(112));
    p.drawEllipse(QPointF(70, fy + 4), 3.6, 3.3);

    // Eyes: friendly dots, heavy-lidded when sad.
    for (double ex : {64.0, 76.0}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 30, 30));
        p.drawEllipse(QPointF(ex, fy - 3 + 0.8 * pose.sad), 2.1, 2.7 - 1.1 * pose.sad);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(ex - 0.7, fy - 4), 0.75, 0.75);
    }

    // Bushy brows, raised in the middle when sad.
    p.setPen(QPen(L.beard.darker(104), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(59, fy - 7.5), QPointF(67.5, fy - 8.5 - 3 * pose.sad));
    p.drawLine(QPointF(81, fy - 7.5), QPointF(72.5, fy - 8.5 - 3 * pose.sad));

    // Hat: the back of the brim, the cone, the front of the brim.
    const QPointF brimCentre(70, fy - 15);
    const double brimRx = 33, brimRy = 6.5;
    {
        QLinearGradient g(37, 0, 103, 0);
        g.setColorAt(0, L.hat.lighter(115));
        g.setColorAt(1, L.hat.darker(140));
        p.setPen(outline(L.hat));
        p.setBrush(g);
        p.drawEllipse(brimCentre, brimRx, brimRy);
    }
    const QPointF tip(88 + 14 * pose.sad, 2 + 13 * pose.sad);
    QPainterPath cone;
    cone.moveTo(49, brimCentre.y());
    cone.cubicTo(55, 30, 70, 14, tip.x(), tip.y());
    cone.cubicTo(82, 18, 86, 30, 91, brimCentre.y());
    cone.closeSubpath();
    shade(p, cone, {49, 0}, {91, 0}, L.hat.lighter(135), L.hat.darker(125), L.hat);
    p.save();
    p.setClipPath(cone);
    p.setPen(Qt::NoPen);
    p.setBrush(L.trim);
    p.drawRect(QRectF(40, brimCentre.y() - 7, 60, 6));
    p.drawPath(starPath({63, 31}, 4.8));
    p.drawPath(starPath({77, 21}, 3.2));
    p.drawPath(starPath({72, 37}, 2.3));
    // A crescent moon: a disc with a bite taken out in the hat's colour.
    p.drawEllipse(QPointF(81, 31), 3.6, 3.6);
    p.setBrush(L.hat.darker(112));
    p.drawEllipse(QPointF(82.8, 29.8), 3.1, 3.1);
    p.restore();
    {
        QPainterPath front;
        const QRectF box(brimCentre.x() - brimRx, brimCentre.y() - brimRy, 2 * brimRx, 2 * brimRy);
        front.moveTo(box.left(), brimCentre.y());
        front.arcTo(box, 180, 180);
        front.quadTo(brimCentre.x(), brimCentre.y() + 2.5, box.left(), brimCentre.y());
        front.closeSubpath();
        shade(p, front, {37, 0}, {103, 0}, L.hat.lighter(125), L.hat.darker(135), L.hat);
    }
    p.restore();  // head

    // Right arm, in front of the beard when raised or laid on the chest.
    p.save();
    p.translate(97, 92);
    p.rotate(pose.arm);
    QPainterPath sleeve;
    sleeve.moveTo(-7, -4);
    sleeve.cubicTo(-9, 10, -12, 24, -13, 35);
    sleeve.quadTo(0, 43, 13, 35);
    sleeve.cubicTo(11, 22, 9, 8, 7, -4);
    sleeve.closeSubpath();
    shade(p, sleeve, {-13, 0}, {13, 0}, L.robe.lighter(120), L.robe.darker(120), L.robe);
    {
        QPainterPath cuff;
        cuff.moveTo(-12.5, 35.5);
        cuff.quadTo(0, 42, 12.5, 35.5);
        p.setPen(QPen(L.trim, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(cuff);
    }
    p.setPen(outline(L.skin));
    p.setBrush(L.skin);
    p.drawEllipse(QPointF(0, 42), 6.5, 6);
    p.restore();

    p.restore();
}

}  // namespace shell
