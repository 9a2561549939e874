#pragma once
// The assistant character that greets the user and reads each screen's help
// aloud. It is our own figure, drawn by us. Every request returns at once and
// is performed after the earlier ones, in order.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

class QTimer;

namespace ui {
class SpeechBackend;
}

namespace shell {

class CharacterWindow;

class Assistant : public QObject {
    Q_OBJECT
public:
    explicit Assistant(ui::SpeechBackend& speech, QObject* parent = nullptr);
    // The speech engine is made by `speechSource` when the first text is
    // spoken, not before: making one loads plugins and voices, which must
    // not hold up the first window.
    explicit Assistant(std::function<ui::SpeechBackend&()> speechSource, QObject* parent = nullptr);
    ~Assistant() override;

    // Loads the character `id` from `file` (a character file of ours). A file
    // that is missing or unreadable leaves the built-in figure, writes one
    // line on stderr, and returns false; the assistant works either way.
    bool load(const QString& id, const QString& file);
    QString characterId() const { return id_; }
    bool usesBuiltInFigure() const { return builtIn_; }

    // The character's operations, called by name in the old code.
    void Show();
    void Hide();
    void Speak(const QString& text);
    void Play(const QString& animation);  // "Wave", "Greet", "Sad"; others are ignored
    void MoveTo(int x, int y);            // screen pixels

    // Every request as it was queued ("Show", "Speak Hello", "Play Wave",
    // "MoveTo 100,100"), for tests and diagnostics.
    const QStringList& requests() const { return requests_; }
    // Nothing queued and nothing in progress.
    bool isIdle() const;
    // The text of the balloon now shown, empty when none.
    QString balloonText() const;
    bool isCharacterVisible() const;

    // Upper bound for one spoken text, whatever the engine does.
    static int watchdogMs(const QString& text);
    // Multiplies every duration (animations, moves, the watchdog, how long a
    // text stays readable); tests speed the character up with it. 1 is real time.
    static void setTimingScale(double factor);

signals:
    void idle();
    void requestStarted(const QString& request);

private:
    struct Request;
    void enqueue(Request r);
    void next();
    void start(Request& r);
    void finishCurrent();
    void startSpeaking(const QString& text);
    void onSpeechFinished();
    void onWatchdog();
    void endSpeakingIfDone();

    ui::SpeechBackend& speech();

    ui::SpeechBackend* speech_ = nullptr;
    std::function<ui::SpeechBackend&()> speechSource_;
    QString id_ = QStringLiteral("Merlin");
    bool builtIn_ = true;
    QStringList requests_;
    std::deque<std::unique_ptr<Request>> queue_;
    std::unique_ptr<Request> current_;
    QPointer<CharacterWindow> window_;
    QTimer* watchdog_ = nullptr;
    QTimer* readingTimer_ = nullptr;  // a text stays up at least this long
    QTimer* balloonHold_ = nullptr;   // and a moment after it was spoken
    bool advancing_ = false;          // inside next(): a request may end at once
    bool busySinceIdle_ = false;
    bool idleCheckPosted_ = false;
    bool speechPending_ = false;
    bool readingPending_ = false;
};

}  // namespace shell
