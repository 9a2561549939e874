#pragma once
// The speech balloon beside the character: a rounded note with a tail that
// points at the character. A frameless tool window of its own.

#include <QColor>
#include <QPainterPath>
#include <QWidget>

namespace shell {

class BalloonWidget : public QWidget {
    Q_OBJECT
public:
    enum class Tail { Left, Right };  // the side the tail comes out of

    explicit BalloonWidget(QWidget* owner);

    void setText(const QString& text);
    QString text() const { return text_; }
    void setColours(const QColor& fill, const QColor& ink);
    void setTail(Tail tail);
    Tail tail() const { return tail_; }
    // Where the tail's tip is, in the balloon's own coordinates.
    QPoint tailTip() const;

    QSize sizeHint() const override;
    // The balloon's body and tail, which the window is shaped to.
    QPainterPath outline() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    QRect bodyRect() const;
    QRect textRect() const;
    void reshape();

    QString text_;
    QColor fill_{0xff, 0xfd, 0xe8};
    QColor ink_{0x20, 0x20, 0x20};
    Tail tail_ = Tail::Left;
};

}  // namespace shell
