#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace lorva {

// The speech synthesiser as the program uses it: installed voices, one
// chosen voice, and queued asynchronous speaking.
class SpeechEngine
{
public:
    virtual ~SpeechEngine() = default;

    // Descriptions of all installed voices, in the engine's own order.
    virtual QStringList voiceDescriptions() = 0;
};

std::unique_ptr<SpeechEngine> createEspeakSpeech();

} // namespace lorva
