#pragma once
// The assistant's figure on screen: a wizard we draw ourselves, in a small
// frameless window that stays on top, can be dragged, and hides from its
// right-click menu. It plays short animations, glides to a point, moves its
// mouth while talking, and carries the speech balloon.

#include "characterfile.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QWidget>

class QTimer;

namespace shell {

class BalloonWidget;

class CharacterWindow : public QWidget {
    Q_OBJECT
public:
    enum class Animation { None, Wave, Greet, Sad };

    explicit CharacterWindow(QWidget* parent = nullptr);
    ~CharacterWindow() override;

    void setLook(const CharacterLook& look);
    const CharacterLook& look() const { return look_; }

    // Plays `a` for `durationMs`, then emits animationFinished().
    void play(Animation a, int durationMs);
    Animation animation() const { return animation_; }
    // Glides the window's top-left corner to `topLeft`, then emits moveFinished().
    void glideTo(const QPoint& topLeft, int durationMs);
    bool isGliding() const;

    void setTalking(bool talking);

    void showBalloon(const QString& text);
    void hideBalloon();
    // The balloon's text while it is shown, else empty.
    QString balloonText() const;
    BalloonWidget* balloon() const { return balloon_; }

    // What the "Hide" of the right-click menu does.
    void hideByUser();

    // The figure at a given moment of an animation (progress 0..1), for
    // painting elsewhere.
    static void paintFigure(QPainter& p, const CharacterLook& look, Animation a, double progress, bool mouthOpen);

signals:
    void animationFinished();
    void moveFinished();
    void hiddenByUser();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void contextMenuEvent(QContextMenuEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    void animationStep();
    void glideStep();
    void endGlide();
    void placeBalloon();
    // Repaints the figure and shapes the window to it.
    void redraw();
    double progress() const;

    CharacterLook look_;
    BalloonWidget* balloon_;

    Animation animation_ = Animation::None;
    int animationMs_ = 0;
    QElapsedTimer animationClock_;
    QTimer* animationTimer_;

    QPoint glideFrom_, glideTo_;
    int glideMs_ = 0;
    QElapsedTimer glideClock_;
    QTimer* glideTimer_;

    bool mouthOpen_ = false;
    QTimer* talkTimer_;

    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace shell
