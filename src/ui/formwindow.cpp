#include "formwindow.h"

#include "form.h"
#include "helpkey.h"

#include <QCloseEvent>
#include <QKeyEvent>
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
    QWidget::keyPressEvent(e);
}

}  // namespace ui
