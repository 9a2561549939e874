#pragma once
// The hourglass while work that may take a moment on a slow machine runs on
// the one thread: set for the life of the object, nested freely, and
// nothing at all where there is no window system (command-line programs).

namespace ui {

class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool set_ = false;
};

}  // namespace ui
