#pragma once
// A one-line text box with the old runtime's number reading and writing,
// a read-only "locked" state, an optional filter for price and quantity
// boxes, and the old LostFocus event. textChanged is the old Change event
// (edits by the user and by code alike).

#include <QLineEdit>
#include <QString>

namespace ui {

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    TextBox(QWidget* parent, const QString& name);

    // The number at the start of the text (0 for empty or non-numeric text).
    double number() const;
    // Writes the value in the default number-to-text form.
    void setNumber(double value);

    bool isLocked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }

    // Price and quantity boxes: of the printable characters only the digits
    // 0-9 and "." can be typed, and text holding anything else is not
    // pasted or dropped. Backspace, Delete, cursor keys, Enter and shortcuts
    // keep working. The filter does not limit how many "." a text holds,
    // and text set by code is not filtered.
    bool digitsAndPointOnly() const { return digitsOnly_; }
    void setDigitsAndPointOnly(bool on);

    // At least wide enough to show about `count` characters of its font.
    void setVisibleCharacters(int count);

signals:
    // The focus went to another control. Not when a pop-up (such as the
    // context menu) or another window merely takes it for a while: the
    // screens ask questions on this signal, which must not come while the
    // user is still in the box.
    void lostFocus();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool refused(const QString& inserted) const;

    bool digitsOnly_ = false;
};

}  // namespace ui
