#pragma once

#include "platform/AudioFile.h"
#include "platform/SpeechEngine.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <utility>

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
    void stop() override
    {
        record(QStringLiteral("stop"));
        unheard.clear();
    }
    void pause() override { record(QStringLiteral("pause")); }
    void resume() override { record(QStringLiteral("resume")); }
    void setRate(int wordsPerMinute) override { record(QStringLiteral("rate %1").arg(wordsPerMinute)); }
    // Heard at once: every word, then the end; while `holdHearing` is set,
    // only as hear() comes to it.
    void speakTracked(const QString &text, std::function<void(int)> word, std::function<void()> done) override
    {
        record(QStringLiteral("speakTracked ") + text);
        const auto heard = [text, word, done] {
            for (int w = 0; w < wordCount(text) && word; ++w)
                word(w);
            if (done)
                done();
        };
        if (holdHearing)
            unheard.push_back(heard);
        else
            heard();
    }
    // The first tracked text waiting is heard; false when none waits.
    bool hear()
    {
        if (unheard.empty())
            return false;
        const auto heard = unheard.front();
        unheard.pop_front();
        heard();
        return true;
    }
    // 100 silent samples a character.
    QByteArray synthesize(const QString &text) override
    {
        record(QStringLiteral("synthesize ") + text);
        return QByteArray(text.size() * 200, '\0');
    }
    // Every sentence made and written at once; the file is finished then
    // too, or, while `holdSaving` is set, when finishSaving() says so.
    void saveSpeech(const QStringList &sentences, std::unique_ptr<AudioFileWriter> file,
                    std::function<void(int)> progress, std::function<void(bool, const QString &)> done) override
    {
        cancelSaving();
        bool written = true;
        for (qsizetype i = 0; written && i < sentences.size(); ++i) {
            written = file->append(synthesize(sentences[i]));
            if (written && progress)
                progress(int(i + 1));
        }
        savingFile = std::shared_ptr<AudioFileWriter>(std::move(file));
        savingDone = [written, file = savingFile, done] {
            const bool saved = written && file->commit();
            if (done)
                done(saved, saved ? QString() : file->error());
        };
        if (!holdSaving)
            finishSaving();
    }
    bool cancelSaving() override
    {
        savingDone = nullptr;
        if (!savingFile)
            return false;
        record(QStringLiteral("cancelSaving"));
        std::exchange(savingFile, nullptr)->abort();
        return true;
    }
    void finishSaving()
    {
        savingFile.reset();
        if (const auto done = std::exchange(savingDone, nullptr))
            done();
    }

    QStringList voices;
    QStringList *log;
    bool audio;
    bool holdHearing = false;
    std::deque<std::function<void()>> unheard; // tracked texts queued, not yet heard
    bool holdSaving = false;
    std::shared_ptr<AudioFileWriter> savingFile; // of a save not yet finished
    std::function<void()> savingDone;

private:
    void record(const QString &call)
    {
        if (log)
            log->append(call);
    }
};

} // namespace lorva::test
