#include "speechfactory.h"

#include "ui/speech/espeakbackend.h"
#include "ui/speech/qtspeechbackend.h"
#include "ui/speech/silentbackend.h"

namespace ui {

std::unique_ptr<SpeechBackend> createBestSpeech(QObject* parent)
{
    for (const char* engine : {"flite", "speechd"}) {
        if (auto qt = QtSpeechBackend::create(QString::fromLatin1(engine), parent))
            return qt;
    }
    if (!EspeakBackend::findProgram().isEmpty())
        return std::make_unique<EspeakBackend>(parent);
    return std::make_unique<SilentBackend>(parent);
}

}  // namespace ui
