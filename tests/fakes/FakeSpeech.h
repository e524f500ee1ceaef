#pragma once

#include "platform/Speech.h"

#include <QStringList>

namespace lorva::test {

// A speech engine with a fixed set of voices that records every call, in
// order, into a log its creator keeps.
class FakeSpeech : public SpeechEngine
{
public:
    FakeSpeech(QStringList voices, QStringList *log, bool audio = true)
        : voices(std::move(voices)), log(log), audio(audio)
    {
    }

    QStringList voiceDescriptions() override { return voices; }
    void setVoice(int index) override { record(QStringLiteral("voice %1").arg(index)); }
    void setOutputFormat(int type) override { record(QStringLiteral("format %1").arg(type)); }
    void speak(const QString &text, int flags) override { record(QStringLiteral("speak %1 ").arg(flags) + text); }
    bool audioAvailable() override { return audio; }
    void stop() override { record(QStringLiteral("stop")); }
    void pause() override { record(QStringLiteral("pause")); }
    void resume() override { record(QStringLiteral("resume")); }
    void setRate(int wordsPerMinute) override { record(QStringLiteral("rate %1").arg(wordsPerMinute)); }
    // Heard at once: every word, then the end.
    void speakTracked(const QString &text, std::function<void(int)> word, std::function<void()> done) override
    {
        record(QStringLiteral("speakTracked ") + text);
        for (int w = 0; w < wordCount(text) && word; ++w)
            word(w);
        if (done)
            done();
    }
    // 100 silent samples a character.
    QByteArray synthesize(const QString &text) override
    {
        record(QStringLiteral("synthesize ") + text);
        return QByteArray(text.size() * 200, '\0');
    }

    QStringList voices;
    QStringList *log;
    bool audio;

private:
    void record(const QString &call)
    {
        if (log)
            log->append(call);
    }
};

} // namespace lorva::test
