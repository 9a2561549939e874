#include "helpkey.h"

#include "events.h"

namespace ui {

namespace {
std::function<void(Form&)>& handler()
{
    static std::function<void(Form&)> h;
    return h;
}
}  // namespace

void setHelpKeyHandler(std::function<void(Form&)> h) { handler() = std::move(h); }

void requestHelp(Form& form)
{
    if (handler())
        guarded([&] { handler()(form); });
}

}  // namespace ui
