#include "platform/Speech.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <espeak-ng/speak_lib.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <tuple>
#include <utility>

namespace lorva {

namespace {

// espeak-ng is not thread-safe and must be initialised once per process:
// every call to it runs on this one worker thread, in the order asked.
class SpeechWorker
{
public:
    using Sink = std::function<void(const short *samples, int count)>;

    static SpeechWorker &instance()
    {
        static SpeechWorker worker;
        return worker;
    }

    template <typename F>
    auto call(F work) -> decltype(work())
    {
        std::packaged_task<decltype(work())()> task(std::move(work));
        auto result = task.get_future();
        post([&task] { task(); });
        return result.get();
    }

    void post(std::function<void()> job)
    {
        {
            std::lock_guard lock(m_mutex);
            m_jobs.push_back(std::move(job));
        }
        m_wake.notify_one();
    }

    // Only on the worker thread.
    int sampleRate() const { return m_sampleRate; }
    void synthesise(const QByteArray &utf8, Sink sink)
    {
        m_sink = std::move(sink);
        espeak_Synth(utf8.constData(), size_t(utf8.size() + 1), 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                     nullptr);
        m_sink = nullptr;
    }

private:
    SpeechWorker() : m_thread([this] { run(); }) {}

    ~SpeechWorker()
    {
        m_stopping = true;
        post([this] { m_stop = true; });
        m_thread.join();
    }

    static int onSamples(short *samples, int count, espeak_EVENT *)
    {
        SpeechWorker &self = instance();
        if (self.m_stopping)
            return 1; // stops the synthesis at once
        if (samples && count > 0 && self.m_sink)
            self.m_sink(samples, count);
        return 0;
    }

    void run()
    {
        m_sampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
        if (m_sampleRate > 0)
            espeak_SetSynthCallback(&SpeechWorker::onSamples);
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return !m_jobs.empty(); });
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            job();
            if (m_stop)
                break;
        }
        if (m_sampleRate > 0)
            espeak_Terminate();
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    std::atomic<bool> m_stopping{false};
    bool m_stop = false;
    int m_sampleRate = 0;
    Sink m_sink;
    std::thread m_thread;
};

// Plays what the synthesiser produces on a thread of its own, so that a
// busy window never starves the sound and sound never blocks the window.
class Player : public QObject
{
public:
    explicit Player(std::unique_ptr<AudioOutput> output) : m_output(std::move(output)) {}

    bool open(int sampleRate) { return m_output && m_output->open(sampleRate); }
    void write(const QByteArray &pcm) { m_output->write(pcm); }

private:
    std::unique_ptr<AudioOutput> m_output;
};

class EspeakSpeech : public SpeechEngine
{
public:
    explicit EspeakSpeech(std::unique_ptr<AudioOutput> output) : m_player(new Player(std::move(output)))
    {
        m_thread.setObjectName(QStringLiteral("speech playback"));
        m_player->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, m_player, &QObject::deleteLater);
        m_thread.start();

        const int rate = SpeechWorker::instance().call([] { return SpeechWorker::instance().sampleRate(); });
        bool opened = false;
        if (rate > 0)
            QMetaObject::invokeMethod(m_player, [&] { opened = m_player->open(rate); },
                                      Qt::BlockingQueuedConnection);
        m_audio = opened;
        // The installed voices do not change while the program runs.
        std::tie(m_names, m_identifiers) = SpeechWorker::instance().call([] {
            QStringList names, ids;
            if (SpeechWorker::instance().sampleRate() > 0) {
                for (const espeak_VOICE **voice = espeak_ListVoices(nullptr); voice && *voice; ++voice) {
                    // Some voice files name their voice with a trailing space.
                    names << QString::fromUtf8((*voice)->name).trimmed();
                    ids << QString::fromUtf8((*voice)->identifier);
                }
            }
            return std::pair{names, ids};
        });
    }

    ~EspeakSpeech() override
    {
        // Speech still queued for this engine has nowhere to go any more.
        *m_alive = false;
        // Let an utterance being synthesised finish (quickly: nothing is
        // sent on) before the player goes.
        SpeechWorker::instance().call([] {});
        m_thread.quit();
        m_thread.wait();
    }

    QStringList voiceDescriptions() override { return m_names; }

    void setVoice(int index) override
    {
        if (index < 0 || index >= m_identifiers.size())
            return;
        const QByteArray id = m_identifiers[index].toUtf8();
        SpeechWorker::instance().post([id] { espeak_SetVoiceByName(id.constData()); });
    }

    // espeak-ng always produces 22050 Hz, 16-bit mono, which is format 22:
    // there is nothing to switch.
    void setOutputFormat(int) override {}

    void speak(const QString &text, int flags) override
    {
        const QByteArray utf8 = text.toUtf8();
        Player *player = m_player;
        auto alive = m_alive;
        auto job = [utf8, player, alive] {
            if (SpeechWorker::instance().sampleRate() <= 0)
                return;
            SpeechWorker::instance().synthesise(utf8, [player, alive](const short *samples, int count) {
                if (!*alive)
                    return;
                const QByteArray pcm(reinterpret_cast<const char *>(samples), qsizetype(count) * 2);
                QMetaObject::invokeMethod(player, [player, pcm] { player->write(pcm); }, Qt::QueuedConnection);
            });
        };
        if (flags & 1) {
            SpeechWorker::instance().post(std::move(job));
        } else {
            SpeechWorker::instance().call([&job] { job(); });
        }
    }

    bool audioAvailable() override { return m_audio; }

private:
    QThread m_thread;
    Player *m_player;
    std::shared_ptr<std::atomic<bool>> m_alive = std::make_shared<std::atomic<bool>>(true);
    QStringList m_names;
    QStringList m_identifiers;
    bool m_audio = false;
};

} // namespace

std::unique_ptr<SpeechEngine> createEspeakSpeech(std::unique_ptr<AudioOutput> output)
{
    return std::make_unique<EspeakSpeech>(std::move(output));
}

} // namespace lorva
