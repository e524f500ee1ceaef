// The speech of a long page: saved as a WAV, OGG and MP3 file (seconds of
// wall time per minute of speech, and the peak memory of the program while
// it saves), and read aloud to the sound server (how the program's memory
// grows while it reads). The page is the program's speech logic with the
// real synthesiser, the real sound files and the real sound output; only
// the window around it is a stand-in.
//
//   longspeech                      every case below, each in a process of its own
//   longspeech save <kind> <min>    about <min> minutes of speech saved as <kind> (wav, ogg, mp3)
//   longspeech read <seconds>       a 3 MB page read aloud for <seconds> s (needs a sound server)
#include "fakes/FakeProgram.h"
#include "platform/AudioFile.h"
#include "platform/SpeechEngine.h"
#include "support/LongText.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <sndfile.h>

#include <cstdio>
#include <sys/resource.h>

using namespace lorva;
using namespace lorva::test;

namespace {

// About this many characters of the manual make a minute of speech at the
// normal rate.
constexpr qsizetype kCharsPerMinute = 1000;

// The window and the dialogs are stand-ins; speech, sound files and sound
// are real.
struct Scene : FakeProgram
{
    explicit Scene(std::unique_ptr<AudioOutput> output)
    {
        platform.openAudioFile = &lorva::openAudioFile;
        ctx.speech.SpeechVoice = createEspeakSpeech(std::move(output));
        const qsizetype english = ctx.speech.SpeechVoice->voiceDescriptions().indexOf("English (Great Britain)");
        ctx.speech.SpeechVoice->setVoice(int(english));
        ctx.speech.SpeechVoice->setRate(kNormalRate);
    }
};

// Memory of this process from /proc, in MB: now (VmRSS) and at its highest (VmHWM).
double memoryMb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(strlen(field))).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// Processor time of all the program's threads so far, in seconds.
double cpuSeconds()
{
    rusage usage = {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The length of a sound file in seconds, as libsndfile decodes it.
double decodedSeconds(const QString &path)
{
    SF_INFO info = {};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return -1;
    // MP3 headers may not say how long the file is: count what decodes.
    std::vector<short> buffer(1 << 16);
    sf_count_t frames = 0;
    for (sf_count_t read; (read = sf_readf_short(file, buffer.data(), sf_count_t(buffer.size()))) > 0;)
        frames += read;
    sf_close(file);
    return double(frames) / info.samplerate;
}

int save(const QString &kind, double minutes)
{
    Scene scene(createWavFile(QDir::temp().filePath(QStringLiteral("lorvaspeak-bench-unused.wav"))));
    auto &view = scene.window.views[0];
    view.page = longText(qsizetype(minutes * kCharsPerMinute));
    if (view.page.isEmpty()) {
        std::printf("needs bash's reference manual (bash-doc)\n");
        return 1;
    }
    const QString path = QDir::temp().filePath(QStringLiteral("lorvaspeak-bench-speech.") + kind);
    QFile::remove(path);
    scene.window.dialogs.saveAnswer = path;
    const double before = memoryMb("VmRSS:");
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    Save_Speech(scene.speech, scene.window.dialogs);
    while (scene.window.dialogs.informations.isEmpty() && scene.window.dialogs.failures.isEmpty()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
    const double wall = clock.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    const double peak = memoryMb("VmHWM:");
    const double audio = decodedSeconds(path) / 60;
    QFile::remove(path);
    if (!scene.window.dialogs.failures.isEmpty()) {
        std::printf("%s, %.0f min asked: failed: %s\n", qPrintable(kind), minutes,
                    qPrintable(scene.window.dialogs.failures.first()));
        return 1;
    }
    std::printf("%s: %.1f min of speech saved in %.1f s: %.2f s a minute of speech (processor %.2f s); memory "
                "%.0f MB before, peak %.0f MB\n",
                qPrintable(kind), audio, wall, wall / audio, cpu / audio, before, peak);
    return 0;
}

int read(int seconds)
{
    Scene scene(createDesktopAudio());
    if (!scene.ctx.speech.SpeechVoice->audioAvailable()) {
        std::printf("read: needs a sound server (scripts/xvfb-session: start_sound)\n");
        return 1;
    }
    auto &view = scene.window.views[0];
    view.page = longText(3 * 1000 * 1000);
    const double before = memoryMb("VmRSS:");
    Read_Page(scene.speech);
    // Reading starts with the page's sentences and the sound device; what
    // comes after that is growth.
    constexpr int kSettleMs = 5000;
    QElapsedTimer clock;
    clock.start();
    double settled = 0, highest = before;
    while (clock.elapsed() < seconds * 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
        scene.window.calls.clear(); // the stand-in window's own record of the lit words
        highest = qMax(highest, memoryMb("VmRSS:"));
        if (!settled && clock.elapsed() >= kSettleMs)
            settled = memoryMb("VmRSS:");
    }
    const double after = memoryMb("VmRSS:");
    std::printf("read aloud: a %.1f MB page for %d s: memory %.0f MB before, %.0f MB after %d s, %.0f MB at the end "
                "(%.2f MB/s from then on), highest %.0f MB\n",
                view.page.size() / 1e6, seconds, before, settled, kSettleMs / 1000, after,
                (after - settled) / (seconds - kSettleMs / 1000.0), highest);
    Speech_Stop(scene.speech);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == u"save")
        return save(args[1], args[2].toDouble());
    if (args.size() == 2 && args[0] == u"read")
        return read(args[1].toInt());

    // Each case in a process of its own: its peak memory is its own, and a
    // crash ends only that case.
    const QList<QStringList> cases = {{"save", "wav", "1"},  {"save", "ogg", "1"},   {"save", "mp3", "1"},
                                      {"save", "wav", "40"}, {"save", "ogg", "40"},  {"save", "mp3", "40"},
                                      {"save", "wav", "120"}, {"save", "ogg", "120"}, {"save", "mp3", "120"},
                                      {"read", "30"}};
    for (const QStringList &c : cases) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), c);
        child.waitForFinished(-1);
        if (child.exitStatus() == QProcess::CrashExit)
            std::printf("%s: crashed\n", qPrintable(c.join(' ')));
        std::fflush(stdout);
    }
    return 0;
}
