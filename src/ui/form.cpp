#include "form.h"

#include "events.h"
#include "forms.h"
#include "formwindow.h"
#include "twips.h"

#include <QApplication>
#include <QEventLoop>
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
    if (!Form_QueryUnload())
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
        ok = Form_QueryUnload();
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

void Form::setLeft(double twips)
{
    if (window())
        window_->move(toPixels(twips), window_->frameGeometry().y());
}

void Form::setTop(double twips)
{
    if (window())
        window_->move(window_->frameGeometry().x(), toPixels(twips));
}

void Form::move(double leftTwips, double topTwips)
{
    if (window())
        window_->move(toPixels(leftTwips), toPixels(topTwips));
}

void Form::setClientSize(double widthTwips, double heightTwips)
{
    if (!window())
        return;
    const QSize size = twipsSize(widthTwips, heightTwips);
    client_->setFixedSize(size);
    window_->adjustSize();
}

}  // namespace ui
