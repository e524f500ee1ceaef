#include "platform/Speech.h"

#include <espeak-ng/speak_lib.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

namespace lorva {

namespace {

// espeak-ng is not thread-safe and must be initialised once per process:
// every call to it runs on this one worker thread, in the order asked.
class SpeechWorker
{
public:
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

    int sampleRate() const { return m_sampleRate; }

private:
    SpeechWorker() : m_thread([this] { run(); }) {}

    ~SpeechWorker()
    {
        post([this] { m_stop = true; });
        m_thread.join();
    }

    void run()
    {
        m_sampleRate = espeak_Initialize(AUDIO_OUTPUT_RETRIEVAL, 0, nullptr, 0);
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
    bool m_stop = false;
    int m_sampleRate = 0;
    std::thread m_thread;
};

class EspeakSpeech : public SpeechEngine
{
public:
    QStringList voiceDescriptions() override
    {
        return SpeechWorker::instance().call([] {
            QStringList names;
            if (SpeechWorker::instance().sampleRate() <= 0)
                return names;
            for (const espeak_VOICE **voice = espeak_ListVoices(nullptr); voice && *voice; ++voice)
                names << QString::fromUtf8((*voice)->name);
            return names;
        });
    }
};

} // namespace

std::unique_ptr<SpeechEngine> createEspeakSpeech() { return std::make_unique<EspeakSpeech>(); }

} // namespace lorva
