#include "recordingspeech.h"

#include <QTimer>

void RecordingSpeech::say(const QString& text)
{
    spoken << text;
    if (autoFinish)
        QTimer::singleShot(0, this, &RecordingSpeech::finishNow);
}

void RecordingSpeech::stop() {}

void RecordingSpeech::finishNow() { emit finished(); }
