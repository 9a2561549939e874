#pragma once
// A speech engine for tests: remembers every text it was asked to say.

#include "ui/speech/speechbackend.h"

#include <QStringList>

class RecordingSpeech : public ui::SpeechBackend {
    Q_OBJECT
public:
    using ui::SpeechBackend::SpeechBackend;

    QStringList spoken;
    // When true, finished() follows each say() from the event loop; when
    // false, the test ends each text with finishNow().
    bool autoFinish = true;

    void say(const QString& text) override;
    void stop() override;
    QString name() const override { return QStringLiteral("recording"); }

    void finishNow();
};
