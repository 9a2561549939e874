#pragma once
// No speech at all: every text is "spoken" at once. The balloon still shows it.

#include "ui/speech/speechbackend.h"

namespace ui {

class SilentBackend : public SpeechBackend {
    Q_OBJECT
public:
    using SpeechBackend::SpeechBackend;
    void say(const QString& text) override;
    void stop() override;
    QString name() const override { return QStringLiteral("silent"); }

private:
    quint64 generation_ = 0;
};

}  // namespace ui
