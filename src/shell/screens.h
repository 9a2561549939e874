#pragma once
// The screens the main menu opens, found by their form names. Each
// subsystem registers its screens at start-up; the menu only knows names, so
// the shell does not depend on the screens it opens.

#include <QString>
#include <QVariant>
#include <functional>

namespace shell {

struct Screen {
    // Sets one of the screen's public variables ("AddOrDelete",
    // "MastertableName", "Which", "Caption").
    std::function<void(const QString& variable, const QVariant& value)> set;
    // Calls one of its public procedures ("Showframe").
    std::function<void(const QString& procedure)> call;
    // Shows it modeless (loading it first, or bringing it forward).
    std::function<void()> show;
};

void registerScreen(const QString& formName, Screen screen);
// Nothing when no screen of that name is registered.
const Screen* findScreen(const QString& formName);
void unregisterAllScreens();  // for tests

}  // namespace shell
