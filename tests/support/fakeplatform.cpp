#include "fakeplatform.h"

#include <QTest>
// GCC 12 warns falsely about moving a std::optional<QString> out of a deque.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

FakePlatform::FakePlatform() { ui::Platform::setInstance(this); }

FakePlatform::~FakePlatform() { ui::Platform::setInstance(nullptr); }

namespace {
ui::Answer firstButton(ui::Buttons b)
{
    switch (b) {
    case ui::Buttons::Ok:
    case ui::Buttons::OkCancel: return ui::Answer::Ok;
    case ui::Buttons::YesNo:
    case ui::Buttons::YesNoCancel: return ui::Answer::Yes;
    case ui::Buttons::RetryCancel: return ui::Answer::Retry;
    case ui::Buttons::AbortRetryIgnore: return ui::Answer::Abort;
    }
    return ui::Answer::Ok;
}
// The next scripted answer, or `otherwise` when none is left.
template <class T>
T takeFront(std::deque<T>& queue, T otherwise)
{
    if (queue.empty())
        return otherwise;
    T a = std::move(queue.front());
    queue.pop_front();
    return a;
}
}  // namespace

ui::Answer FakePlatform::messageBox(const QString& text, ui::Buttons buttons, const QString& title)
{
    log << QStringLiteral("messageBox|%1|%2").arg(title, text);
    messages.append({text, buttons, title});
    if (onMessage)
        onMessage(messages.last());
    return takeFront(answers, firstButton(buttons));
}

std::optional<QString> FakePlatform::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    log << QStringLiteral("inputBox|%1|%2").arg(title, prompt);
    return takeFront(inputs, std::optional<QString>(defaultText));
}

std::optional<QString> FakePlatform::openFileName(QWidget*, const ui::FileDialogOptions& o)
{
    log << QStringLiteral("openFileName|%1|%2").arg(o.filter, o.fileName);
    return takeFront(openNames, std::optional<QString>());
}

std::optional<QString> FakePlatform::saveFileName(QWidget*, const ui::FileDialogOptions& o)
{
    log << QStringLiteral("saveFileName|%1|%2").arg(o.filter, o.fileName);
    return takeFront(saveNames, std::optional<QString>());
}

QString FakePlatform::clipboardText()
{
    log << QStringLiteral("clipboardText");
    return clipboard;
}

void FakePlatform::setClipboardText(const QString& text)
{
    log << QStringLiteral("setClipboardText|%1").arg(text);
    clipboard = text;
}

void FakePlatform::clearClipboard()
{
    log << QStringLiteral("clearClipboard");
    clipboard.clear();
}

void FakePlatform::sendKey(QWidget*, int key)
{
    log << QStringLiteral("sendKey|%1").arg(key);
    keysSent << key;
}

bool FakePlatform::startProgram(const QString& program, const QStringList& arguments)
{
    log << QStringLiteral("startProgram|%1").arg(program);
    startedPrograms << (arguments.isEmpty() ? program : program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
    return startResult;
}

ui::SpeechBackend& FakePlatform::speech() { return speechBackend; }

bool FakePlatform::showHelp(const QString& helpFile, ui::HelpCommand command, const QString& topic, QString* error)
{
    log << QStringLiteral("showHelp|%1|%2|%3").arg(helpFile).arg(int(command)).arg(topic);
    if (!helpResult && error)
        *error = helpError;
    return helpResult;
}

void FakePlatform::printPreview(QWidget*, const QString& title, const std::function<void(QPrinter*)>& paint)
{
    log << QStringLiteral("printPreview|%1").arg(title);
    lastPrint = paint;
}

QStringList FakePlatform::messageTexts() const
{
    QStringList out;
    for (const auto& m : messages)
        out << m.text;
    return out;
}

QStringList FakePlatform::messageTitles() const
{
    QStringList out;
    for (const auto& m : messages)
        out << m.title;
    return out;
}

QStringList FakePlatform::boxes() const
{
    QStringList out;
    for (const auto& m : messages)
        out << m.title + QLatin1Char('|') + m.text;
    return out;
}

QStringList FakePlatform::takeBoxes()
{
    const QStringList out = boxes();
    messages.clear();
    return out;
}

void FakePlatform::verifyAllAnswersUsed() const
{
    QStringList left;
    const auto note = [&left](std::size_t n, const char* what) {
        if (n > 0)
            left << QStringLiteral("%1 %2").arg(n).arg(QLatin1String(what));
    };
    note(answers.size(), "message box answer(s)");
    note(inputs.size(), "input box text(s)");
    note(openNames.size(), "file name(s) to open");
    note(saveNames.size(), "file name(s) to save");
    QVERIFY2(left.isEmpty(),
             qPrintable(QStringLiteral("scripted, but nothing asked for them: ") + left.join(QStringLiteral(", "))));
}
