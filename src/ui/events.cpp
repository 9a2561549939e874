#include "events.h"

#include "platform.h"

#include "data/dberror.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

#include <cstdio>
#include <exception>

namespace ui {

namespace {

class EnterKeyFilter : public QObject {
public:
    EnterKeyFilter(QWidget* widget, std::function<void()> handler) : QObject(widget), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        guarded(handler_);
        return true;
    }

private:
    std::function<void()> handler_;
};

}  // namespace

void onEnterKey(QWidget* widget, std::function<void()> handler)
{
    widget->installEventFilter(new EnterKeyFilter(widget, std::move(handler)));
}

void reportFailure(const QString& message)
{
    std::fprintf(stderr, "corvanel: %s\n", qPrintable(message));
    try {
        msgBox(message, Buttons::Ok, applicationTitle());
    } catch (...) {
        // Nothing more can be done for the user; the action is abandoned.
    }
}

bool guarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const data::DbError& e) {
        reportFailure(e.message());
    } catch (const std::exception& e) {
        reportFailure(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        reportFailure(QStringLiteral("An unexpected error stopped this action."));
    }
    return false;
}

}  // namespace ui
