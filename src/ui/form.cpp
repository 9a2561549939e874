#include "form.h"

#include "events.h"
#include "forms.h"
#include "formwindow.h"
#include "screenfit.h"
#include "twips.h"

#include <QApplication>
#include <QEventLoop>
#include <QLayout>
#include <QMenuBar>
#include <QVBoxLayout>

namespace ui {

Form::Form(const QString& name) { setObjectName(name); }

Form::~Form()
{
    if (window_) {
        window_->detach();
        delete window_.data();
    }
}

bool Form::isLoaded() const { return !window_.isNull(); }

void Form::load()
{
    if (window_ || loading_)
        return;
    loading_ = true;
    window_ = new FormWindow(*this);
    client_ = window_->client();
    try {
        createControls();
        Form_Load();
    } catch (...) {
        loading_ = false;
        throw;
    }
    loading_ = false;
    emit loaded();
}

void Form::show()
{
    load();
    if (!window_)
        return;  // Form_Load unloaded it again
    if (!window_->isVisible()) {
        fitToScreen();
        window_->show();
    } else {
        window_->raise();
        window_->activateWindow();
    }
    guarded([this] { Form_Activate(); });
}

void Form::showModal()
{
    load();
    if (!window_)
        return;
    QEventLoop loop;
    modalLoop_ = &loop;
    QPointer<FormWindow> w = window_;
    w->setWindowModality(Qt::ApplicationModal);
    if (w->isVisible()) {
        w->raise();
        w->activateWindow();
    } else {
        fitToScreen();
        w->show();
    }
    guarded([this] { Form_Activate(); });
    if (w && w->isVisible())
        loop.exec();
    modalLoop_ = nullptr;
    if (w)
        w->setWindowModality(Qt::NonModal);
}

void Form::hide()
{
    if (window_)
        window_->hide();
    if (modalLoop_)
        modalLoop_->quit();
}

bool Form::isVisible() const { return window_ && window_->isVisible(); }

bool Form::unload()
{
    if (!window_ || unloading_)
        return true;
    if (!Form_QueryUnload(UnloadMode::Code))
        return false;
    unloading_ = true;
    try {
        Form_Unload();
    } catch (...) {
        unloading_ = false;
        destroyWindow();
        throw;
    }
    unloading_ = false;
    destroyWindow();
    return true;
}

bool Form::closeRequested()
{
    if (unloading_)
        return true;
    bool ok = true;
    guarded([&] {
        ok = Form_QueryUnload(UnloadMode::CloseBox);
        if (!ok)
            return;
        unloading_ = true;
        Form_Unload();
    });
    unloading_ = false;
    if (!ok)
        return false;
    destroyWindow();
    return true;
}

void Form::destroyWindow()
{
    FormWindow* w = window_;
    if (!w)
        return;
    window_ = nullptr;
    client_ = nullptr;
    menuBar_ = nullptr;
    w->detach();
    // The window may be the sender of the event being handled (an Exit
    // button), so it goes once control is back in the event loop.
    w->hide();
    w->deleteLater();
    if (modalLoop_)
        modalLoop_->quit();
    emit unloaded();
    detail::formUnloaded();
}

QWidget* Form::window()
{
    load();
    return window_;
}

QWidget* Form::client()
{
    load();
    return client_;
}

QMenuBar* Form::menuBar()
{
    load();
    if (!menuBar_ && window_) {
        menuBar_ = new QMenuBar(window_);
        menuBar_->setObjectName(name() + QStringLiteral("_menuBar"));
        window_->frameLayout()->setMenuBar(menuBar_);
    }
    return menuBar_;
}

QString Form::caption() const { return window_ ? window_->windowTitle() : QString(); }

void Form::setCaption(const QString& caption)
{
    if (auto* w = window())
        w->setWindowTitle(caption);
}

double Form::left() { return window() ? toTwips(window_->frameGeometry().x()) : 0; }
double Form::top() { return window() ? toTwips(window_->frameGeometry().y()) : 0; }
double Form::width() { return window() ? toTwips(window_->frameGeometry().width()) : 0; }
double Form::height() { return window() ? toTwips(window_->frameGeometry().height()) : 0; }

void Form::move(double leftTwips, double topTwips)
{
    if (window())
        window_->move(toPixels(leftTwips), toPixels(topTwips));
}

void Form::setClientSize(double widthTwips, double heightTwips)
{
    designedClient_ = twipsSize(widthTwips, heightTwips);
    applyClientSize();
}

void Form::setResizable(bool on)
{
    resizable_ = on;
    applyClientSize();
}

void Form::applyClientSize()
{
    if (!window() || !designedClient_.isValid())
        return;
    if (!resizable_) {
        client_->setFixedSize(designedClient_);
        window_->adjustSize();
        return;
    }
    // The layouts now say how small the window may get; it opens at the
    // designed size, or at what they need when that is more.
    client_->setMinimumSize(0, 0);
    client_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    QSize size = designedClient_;
    if (menuBar_ && !menuBar_->isHidden())
        size.rheight() += menuBar_->sizeHint().height();
    window_->layout()->activate();
    window_->resize(size.expandedTo(window_->layout()->totalMinimumSize()));
}

void Form::fitToScreen()
{
    if (!window_)
        return;
    // The sizes the window will have once shown: its controls styled, and
    // its layouts counting what the load showed or hid (a control shown or
    // hidden in a hidden window leaves the layouts' figures as they were).
    window_->ensurePolished();
    for (QLayout* layout : window_->findChildren<QLayout*>())
        layout->invalidate();
    for (QWidget* w : window_->findChildren<QWidget*>())
        if (w->layout())
            w->updateGeometry();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    window_->layout()->activate();
    const QSize minimum = window_->layout()->totalMinimumSize();
    // Grown now if it must be, not once shown: then it could no longer be
    // placed by its frame, and its title bar might end up off the screen.
    const QSize needed = window_->size().expandedTo(minimum);
    if (needed != window_->size())
        window_->resize(needed);
    const QMargins frame = windowFrameMargins();
    const WindowFit fit =
        fitInWorkArea(window_->pos(), window_->size(), minimum, resizable_, frame, workAreaFor(window_));
    if (fit.scrolls) {
        window_->scrollClient();
        window_->layout()->activate();
    }
    if (fit.size != window_->size())
        window_->resize(fit.size);
    // A window the program never placed is left to the window manager.
    if (window_->testAttribute(Qt::WA_Moved) || fit.framePos != window_->pos())
        window_->move(fit.framePos);
}

}  // namespace ui
