// Steers the real program from inside its own process, for tests that start
// the installed executable as a child: the test preloads this library
// (LD_PRELOAD) and names the steps in CORVANEL_DRIVE, separated by ";".
// The program itself knows nothing of it.
//
// Steps, each done once the windows allow it, in order:
//   wait W           until the top-level window named W is shown
//   click W/C        clicks the button C of window W
//   trigger W/A      triggers the menu action A of window W
//   close W          closes window W as its close box does
//   type W/C TEXT    puts TEXT into the text box C of window W
//   key W/C KEY      presses KEY (Return, Escape, Down, Tab, F1) on control C
//   dismiss          answers the message box that is up, with its default
//   answer BUTTON    answers the message box that is up with BUTTON ("No")
//   choose PATH      picks PATH in the file dialog that is up and accepts it
//   pause MS         waits MS milliseconds
//   say TEXT         prints TEXT
// Each finished step is printed as "done <step>" on stdout, a message box
// as "message <text>" (its line breaks as "\n"), so the test sees how far
// the program got.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {

struct Driver {
    QStringList steps;
    int at = 0;
    QDeadlineTimer pauseUntil;
    bool pausing = false;
};

Driver& driver()
{
    static Driver d;
    return d;
}

void report(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

QWidget* shownWindow(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

template <class T>
T* control(const QString& path)
{
    const QString window = path.section(QLatin1Char('/'), 0, 0);
    const QString name = path.section(QLatin1Char('/'), 1);
    QWidget* w = shownWindow(window);
    return w ? w->findChild<T*>(name) : nullptr;
}

// True while a modal window other than the control's own is up: a user could
// not reach the control then, and a step that went ahead would run inside
// the modal window's event loop, before it has returned.
bool blocked(const QWidget* control)
{
    const QWidget* modal = QApplication::activeModalWidget();
    return modal && control->window() != modal;
}

// True when the step is done (or can never be done and was reported).
bool tryStep(const QString& step)
{
    const QString verb = step.section(QLatin1Char(' '), 0, 0);
    const QString arg = step.section(QLatin1Char(' '), 1);
    if (verb == QLatin1String("wait"))
        return shownWindow(arg) != nullptr;
    // Clicks and menu picks happen once the step is counted done, so that a
    // modal window they open does not hold up the steps that follow.
    if (verb == QLatin1String("click")) {
        auto* b = control<QAbstractButton>(arg);
        if (!b || !b->isEnabled() || blocked(b))
            return false;
        QTimer::singleShot(0, b, [b] { b->click(); });
        return true;
    }
    if (verb == QLatin1String("trigger")) {
        auto* a = control<QAction>(arg);
        QWidget* owner = shownWindow(arg.section(QLatin1Char('/'), 0, 0));
        if (!a || blocked(owner))
            return false;
        QTimer::singleShot(0, a, [a] { a->trigger(); });
        return true;
    }
    if (verb == QLatin1String("type")) {
        auto* box = control<QLineEdit>(arg.section(QLatin1Char(' '), 0, 0));
        if (!box || blocked(box))
            return false;
        box->setText(arg.section(QLatin1Char(' '), 1));
        return true;
    }
    if (verb == QLatin1String("key")) {
        static const QHash<QString, int> keys = {{QStringLiteral("Return"), Qt::Key_Return},
                                                 {QStringLiteral("Escape"), Qt::Key_Escape},
                                                 {QStringLiteral("Down"), Qt::Key_Down},
                                                 {QStringLiteral("Tab"), Qt::Key_Tab},
                                                 {QStringLiteral("F1"), Qt::Key_F1}};
        QWidget* w = control<QWidget>(arg.section(QLatin1Char(' '), 0, 0));
        const int key = keys.value(arg.section(QLatin1Char(' '), 1), 0);
        if (!w || !key || blocked(w))
            return false;
        QTimer::singleShot(0, w, [w, key] {
            w->setFocus();
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
            QApplication::sendEvent(w, &press);
            QApplication::sendEvent(w, &release);
        });
        return true;
    }
    if (verb == QLatin1String("close")) {
        QWidget* w = shownWindow(arg);
        if (!w || blocked(w))
            return false;
        // Later, as clicks are: a close that asks first must not hold up
        // the step that answers it.
        QTimer::singleShot(0, w, [w] { w->close(); });
        return true;
    }
    if (verb == QLatin1String("answer")) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return false;
        for (QAbstractButton* b : box->buttons())
            if (b->text().remove(QLatin1Char('&')) == arg) {
                report(QStringLiteral("message ") + box->text().replace(QLatin1Char('\n'), QStringLiteral("\\n")));
                QTimer::singleShot(0, b, [b] { b->click(); });
                return true;
            }
        return false;
    }
    if (verb == QLatin1String("choose")) {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return false;
        dialog->selectFile(arg);
        // QFileDialog keeps its accept() protected; it is the dialog's own.
        QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog*>(dialog)->accept(); });
        return true;
    }
    if (verb == QLatin1String("dismiss")) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return false;
        report(QStringLiteral("message ") + box->text().replace(QLatin1Char('\n'), QStringLiteral("\\n")));
        QAbstractButton* b =
            box->defaultButton() ? static_cast<QAbstractButton*>(box->defaultButton()) : box->buttons().value(0);
        if (b)
            b->click();
        return true;
    }
    if (verb == QLatin1String("pause")) {
        Driver& d = driver();
        if (!d.pausing) {
            d.pausing = true;
            d.pauseUntil = QDeadlineTimer(arg.toInt());
        }
        if (!d.pauseUntil.hasExpired())
            return false;
        d.pausing = false;
        return true;
    }
    if (verb == QLatin1String("say")) {
        report(arg);
        return true;
    }
    report(QStringLiteral("unknown step ") + step);
    return true;
}

void poll()
{
    Driver& d = driver();
    while (d.at < d.steps.size()) {
        const QString step = d.steps.at(d.at);
        if (!tryStep(step))
            break;
        ++d.at;
        report(QStringLiteral("done ") + step);
    }
}

void startDriver()
{
    const QByteArray script = qgetenv("CORVANEL_DRIVE");
    if (script.isEmpty())
        return;
    Driver& d = driver();
    for (const QString& s : QString::fromUtf8(script).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        d.steps << s.trimmed();
    // A timer of the application: it runs in every event loop, the modal
    // ones of message boxes and dialogs too.
    auto* timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(25);
    QObject::connect(timer, &QTimer::timeout, poll);
    timer->start();
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriver)
