#pragma once
#include "platform.h"

#include <memory>

namespace ui {

// The platform of a real desktop session, on Qt.
class DesktopPlatform : public Platform {
public:
    DesktopPlatform();
    ~DesktopPlatform() override;

    Answer messageBox(const QString& text, Buttons buttons, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> openFileName(QWidget* parent, const FileDialogOptions& o) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileDialogOptions& o) override;
    QString clipboardText() override;
    void setClipboardText(const QString& text) override;
    void clearClipboard() override;
    void sendKey(QWidget* target, int key) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    SpeechBackend& speech() override;
    bool showHelp(const QString& helpFile, HelpCommand command, const QString& topic, QString* error) override;
    void printPreview(QWidget* parent, const QString& title, const std::function<void(QPrinter*)>& paint) override;

    // How wide a message box is made for its window title to show whole.
    static int titleWidthFor(const QString& title, const QWidget* box);

    // "Backup (*.bak)|*.bak|All (*.*)|*.*" -> "Backup (*.bak);;All (*.*)"
    static QString qtFilter(const QString& oldFilter);

private:
    std::unique_ptr<SpeechBackend> speech_;
};

}  // namespace ui
