#pragma once
#include <QWidget>

class QScrollArea;
class QVBoxLayout;

namespace ui {

class Form;

// The top-level window of a Form: a menu-bar slot above a client area. It
// routes the close box through the form's unload, and does not treat Enter
// and Escape as dialog keys (the old forms did not); a form that opts in
// gets Escape (Form::setEscapeAction).
class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(Form& form);
    QWidget* client() const { return client_; }
    QVBoxLayout* frameLayout() const { return layout_; }
    void detach() { form_ = nullptr; }
    // Puts the client area in a scroll area, for a window bigger than the
    // screen even at its smallest.
    void scrollClient();
    QScrollArea* scrollArea() const { return scroll_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Form* form_;
    QVBoxLayout* layout_;
    QWidget* client_;
    QScrollArea* scroll_ = nullptr;
};

}  // namespace ui
