#include "application.h"

#include "events.h"

namespace ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Corvanel"));
    setApplicationVersion(QStringLiteral("2.0"));
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool result = false;
    guarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}

}  // namespace ui
