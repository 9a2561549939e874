#include "qtspeechbackend.h"

#include <QTimer>

namespace ui {

namespace {

// Loading the engines makes the audio layer complain on a machine without a
// sound server; we find out about that ourselves and go on without them.
class QuietWhileProbing {
public:
    QuietWhileProbing() : previous_(qInstallMessageHandler(&QuietWhileProbing::handle)) { active_ = previous_; }
    ~QuietWhileProbing() { qInstallMessageHandler(previous_); }
    QuietWhileProbing(const QuietWhileProbing&) = delete;
    QuietWhileProbing& operator=(const QuietWhileProbing&) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            if (active_)
                active_(type, context, message);
            else
                qt_message_output(type, context, message);
        }
    }
    QtMessageHandler previous_;
    static inline QtMessageHandler active_ = nullptr;
};

}  // namespace

std::unique_ptr<QtSpeechBackend> QtSpeechBackend::create(const QString& engine, QObject* parent)
{
    QuietWhileProbing quiet;
    if (!QTextToSpeech::availableEngines().contains(engine))
        return nullptr;
    auto* tts = new QTextToSpeech(engine);
    if (tts->state() == QTextToSpeech::Error || tts->errorReason() != QTextToSpeech::ErrorReason::NoError) {
        delete tts;
        return nullptr;
    }
    return std::unique_ptr<QtSpeechBackend>(new QtSpeechBackend(tts, parent));
}

QtSpeechBackend::QtSpeechBackend(QTextToSpeech* tts, QObject* parent) : SpeechBackend(parent), tts_(tts)
{
    tts_->setParent(this);
    connect(tts_, &QTextToSpeech::stateChanged, this, &QtSpeechBackend::onStateChanged);
    connect(tts_, &QTextToSpeech::errorOccurred, this, [this] { finishPending(); });
}

void QtSpeechBackend::say(const QString& text)
{
    ++generation_;
    pending_ = true;
    sawSpeaking_ = false;
    if (text.trimmed().isEmpty()) {
        QTimer::singleShot(0, this, [this, g = generation_] {
            if (g == generation_)
                finishPending();
        });
        return;
    }
    const bool wasBroken = tts_->state() == QTextToSpeech::Error;
    tts_->say(text);
    // An engine that stays in its error state reports no change of state.
    if (wasBroken) {
        QTimer::singleShot(0, this, [this, g = generation_] {
            if (g == generation_ && !sawSpeaking_ && tts_->state() == QTextToSpeech::Error)
                finishPending();
        });
    }
}

void QtSpeechBackend::stop()
{
    // A stopped text reports nothing: a late Ready must not end the next one.
    pending_ = false;
    ++generation_;
    tts_->stop(QTextToSpeech::BoundaryHint::Immediate);
}

QString QtSpeechBackend::name() const { return QStringLiteral("qt:") + tts_->engine(); }

void QtSpeechBackend::onStateChanged(QTextToSpeech::State state)
{
    if (!pending_)
        return;
    switch (state) {
    case QTextToSpeech::Speaking: sawSpeaking_ = true; break;
    case QTextToSpeech::Ready:
        // Ready before Speaking is the echo of an earlier stop().
        if (sawSpeaking_)
            finishPending();
        break;
    case QTextToSpeech::Error: finishPending(); break;
    case QTextToSpeech::Paused: break;
    }
}

void QtSpeechBackend::finishPending()
{
    if (!pending_)
        return;
    pending_ = false;
    emit finished();
}

}  // namespace ui
