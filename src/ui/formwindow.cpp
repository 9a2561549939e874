#include "formwindow.h"

#include "form.h"
#include "helpkey.h"

#include "events.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ui {

FormWindow::FormWindow(Form& form)
    : QWidget(nullptr, Qt::Window), form_(&form), layout_(new QVBoxLayout(this)), client_(new QWidget(this))
{
    setObjectName(form.name());
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    client_->setObjectName(form.name() + QStringLiteral("_client"));
    layout_->addWidget(client_);
}

void FormWindow::scrollClient()
{
    if (scroll_)
        return;
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(objectName() + QStringLiteral("_scroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    // Scrolling follows the focus; the area itself is no stop for Tab.
    scroll_->setFocusPolicy(Qt::NoFocus);
    delete layout_->replaceWidget(client_, scroll_);  // the client's old place is ours to free
    scroll_->setWidget(client_);
}

void FormWindow::closeEvent(QCloseEvent* e)
{
    if (!form_ || form_->closeRequested())
        e->accept();
    else
        e->ignore();
}

}  // namespace ui

namespace ui {

void FormWindow::keyPressEvent(QKeyEvent* e)
{
    // F1 reaches the window when no control took it.
    if (e->key() == Qt::Key_F1 && form_) {
        requestHelp(*form_);
        e->accept();
        return;
    }
    // Escape reaches the window when the focused control did not use it
    // (an open drop-down list closes first).
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier && form_ && form_->hasEscapeAction()) {
        guarded(form_->escapeAction_);
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

}  // namespace ui
