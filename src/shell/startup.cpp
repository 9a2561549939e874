#include "startup.h"

#include "assistant.h"
#include "mainmenu.h"

#include "ui/forms.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

namespace shell {

namespace {

// Lets the assistant finish what it was asked to say, within a limit.
void waitForAssistant(Assistant& a, int limitMs)
{
    if (a.isIdle())
        return;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&a, &Assistant::idle, &loop, &QEventLoop::quit);
    limit.start(limitMs);
    loop.exec();
}

}  // namespace

int runProgram()
{
    MainMenu& main = frmMainMenu();
    main.finishAfterFirstPaint = true;
    main.load();
    switch (main.outcome()) {
    case MainMenu::Outcome::PreviousInstance:
        main.unload();
        waitForAssistant(main.Merlin(), previousInstanceWaitMs);
        return 0;
    case MainMenu::Outcome::DatabaseRefused:
    case MainMenu::Outcome::NotStarted: main.unload(); return 1;
    case MainMenu::Outcome::Started: break;
    }
    // The program ends when its last form goes, whatever closed it; the
    // assistant's own windows must not keep it alive, so Qt's rule of the
    // last visible window is replaced by the forms' own.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::setLastFormUnloadedHandler([] { QCoreApplication::quit(); });
    main.show();
    const int code = QApplication::exec();
    ui::setLastFormUnloadedHandler({});
    // Windows unloaded in the last moments are deleted before the forms and
    // their connections go.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return code;
}

}  // namespace shell
