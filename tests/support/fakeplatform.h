#pragma once
// A scripted platform for tests: it records every call and answers from
// queues the test fills. It installs itself while it lives.

#include "recordingspeech.h"
#include "ui/platform.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

class FakePlatform : public ui::Platform {
public:
    FakePlatform();
    ~FakePlatform() override;

    struct Message {
        QString text;
        ui::Buttons buttons;
        QString title;
    };

    // Calls, in order, one line each: "messageBox|<title>|<text>",
    // "inputBox|<title>|<prompt>", "openFileName|<filter>|<name>",
    // "saveFileName|<filter>|<name>", "sendKey|<key>", "startProgram|<program>",
    // "showHelp|<file>|<command>|<topic>", "printPreview|<title>", clipboard calls.
    QStringList log;
    QList<Message> messages;

    // Answers; when a queue is empty: the first button of the box, the
    // default text of a prompt, a cancelled file dialog.
    std::deque<ui::Answer> answers;
    std::deque<std::optional<QString>> inputs;
    std::deque<std::optional<QString>> openNames;
    std::deque<std::optional<QString>> saveNames;
    // Run when a message box shows (before it answers), e.g. to look at the screen.
    std::function<void(const Message&)> onMessage;

    QString clipboard;
    bool startResult = true;
    QStringList startedPrograms;
    QList<int> keysSent;
    bool helpResult = true;
    QString helpError;
    std::function<void(QPrinter*)> lastPrint;

    RecordingSpeech speechBackend;

    ui::Answer messageBox(const QString& text, ui::Buttons buttons, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> openFileName(QWidget* parent, const ui::FileDialogOptions& o) override;
    std::optional<QString> saveFileName(QWidget* parent, const ui::FileDialogOptions& o) override;
    QString clipboardText() override;
    void setClipboardText(const QString& text) override;
    void clearClipboard() override;
    void sendKey(QWidget* target, int key) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    ui::SpeechBackend& speech() override;
    bool showHelp(const QString& helpFile, ui::HelpCommand command, const QString& topic, QString* error) override;
    void printPreview(QWidget* parent, const QString& title, const std::function<void(QPrinter*)>& paint) override;

    // Texts of the message boxes shown so far, and their titles.
    QStringList messageTexts() const;
    QStringList messageTitles() const;
    // "title|text" of every message box shown so far; takeBoxes() forgets
    // them, so that its next call gives only the boxes shown since.
    QStringList boxes() const;
    QStringList takeBoxes();

    // Fails the running test when an answer, text or file name is still
    // queued: a scripted answer that no question took hides a question the
    // program no longer asks.
    void verifyAllAnswersUsed() const;
};
