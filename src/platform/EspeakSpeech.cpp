#include "platform/SpeechEngine.h"

#include "platform/AudioFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <espeak-ng/speak_lib.h>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <future>
#include <mutex>
#include <thread>
#include <utility>

namespace lorva {

namespace {

struct VoiceList
{
    QStringList names, identifiers;
    QList<QList<VoiceLanguage>> languages;
};

// espeak-ng lists a voice's languages as a priority byte, the code and a
// zero, over and over, ending with a zero byte.
QList<VoiceLanguage> languagesOf(const char *list)
{
    QList<VoiceLanguage> out;
    for (const char *p = list; p && *p; p += std::strlen(p + 1) + 2)
        out.append({QString::fromUtf8(p + 1).toLower(), int(static_cast<unsigned char>(*p))});
    return out;
}

// An mbrola voice ("mb/mb-it3") speaks only through its own database: one
// whose database is not installed must never be chosen for a language.
bool mbrolaMissing(const QString &identifier)
{
    if (!identifier.startsWith(u"mb/"))
        return false;
    const QString database = identifier.mid(3).section(u'-', 1, 1);
    for (const QString &folder : {QStringLiteral("/usr/share/mbrola/"), QStringLiteral("/usr/share/mbrola/voices/")}) {
        if (QFileInfo::exists(folder + database + u'/' + database) || QFileInfo::exists(folder + database))
            return false;
    }
    return true;
}

// espeak-ng is not thread-safe and must be initialised once per process:
// every call to it runs on this one worker thread, in the order asked.
class SpeechWorker
{
public:
    using Sink = std::function<void(const short *samples, int count, const espeak_EVENT *events)>;

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

    // Like call(), without waiting: the result comes through the future.
    template <typename F>
    auto later(F work) -> std::future<decltype(work())>
    {
        auto task = std::make_shared<std::packaged_task<decltype(work())()>>(std::move(work));
        auto result = task->get_future();
        post([task] { (*task)(); });
        return result;
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
    // The installed voices, listed once.
    const VoiceList &voices()
    {
        if (!m_voicesListed && m_sampleRate > 0) {
            for (const espeak_VOICE **voice = espeak_ListVoices(nullptr); voice && *voice; ++voice) {
                // Some voice files name their voice with a trailing space.
                m_voices.names << QString::fromUtf8((*voice)->name).trimmed();
                const QString identifier = QString::fromUtf8((*voice)->identifier);
                m_voices.identifiers << identifier;
                m_voices.languages << (mbrolaMissing(identifier) ? QList<VoiceLanguage>()
                                                                 : languagesOf((*voice)->languages));
            }
        }
        m_voicesListed = true;
        return m_voices;
    }
    // `cancelled` is asked as the samples come: true stops the synthesis.
    void synthesise(const QByteArray &utf8, Sink sink, std::function<bool()> cancelled = {})
    {
        m_sink = std::move(sink);
        m_cancelled = std::move(cancelled);
        espeak_Synth(utf8.constData(), size_t(utf8.size() + 1), 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                     nullptr);
        m_sink = nullptr;
        m_cancelled = nullptr;
    }

private:
    SpeechWorker() : m_thread([this] { run(); }) {}

    ~SpeechWorker()
    {
        m_stopping = true;
        post([this] { m_stop = true; });
        m_thread.join();
    }

    static int onSamples(short *samples, int count, espeak_EVENT *events)
    {
        SpeechWorker &self = instance();
        if (self.m_stopping || (self.m_cancelled && self.m_cancelled()))
            return 1; // stops the synthesis at once
        if (self.m_sink)
            self.m_sink(samples && count > 0 ? samples : nullptr, samples ? count : 0, events);
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
    VoiceList m_voices;
    bool m_voicesListed = false;
    Sink m_sink;
    std::function<bool()> m_cancelled;
    std::thread m_thread;
};

// Plays what the synthesiser produces on a thread of its own, so that a
// busy window never starves the sound and sound never blocks the window.
class Player : public QObject
{
public:
    explicit Player(std::unique_ptr<AudioOutput> output) : m_output(std::move(output)) {}

    // The device is opened on first use, on this thread: a program that
    // never speaks never connects to the sound server.
    void setSampleRate(int sampleRate) { m_sampleRate = sampleRate; }
    bool opened()
    {
        if (!m_opened)
            m_opened = m_sampleRate > 0 && m_output && m_output->open(m_sampleRate);
        return *m_opened;
    }
    // Samples of a stopped generation arrive late: they are dropped.
    void write(const QByteArray &pcm, quint64 generation)
    {
        if (generation == m_generation && opened())
            m_output->write(pcm);
    }
    // `reached` runs on the program's thread once what came before is heard.
    void mark(quint64 generation, std::function<void()> reached)
    {
        if (generation == m_generation && opened())
            m_output->mark([reached = std::move(reached)] {
                QMetaObject::invokeMethod(QCoreApplication::instance(), reached, Qt::QueuedConnection);
            });
    }
    void discard(quint64 generation)
    {
        m_generation = generation;
        if (m_opened.value_or(false))
            m_output->discard();
    }
    void hold(bool held)
    {
        if (opened())
            m_output->hold(held);
    }

private:
    std::unique_ptr<AudioOutput> m_output;
    quint64 m_generation = 0;
    int m_sampleRate = 0;
    std::optional<bool> m_opened;
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
        m_sampleRate = rate;
        QMetaObject::invokeMethod(m_player, [player = m_player, rate] { player->setSampleRate(rate); });
        // The installed voices do not change while the program runs.
        const VoiceList voices = SpeechWorker::instance().call([] { return SpeechWorker::instance().voices(); });
        m_names = voices.names;
        m_identifiers = voices.identifiers;
        m_languages = voices.languages;
    }

    ~EspeakSpeech() override
    {
        // A file being saved is dropped: the user's file stays as it was.
        cancelSaving();
        // Speech still queued for this engine has nowhere to go any more.
        *m_alive = false;
        // Let an utterance being synthesised finish (quickly: nothing is
        // sent on) before the player goes.
        SpeechWorker::instance().call([] {});
        m_thread.quit();
        m_thread.wait();
    }

    QStringList voiceDescriptions() override { return m_names; }
    QList<QList<VoiceLanguage>> voiceLanguages() override { return m_languages; }

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
        auto generation = m_generation;
        const quint64 mine = *generation;
        auto job = [utf8, player, alive, generation, mine] {
            // Stopped before its turn: never spoken.
            if (SpeechWorker::instance().sampleRate() <= 0 || *generation != mine)
                return;
            SpeechWorker::instance().synthesise(
                utf8,
                [player, alive, mine](const short *samples, int count, const espeak_EVENT *) {
                    if (!*alive || !samples)
                        return;
                    const QByteArray pcm(reinterpret_cast<const char *>(samples), qsizetype(count) * 2);
                    QMetaObject::invokeMethod(player, [player, pcm, mine] { player->write(pcm, mine); },
                                              Qt::QueuedConnection);
                },
                [generation, mine] { return *generation != mine; });
        };
        if (flags & 1) {
            SpeechWorker::instance().post(std::move(job));
        } else {
            SpeechWorker::instance().call([&job] { job(); });
        }
    }

    bool audioAvailable() override
    {
        if (!m_audio) {
            bool opened = false;
            QMetaObject::invokeMethod(m_player, [&] { opened = m_player->opened(); }, Qt::BlockingQueuedConnection);
            m_audio = opened;
        }
        return *m_audio;
    }

    void stop() override
    {
        // Queued texts and the one being made see the new generation and
        // end; the player drops what it holds of the old one.
        const quint64 next = ++*m_generation;
        Player *player = m_player;
        QMetaObject::invokeMethod(player, [player, next] { player->discard(next); }, Qt::QueuedConnection);
    }

    void pause() override
    {
        Player *player = m_player;
        QMetaObject::invokeMethod(player, [player] { player->hold(true); }, Qt::QueuedConnection);
    }

    void resume() override
    {
        Player *player = m_player;
        QMetaObject::invokeMethod(player, [player] { player->hold(false); }, Qt::QueuedConnection);
    }

    void speakTracked(const QString &text, std::function<void(int)> word, std::function<void()> done) override
    {
        const QByteArray utf8 = text.toUtf8();
        Player *player = m_player;
        auto alive = m_alive;
        auto generation = m_generation;
        const quint64 mine = *generation;
        // Not after a stop, even when already on its way.
        const auto current = [generation, mine] { return *generation == mine; };
        SpeechWorker::instance().post([=] {
            if (SpeechWorker::instance().sampleRate() <= 0 || !current())
                return;
            // espeak-ng reports some words twice, the last one again with the
            // position of the first: a word is only ever followed by later ones.
            auto lastWord = std::make_shared<int>(-1);
            SpeechWorker::instance().synthesise(
                utf8,
                [=](const short *samples, int count, const espeak_EVENT *events) {
                    if (!*alive)
                        return;
                    for (const espeak_EVENT *e = events; e && e->type != espeakEVENT_LIST_TERMINATED; ++e) {
                        if (e->type != espeakEVENT_WORD || !word)
                            continue;
                        const int index = wordIndexAt(text, e->text_position);
                        if (index <= *lastWord)
                            continue;
                        *lastWord = index;
                        QMetaObject::invokeMethod(player, [=] {
                            player->mark(mine, [=] {
                                if (current())
                                    word(index);
                            });
                        }, Qt::QueuedConnection);
                    }
                    if (samples) {
                        const QByteArray pcm(reinterpret_cast<const char *>(samples), qsizetype(count) * 2);
                        QMetaObject::invokeMethod(player, [player, pcm, mine] { player->write(pcm, mine); },
                                                  Qt::QueuedConnection);
                    }
                },
                [current] { return !current(); });
            if (*alive && done)
                QMetaObject::invokeMethod(player, [=] {
                    player->mark(mine, [=] {
                        if (current())
                            done();
                    });
                }, Qt::QueuedConnection);
        });
    }

    QByteArray synthesize(const QString &text) override
    {
        return SpeechWorker::instance().call([utf8 = text.toUtf8()] { return synthesized(utf8, {}); });
    }

    void saveSpeech(const QStringList &sentences, std::unique_ptr<AudioFileWriter> file,
                    std::function<void(int)> progress, std::function<void(bool, const QString &)> done) override
    {
        cancelSaving();
        auto state = std::make_shared<std::atomic<int>>(Saving::Running);
        m_saveState = state;
        // Runs `call` on the program's thread, as long as this engine lives.
        const auto toProgram = [here = m_here.get()](auto call) {
            QMetaObject::invokeMethod(here, std::move(call), Qt::QueuedConnection);
        };
        const bool synthesiser = m_sampleRate > 0;
        // A sentence is made on the synthesiser's thread while the one before
        // is encoded on this one; speech asked for meanwhile waits for a
        // sentence at most, and no more than two are ever held.
        m_saving = std::thread([sentences, file = std::move(file), progress = std::move(progress),
                                done = std::move(done), state, toProgram, synthesiser]() mutable {
            const auto cancelled = [state] { return *state == Saving::Cancelled; };
            const auto made = [&sentences, cancelled](qsizetype i) {
                return SpeechWorker::instance().later(
                    [utf8 = sentences[i].toUtf8(), cancelled] { return synthesized(utf8, cancelled); });
            };
            bool written = synthesiser;
            std::future<QByteArray> next;
            if (written && !sentences.isEmpty())
                next = made(0);
            for (qsizetype i = 0; written && i < sentences.size() && !cancelled(); ++i) {
                QByteArray pcm;
                try {
                    pcm = next.get();
                } catch (const std::future_error &) {
                    // The synthesiser's thread ended (the process is ending).
                    state->store(Saving::Cancelled);
                    break;
                }
                if (i + 1 < sentences.size())
                    next = made(i + 1);
                if (cancelled())
                    break;
                written = file->append(pcm);
                if (written)
                    toProgram([state, progress, n = int(i + 1)] {
                        if (*state != Saving::Cancelled)
                            progress(n);
                    });
            }
            // Past this point a cancel comes too late: the file is finished
            // and the user told so.
            int running = Saving::Running;
            if (!state->compare_exchange_strong(running, Saving::Finishing)) {
                file->abort();
                return;
            }
            const bool saved = written && file->commit();
            const QString error = saved        ? QString()
                                  : synthesiser ? file->error()
                                                : QStringLiteral("The speech synthesiser did not start.");
            file.reset();
            toProgram([done, saved, error] { done(saved, error); });
        });
    }

    bool cancelSaving() override
    {
        int running = Saving::Running;
        const bool stopped = m_saveState && m_saveState->compare_exchange_strong(running, Saving::Cancelled);
        if (m_saving.joinable())
            m_saving.join();
        m_saveState.reset();
        return stopped;
    }

    void setRate(int wordsPerMinute) override
    {
        SpeechWorker::instance().post(
            [wordsPerMinute] { espeak_SetParameter(espeakRATE, qBound(80, wordsPerMinute, 450), 0); });
    }

private:
    enum Saving { Running, Cancelled, Finishing };

    // The samples of `utf8`; on the synthesiser's thread only. `cancelled`
    // stops them part way.
    static QByteArray synthesized(const QByteArray &utf8, std::function<bool()> cancelled)
    {
        QByteArray pcm;
        if (SpeechWorker::instance().sampleRate() > 0)
            SpeechWorker::instance().synthesise(
                utf8,
                [&pcm](const short *samples, int count, const espeak_EVENT *) {
                    if (samples)
                        pcm.append(reinterpret_cast<const char *>(samples), qsizetype(count) * 2);
                },
                std::move(cancelled));
        return pcm;
    }

    QThread m_thread;
    Player *m_player;
    // Lives on the program's thread: what is sent to it dies with the engine.
    std::unique_ptr<QObject> m_here = std::make_unique<QObject>();
    int m_sampleRate = 0;
    std::thread m_saving;
    std::shared_ptr<std::atomic<int>> m_saveState;
    std::shared_ptr<std::atomic<bool>> m_alive = std::make_shared<std::atomic<bool>>(true);
    std::shared_ptr<std::atomic<quint64>> m_generation = std::make_shared<std::atomic<quint64>>(0);
    QStringList m_names;
    QStringList m_identifiers;
    QList<QList<VoiceLanguage>> m_languages;
    std::optional<bool> m_audio;
};

} // namespace

void startSpeechEarly()
{
    // espeak-ng sets the process's character locale as it starts, which is
    // not safe beside other threads: the caller waits for that (about a
    // millisecond), and only the listing of the voices goes on beside it.
    SpeechWorker &worker = SpeechWorker::instance();
    worker.call([] {});
    worker.post([] { SpeechWorker::instance().voices(); });
}

std::unique_ptr<SpeechEngine> createEspeakSpeech(std::unique_ptr<AudioOutput> output)
{
    return std::make_unique<EspeakSpeech>(std::move(output));
}

} // namespace lorva
