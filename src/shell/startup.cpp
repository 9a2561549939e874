#include "startup.h"

#include "assistant.h"
#include "mainmenu.h"

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
    main.load();
    switch (main.outcome()) {
    case MainMenu::Outcome::PreviousInstance:
        main.unload();
        waitForAssistant(main.Merlin(), previousInstanceWaitMs);
        return 0;
    case MainMenu::Outcome::DatabaseRefused:
    case MainMenu::Outcome::NotStarted:
        main.unload();
        return 1;
    case MainMenu::Outcome::Started:
        break;
    }
    main.show();
    return QApplication::exec();
}

}  // namespace shell
