#pragma once
// F1 on any window asks for help on that window's help context; the shell
// decides what that opens.

#include <functional>

namespace ui {

class Form;

void setHelpKeyHandler(std::function<void(Form&)> handler);
// Runs the handler for `form` (guarded); does nothing when none is set.
void requestHelp(Form& form);

}  // namespace ui
