#pragma once
// The event boundary. Every handler the screens connect runs through
// guarded(): a database or other error abandons that one action, is shown in
// a message box under the application's title, and the program goes on. No
// exception ever crosses Qt's event loop.

#include <QAbstractButton>
#include <QAction>
#include <functional>

namespace ui {

// Runs `handler`; reports and swallows any exception. Returns false when the
// handler failed.
bool guarded(const std::function<void()>& handler);

// Shows the message of a failed action (also used by Application::notify).
void reportFailure(const QString& message);

template <class F>
QMetaObject::Connection onClick(QAbstractButton* button, F handler)
{
    return QObject::connect(button, &QAbstractButton::clicked, button, [h = std::move(handler)] { guarded(h); });
}

template <class F>
QMetaObject::Connection onTriggered(QAction* action, F handler)
{
    return QObject::connect(action, &QAction::triggered, action, [h = std::move(handler)] { guarded(h); });
}

// Enter or Return pressed on `widget` (with no modifier but the keypad's)
// runs `handler` and goes no further. For controls whose double-click
// acts, so that the keyboard can do the same.
void onEnterKey(QWidget* widget, std::function<void()> handler);

// Any signal: connect(sender, &Sender::signal, context, guard(handler)).
template <class F>
auto guard(F handler)
{
    return [h = std::move(handler)](auto&&... args) { guarded([&] { h(std::forward<decltype(args)>(args)...); }); };
}

}  // namespace ui
