#pragma once

#include "platform/Speech.h"

#include <QStringList>

namespace lorva::test {

// A speech engine with a fixed set of voices that records what it is asked.
class FakeSpeech : public SpeechEngine
{
public:
    explicit FakeSpeech(QStringList voices = {}) : voices(std::move(voices)) {}
    QStringList voiceDescriptions() override { return voices; }

    QStringList voices;
};

} // namespace lorva::test
