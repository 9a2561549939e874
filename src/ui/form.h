#pragma once
// A window with the old forms runtime's life cycle. The Form object lives as
// long as the program (one instance per form, see forms.h), so its public
// variables and module state outlive closing; the window and its controls
// are built fresh at each load. Loading happens on the first show or the
// first touch of window(); showing an open window brings it forward.
//
// Screens keep their controls in QPointer members: after an unload they
// become null until the next load builds new ones.

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>

class QMenuBar;
class QWidget;
class QEventLoop;

namespace ui {

class FormWindow;

// Who asked a window to unload: the program (Unload from code) or the user
// through the window's close box (title-bar X, Alt+F4, the window manager).
enum class UnloadMode { Code, CloseBox };

class Form : public QObject {
    Q_OBJECT
public:
    explicit Form(const QString& name);
    ~Form() override;

    QString name() const { return objectName(); }
    bool isLoaded() const;

    // Builds the window and its controls and runs Form_Load, when not loaded.
    void load();
    // Modeless show: loads first, then shows or brings the window forward.
    void show();
    // Modal show: loads first; returns when the window has been unloaded or
    // hidden.
    void showModal();
    bool isShownModal() const { return modalLoop_ != nullptr; }
    void hide();
    // Runs Form_QueryUnload and Form_Unload and destroys the window; the
    // Form's state stays. Returns false when Form_QueryUnload refused.
    bool unload();
    bool isVisible() const;

    // The window, loading it on first touch.
    QWidget* window();
    // The area below the menu bar where controls are placed (twips-based
    // geometry, see twips.h).
    QWidget* client();
    // The window's menu bar, made on first use.
    QMenuBar* menuBar();

    QString caption() const;
    void setCaption(const QString& caption);

    // Outer position and size in twips, as the old Left/Top/Width/Height.
    double left();
    double top();
    double width();
    double height();
    void move(double leftTwips, double topTwips);
    // The client area's size in twips (the window grows by its menu bar).
    // A fixed window keeps it; a resizable one opens at it (or at what its
    // layout needs, when that is more) and may then be resized down to what
    // its layout needs.
    void setClientSize(double widthTwips, double heightTwips);
    // Windows with a list are resizable: their layout hands the room to the
    // list. Fixed by default, as the old forms were.
    void setResizable(bool on);
    bool isResizable() const { return resizable_; }

    // Escape runs this action (a frame's Cancel or Exit); the old forms had
    // no dialog keys, so a form has none until it opts in.
    void setEscapeAction(std::function<void()> action) { escapeAction_ = std::move(action); }
    bool hasEscapeAction() const { return bool(escapeAction_); }

    // The window's help context number (used by the help key).
    int helpContextId() const { return helpContextId_; }
    void setHelpContextId(int id) { helpContextId_ = id; }

signals:
    void loaded();
    void unloaded();

protected:
    // Builds the controls on client(); called at each load, before Form_Load.
    virtual void createControls() = 0;
    virtual void Form_Load() {}
    // Runs each time show() is called on the form, also when already open.
    virtual void Form_Activate() {}
    // False keeps the window open.
    virtual bool Form_QueryUnload(UnloadMode) { return true; }
    virtual void Form_Unload() {}

private:
    friend class FormWindow;
    bool closeRequested();  // the close box; true when the window may close
    void destroyWindow();
    void applyClientSize();
    // Before a window first shows: within the work area of its screen,
    // shrunk where it may be, moved up or left where it sticks out, and
    // scrolled when even its smallest size is too big.
    void fitToScreen();

    QPointer<FormWindow> window_;
    QPointer<QWidget> client_;
    QPointer<QMenuBar> menuBar_;
    QEventLoop* modalLoop_ = nullptr;
    bool loading_ = false;
    bool unloading_ = false;
    int helpContextId_ = 0;
    QSize designedClient_;
    bool resizable_ = false;
    std::function<void()> escapeAction_;
};

}  // namespace ui
