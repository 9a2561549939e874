#include "application.h"

#include "events.h"

#include <QDir>
#include <QIcon>

namespace ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Corvanel"));
    setApplicationVersion(QStringLiteral("2.0"));
    // Windows and the task bar show the program's own icon; the desktop
    // matches them to the installed desktop entry of this name.
    setDesktopFileName(QStringLiteral(CORVANEL_APP_ID));
    setWindowIcon(programIcon());
}

QIcon Application::programIcon()
{
    QIcon icon;
    const QDir sizes(QStringLiteral(":/appicon"));
    for (const QString& file : sizes.entryList({QStringLiteral("*.png")}))
        icon.addFile(sizes.filePath(file));
    return icon;
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool result = false;
    guarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}

}  // namespace ui
