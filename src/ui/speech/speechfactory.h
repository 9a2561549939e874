#pragma once
#include "ui/speech/speechbackend.h"

#include <memory>

namespace ui {

// The best speech this machine offers: Qt TextToSpeech with flite, then with
// speech-dispatcher, when the engine starts without error; else the espeak-ng
// program when it is on PATH; else silence.
std::unique_ptr<SpeechBackend> createBestSpeech(QObject* parent = nullptr);

}  // namespace ui
