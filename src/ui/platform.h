#pragma once
// Everything outside the program goes through one seam, so that tests can
// script every answer and record every call. Screens never call QMessageBox,
// QFileDialog, QClipboard, QProcess or a speech engine themselves.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;
class QPrinter;

namespace ui {

class SpeechBackend;

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct FileDialogOptions {
    QString title;     // empty: the platform's own
    QString filter;    // in the old form "Backup (*.bak)|*.bak"
    QString fileName;  // proposed name
};

enum class HelpCommand { Contents, Search, Topic };

// The application's title, used by message boxes that have none of their own.
QString applicationTitle();

class Platform {
public:
    virtual ~Platform() = default;

    // The platform in use: the desktop one unless a test installed another.
    static Platform& instance();
    // Installs `p` (not owned); nullptr goes back to the desktop platform.
    static void setInstance(Platform* p);

    // A message box with the given buttons and title and no icon. An empty
    // title means applicationTitle().
    virtual Answer messageBox(const QString& text, Buttons buttons, const QString& title) = 0;
    // A one-line input prompt; nothing when cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    // File dialogs; nothing when cancelled (a result, not an error).
    virtual std::optional<QString> openFileName(QWidget* parent, const FileDialogOptions& o) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent, const FileDialogOptions& o) = 0;

    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual void clearClipboard() = 0;

    // Sends a key press (a Qt::Key) to a window, as the old SendKeys did.
    virtual void sendKey(QWidget* target, int key) = 0;

    // Starts a program without waiting for it; false when it cannot start.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;

    // The speech engine the assistant speaks through.
    virtual SpeechBackend& speech() = 0;

    // Opens the help viewer on a help file at its contents, its search, or a
    // topic; false (with the reason) when it cannot.
    virtual bool showHelp(const QString& helpFile, HelpCommand command, const QString& topic, QString* error) = 0;

    // Print preview of a document that `paint` draws page by page on the
    // printer it is given; the user prints or saves it as PDF from there.
    virtual void printPreview(QWidget* parent, const QString& title, const std::function<void(QPrinter*)>& paint) = 0;
};

// Short forms used everywhere.
Answer msgBox(const QString& text, Buttons buttons = Buttons::Ok, const QString& title = QString());
inline Platform& platform() { return Platform::instance(); }

}  // namespace ui
