#pragma once
// One long-lived instance per form class, as the old runtime's global form
// objects: ui::form<frmItem>() is "frmItem" everywhere in the program.

#include "form.h"

#include <QList>
#include <functional>
#include <memory>
#include <typeindex>

namespace ui {

namespace detail {
Form* findForm(std::type_index type);
void addForm(std::type_index type, std::unique_ptr<Form> form);
}  // namespace detail

template <class F>
F& form()
{
    if (auto* f = detail::findForm(typeid(F)))
        return static_cast<F&>(*f);
    auto made = std::make_unique<F>();
    F& ref = *made;
    detail::addForm(typeid(F), std::move(made));
    return ref;
}

// The forms whose windows are loaded now, in order of creation.
QList<Form*> loadedForms();

// Called whenever a form's window goes and no other form is loaded, however
// it went (Unload, a window's own button, the close box). The program ends
// there; tests leave it unset. Windows that are not forms (the assistant's,
// the help viewer) never count.
void setLastFormUnloadedHandler(std::function<void()> handler);

namespace detail {
void formUnloaded();
}  // namespace detail

// Unloads and destroys every form instance (the end of the program; tests
// start each case afresh with it).
void destroyAllForms();

}  // namespace ui
