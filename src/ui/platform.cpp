#include "platform.h"

#include "desktopplatform.h"

namespace ui {

namespace {
Platform* installed = nullptr;
}

QString applicationTitle() { return QStringLiteral("Corvanel"); }

Platform& Platform::instance()
{
    if (installed)
        return *installed;
    // Normally main() installs the desktop platform it owns; this one is
    // made on demand and kept until the process ends.
    static Platform* fallback = new DesktopPlatform;
    return *fallback;
}

void Platform::setInstance(Platform* p) { installed = p; }

Answer msgBox(const QString& text, Buttons buttons, const QString& title)
{
    return Platform::instance().messageBox(text, buttons, title.isEmpty() ? applicationTitle() : title);
}

}  // namespace ui
