#pragma once
// Speech through Qt TextToSpeech (flite or speech-dispatcher).

#include "ui/speech/speechbackend.h"

#include <QTextToSpeech>
#include <memory>

namespace ui {

class QtSpeechBackend : public SpeechBackend {
    Q_OBJECT
public:
    // Nothing when the engine is missing or reports an error on creation
    // (no speech server, no audio device).
    static std::unique_ptr<QtSpeechBackend> create(const QString& engine, QObject* parent = nullptr);

    void say(const QString& text) override;
    void stop() override;
    QString name() const override;

private:
    QtSpeechBackend(QTextToSpeech* tts, QObject* parent);
    void onStateChanged(QTextToSpeech::State state);
    void finishPending();

    QTextToSpeech* tts_;
    bool pending_ = false;      // a say() waits for its end
    bool sawSpeaking_ = false;  // the engine started on it
    quint64 generation_ = 0;    // tells a deferred check which say() it belongs to
};

}  // namespace ui
