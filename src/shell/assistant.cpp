#include "assistant.h"

#include "characterfile.h"
#include "characterwindow.h"
#include "ui/speech/speechbackend.h"

#include <QDir>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace shell {

namespace {

double timingScale = 1.0;

int scaled(int ms) { return std::max(1, int(std::lround(ms * timingScale))); }

constexpr int playMs = 1000;
constexpr int moveMs = 300;
constexpr int balloonHoldMs = 1500;

// However fast the engine is done (or a silent one), a text stays in the
// balloon long enough to be read before the next one replaces it.
int readingMs(const QString& text) { return std::min(10000, 30 * int(text.size())); }

CharacterWindow::Animation animationNamed(const QString& name, QString* canonical)
{
    struct Named {
        const char* name;
        CharacterWindow::Animation animation;
    };
    static constexpr Named known[] = {
        {"Wave", CharacterWindow::Animation::Wave},
        {"Greet", CharacterWindow::Animation::Greet},
        {"Sad", CharacterWindow::Animation::Sad},
    };
    for (const Named& n : known) {
        if (name.trimmed().compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            *canonical = QLatin1String(n.name);
            return n.animation;
        }
    }
    return CharacterWindow::Animation::None;
}

}  // namespace

struct Assistant::Request {
    enum class Kind { Show, Hide, Speak, Play, MoveTo };
    Kind kind;
    QString text;  // the text spoken, or the animation's name
    QPoint pos;
    bool done = false;

    QString label() const
    {
        switch (kind) {
        case Kind::Show: return QStringLiteral("Show");
        case Kind::Hide: return QStringLiteral("Hide");
        case Kind::Speak: return QStringLiteral("Speak ") + text;
        case Kind::Play: return QStringLiteral("Play ") + text;
        case Kind::MoveTo: return QStringLiteral("MoveTo %1,%2").arg(pos.x()).arg(pos.y());
        }
        return {};
    }
};

Assistant::Assistant(ui::SpeechBackend& speech, QObject* parent)
    : Assistant(std::function<ui::SpeechBackend&()>([&speech]() -> ui::SpeechBackend& { return speech; }), parent)
{
    this->speech();
}

Assistant::Assistant(std::function<ui::SpeechBackend&()> speechSource, QObject* parent)
    : QObject(parent), speechSource_(std::move(speechSource)), window_(new CharacterWindow),
      watchdog_(new QTimer(this)), readingTimer_(new QTimer(this)), balloonHold_(new QTimer(this))
{
    watchdog_->setSingleShot(true);
    readingTimer_->setSingleShot(true);
    balloonHold_->setSingleShot(true);
    connect(watchdog_, &QTimer::timeout, this, &Assistant::onWatchdog);
    connect(readingTimer_, &QTimer::timeout, this, [this] {
        readingPending_ = false;
        endSpeakingIfDone();
    });
    connect(balloonHold_, &QTimer::timeout, this, [this] {
        if (window_)
            window_->hideBalloon();
    });

    connect(window_, &CharacterWindow::animationFinished, this, [this] {
        if (current_ && current_->kind == Request::Kind::Play)
            finishCurrent();
    });
    connect(window_, &CharacterWindow::moveFinished, this, [this] {
        if (current_ && current_->kind == Request::Kind::MoveTo)
            finishCurrent();
    });
}

Assistant::~Assistant()
{
    if (speechPending_ && speech_)
        speech_->stop();
    delete window_.data();
}

ui::SpeechBackend& Assistant::speech()
{
    if (!speech_) {
        speech_ = &speechSource_();
        connect(speech_, &ui::SpeechBackend::finished, this, &Assistant::onSpeechFinished);
    }
    return *speech_;
}

bool Assistant::load(const QString& id, const QString& file)
{
    id_ = id;
    CharacterFile character;
    QString why;
    const bool ok = readCharacterFile(file, id, &character, &why);
    builtIn_ = !ok;
    if (window_)
        window_->setLook(ok ? character.look : CharacterLook{});
    if (!ok) {
        qWarning("corvanel: assistant: cannot read character file %s: %s; using the built-in figure",
                 qUtf8Printable(QDir::toNativeSeparators(file)), qUtf8Printable(why));
    }
    return ok;
}

void Assistant::Show() { enqueue({Request::Kind::Show, {}, {}}); }

void Assistant::Hide() { enqueue({Request::Kind::Hide, {}, {}}); }

void Assistant::Speak(const QString& text) { enqueue({Request::Kind::Speak, text, {}}); }

void Assistant::Play(const QString& animation)
{
    QString name;
    if (animationNamed(animation, &name) == CharacterWindow::Animation::None)
        return;  // the old character ignored names it did not know, and so do we
    enqueue({Request::Kind::Play, name, {}});
}

void Assistant::MoveTo(int x, int y) { enqueue({Request::Kind::MoveTo, {}, QPoint(x, y)}); }

bool Assistant::isIdle() const { return !current_ && queue_.empty(); }

QString Assistant::balloonText() const { return window_ ? window_->balloonText() : QString(); }

bool Assistant::isCharacterVisible() const { return window_ && window_->isVisible(); }

int Assistant::watchdogMs(const QString& text) { return std::min(20000, 1500 + 90 * int(text.size())); }

void Assistant::setTimingScale(double factor) { timingScale = factor > 0 ? factor : 1.0; }

void Assistant::enqueue(Request r)
{
    requests_ << r.label();
    queue_.push_back(std::make_unique<Request>(std::move(r)));
    next();
}

void Assistant::next()
{
    if (advancing_)
        return;
    advancing_ = true;
    while (!current_ && !queue_.empty()) {
        current_ = std::move(queue_.front());
        queue_.pop_front();
        busySinceIdle_ = true;
        emit requestStarted(current_->label());
        start(*current_);
        if (current_->done)
            current_.reset();
    }
    advancing_ = false;
    // Reported from the event loop: a caller queuing several requests in a
    // row (Show, then MoveTo...) does not see idle() between them.
    if (isIdle() && busySinceIdle_ && !idleCheckPosted_) {
        idleCheckPosted_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                idleCheckPosted_ = false;
                if (isIdle() && busySinceIdle_) {
                    busySinceIdle_ = false;
                    emit idle();
                }
            },
            Qt::QueuedConnection);
    }
}

void Assistant::finishCurrent()
{
    if (!current_)
        return;
    if (advancing_) {
        current_->done = true;  // next() is on it
        return;
    }
    current_.reset();
    next();
}

void Assistant::start(Request& r)
{
    CharacterWindow* w = window_;
    if (!w) {
        // The window is gone (the program is closing): only the speech is left.
        if (r.kind == Request::Kind::Speak)
            startSpeaking(r.text);
        else
            finishCurrent();
        return;
    }
    switch (r.kind) {
    case Request::Kind::Show:
        w->show();
        finishCurrent();
        break;
    case Request::Kind::Hide:
        balloonHold_->stop();
        w->hide();
        finishCurrent();
        break;
    case Request::Kind::MoveTo:
        if (!w->isVisible() || w->pos() == r.pos) {
            w->move(r.pos);
            finishCurrent();
        } else {
            w->glideTo(r.pos, scaled(moveMs));
        }
        break;
    case Request::Kind::Play: {
        QString name;
        const auto a = animationNamed(r.text, &name);
        if (!w->isVisible() || a == CharacterWindow::Animation::None)
            finishCurrent();  // nobody would see it
        else
            w->play(a, scaled(playMs));
        break;
    }
    case Request::Kind::Speak:
        if (r.text.trimmed().isEmpty()) {
            finishCurrent();  // nothing to say, and no empty balloon
            break;
        }
        // Speaking brings the character back, balloon and all.
        if (!w->isVisible())
            w->show();
        balloonHold_->stop();
        w->showBalloon(r.text);
        startSpeaking(r.text);
        break;
    }
}

void Assistant::startSpeaking(const QString& text)
{
    speechPending_ = true;
    readingPending_ = true;
    readingTimer_->start(scaled(readingMs(text)));
    watchdog_->start(scaled(watchdogMs(text)));
    if (window_)
        window_->setTalking(true);
    // Only now, with the previous text finished: a say() while the engine is
    // still speaking would cut the previous text off.
    speech().say(text);
}

void Assistant::onSpeechFinished()
{
    if (!speechPending_)
        return;  // a late report for a text the watchdog already gave up on
    speechPending_ = false;
    watchdog_->stop();
    if (window_)
        window_->setTalking(false);
    endSpeakingIfDone();
}

void Assistant::onWatchdog()
{
    if (!speechPending_)
        return;
    speechPending_ = false;
    if (window_)
        window_->setTalking(false);
    speech().stop();
    endSpeakingIfDone();
}

void Assistant::endSpeakingIfDone()
{
    if (speechPending_ || readingPending_)
        return;
    if (!current_ || current_->kind != Request::Kind::Speak)
        return;
    balloonHold_->start(scaled(balloonHoldMs));
    finishCurrent();
}

}  // namespace shell
