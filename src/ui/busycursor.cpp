#include "busycursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ui {

BusyCursor::BusyCursor()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        set_ = true;
    }
}

BusyCursor::~BusyCursor()
{
    if (set_)
        QGuiApplication::restoreOverrideCursor();
}

}  // namespace ui
