// Saves a picture of one of the program's windows as a PNG, for a person to
// look at. The window is opened offscreen as the program opens it, in a
// throwaway application folder with a fresh database.
//
//   screenshot helpviewer FILE.png [TOPIC]  the help viewer at a topic: a
//                                           context number or a keyword, or
//                                           "search:" and a text (12 unless
//                                           given)
//   screenshot notespad FILE.png            the notes pad with a note in it
//   screenshot FORM FILE.png [VAR=VALUE...] a screen the main menu opens, by
//                                           its form name (frmOrder,
//                                           frmCustomer, frmCalculators, ...),
//                                           its variables set as the menu sets
//                                           them (AddOrDelete=E,
//                                           MastertableName=Units, Which=5)

#include "calculators/calculatorscreens.h"
#include "data/appfolder.h"
#include "data/schema.h"
#include "estimates/estimatescreens.h"
#include "masters/masterscreens.h"
#include "shell/notespad.h"
#include "shell/screens.h"
#include "ui/application.h"
#include "ui/desktopplatform.h"
#include "ui/forms.h"
#include "ui/helpviewer.h"
#include "ui/richtextbox.h"
#include "ui/speech/silentbackend.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <exception>

namespace {

const char* const usage = "usage: screenshot helpviewer FILE.png [TOPIC]\n"
                          "       screenshot notespad FILE.png\n"
                          "       screenshot FORM FILE.png [VARIABLE=VALUE...]\n"
                          "  TOPIC: a context number or keyword, or \"search:\" and a text (12 unless given)\n"
                          "  FORM: a screen the main menu opens (frmOrder, frmOrders, frmItem, frmCategory,\n"
                          "        frmCustomer, frmMaster, frmCalculators, frmCalculator2, ...), with its\n"
                          "        variables set as the menu sets them (AddOrDelete=E, MastertableName=Units,\n"
                          "        Which=5)\n";

// The desktop platform with nobody at the desk: a message box is printed
// and takes its first button, a prompt keeps its text, a file dialog is
// cancelled, no program starts, and the assistant speaks silently.
class UnattendedPlatform : public ui::DesktopPlatform {
public:
    ui::Answer messageBox(const QString& text, ui::Buttons buttons, const QString& title) override
    {
        std::fprintf(stderr, "message box \"%s\": %s\n", qPrintable(title), qPrintable(text));
        switch (buttons) {
        case ui::Buttons::YesNo:
        case ui::Buttons::YesNoCancel: return ui::Answer::Yes;
        case ui::Buttons::RetryCancel: return ui::Answer::Retry;
        case ui::Buttons::AbortRetryIgnore: return ui::Answer::Abort;
        default: return ui::Answer::Ok;
        }
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString& defaultText) override
    {
        return defaultText;
    }
    std::optional<QString> openFileName(QWidget*, const ui::FileDialogOptions&) override { return std::nullopt; }
    std::optional<QString> saveFileName(QWidget*, const ui::FileDialogOptions&) override { return std::nullopt; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
    ui::SpeechBackend& speech() override { return silent_; }
    void printPreview(QWidget*, const QString&, const std::function<void(QPrinter*)>&) override {}

private:
    ui::SilentBackend silent_;
};

// The shown top-level window of that form name, nullptr when none.
QWidget* shownWindow(const QString& formName)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == formName && w->isVisible())
            return w;
    return nullptr;
}

// Opens the window; nullptr, with the reason, when it cannot.
QWidget* open(const QString& window, const QStringList& extra, QString* error)
{
    if (window == QLatin1String("helpviewer")) {
        const QString topic = extra.value(0, QStringLiteral("12"));
        const QString help =
            data::applicationFolder() + QLatin1Char('/') + QFileInfo(QStringLiteral(HELP_DOCUMENT)).fileName();
        const bool search = topic.startsWith(QLatin1String("search:"));
        if (!ui::showHelpViewer(help, search ? ui::HelpCommand::Search : ui::HelpCommand::Topic,
                                search ? topic.mid(7) : topic, error))
            return nullptr;
        return ui::HelpViewer::current();
    }
    if (window == QLatin1String("notespad")) {
        shell::FrmBlank& pad = shell::frmBlank();
        pad.show();
        pad.rtfNotes->setText(
            QStringLiteral("Mrs. O'Brien called: wants the kitchen estimate by Friday.\nGarage slab 20 x 24."));
        return pad.window();
    }
    const shell::Screen* screen = shell::findScreen(window);
    if (!screen) {
        *error = QStringLiteral("no window is called \"%1\"").arg(window);
        return nullptr;
    }
    for (const QString& setting : extra) {
        const qsizetype eq = setting.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            *error = QStringLiteral("\"%1\" is not VARIABLE=VALUE").arg(setting);
            return nullptr;
        }
        screen->set(setting.left(eq), setting.mid(eq + 1));
        if (setting.left(eq) == QLatin1String("Which"))
            screen->call(QStringLiteral("Showframe"));
    }
    screen->show();
    if (QWidget* w = shownWindow(window))
        return w;
    *error = QStringLiteral("\"%1\" showed no window of that name").arg(window);
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "screenshot: no temporary folder: %s\n", qPrintable(folder.errorString()));
        return 1;
    }
    // Offscreen, on a full-HD screen, unless the caller chose a platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        QFile screen(folder.filePath(QStringLiteral("screen.json")));
        if (screen.open(QIODevice::WriteOnly))
            screen.write(R"({"screens": [{"name": "desk", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                         R"( "logicalDpi": 96}]})");
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    }
    ui::Application app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2) {
        std::fputs(usage, stderr);
        return 2;
    }
    const QString window = args[0];
    const QString file = args[1];

    // The rest of the folder as a fresh install leaves it: database, help
    // document and character file.
    data::setApplicationFolder(folder.path());
    for (const QString& from : {QStringLiteral(HELP_DOCUMENT), QStringLiteral(CHARACTER_FILE)})
        QFile::copy(from, folder.filePath(QFileInfo(from).fileName()));

    int code = 1;
    {
        UnattendedPlatform platform;
        ui::Platform::setInstance(&platform);
        try {
            data::ensureDatabase(data::databasePath());
            masters::registerScreens();
            calculators::registerScreens();
            estimates::registerScreens();
            QString error;
            if (QWidget* shown = open(window, args.mid(2), &error)) {
                // Once the window has laid itself out and painted.
                QTimer::singleShot(50, &app, [&] {
                    if (shown->grab().save(file))
                        code = 0;
                    else
                        std::fprintf(stderr, "screenshot: could not write %s\n", qPrintable(file));
                    QCoreApplication::quit();
                });
                QCoreApplication::exec();
            } else {
                std::fprintf(stderr, "screenshot: %s\n", qPrintable(error));
            }
        } catch (const std::exception& e) {
            std::fprintf(stderr, "screenshot: %s\n", e.what());
        }
        delete ui::HelpViewer::current();
        ui::destroyAllForms();
        shell::unregisterAllScreens();
        ui::Platform::setInstance(nullptr);
    }
    data::setApplicationFolder(QString());
    return code;
}
