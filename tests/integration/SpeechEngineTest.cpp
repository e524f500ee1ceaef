// The real espeak-ng engine of the program, speaking into WAV files.
#include "fakes/FakeProgram.h"
#include "platform/AudioFile.h"
#include "platform/SpeechEngine.h"
#include "support/LongText.h"
#include "support/TempFolder.h"
#include "support/Wav.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <sndfile.h>

#include <algorithm>
#include <cstring>

using namespace lorva;
using namespace lorva::test;

namespace {

const QString kSentence = QStringLiteral("The quick brown fox jumps over the lazy dog.");
const QString kShort = QStringLiteral("Seven.");

void runEventsFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
}

// The WAV file once speech stopped coming into it (speech is 1000 times
// faster than real time, so a quiet quarter of a second means it is done).
Wav settled(const QString &path) { return settledWav(path, 0, 250, 10000, runEventsFor); }

// Speech written as a sound file the way the program saves it: in pieces.
bool writeSound(const QString &path, const QByteArray &pcm, QString &error)
{
    std::unique_ptr<AudioFileWriter> file = openAudioFile(path, 22050, error);
    if (!file)
        return false;
    const qsizetype half = pcm.size() / 4 * 2;
    if (file->append(pcm.left(half)) && file->append(pcm.mid(half)) && file->commit())
        return true;
    error = file->error();
    return false;
}

struct Engine
{
    TempFolder folder;
    QString wav = folder.file("speech.wav");
    std::unique_ptr<SpeechEngine> speech = createEspeakSpeech(createWavFile(wav));

    void useEnglish()
    {
        const qsizetype k = speech->voiceDescriptions().indexOf(kEnglish);
        ASSERT_GE(k, 0);
        speech->setVoice(int(k));
    }
};

} // namespace

TEST(EspeakEngine, ListsItsVoicesByName)
{
    Engine e;
    const QStringList voices = e.speech->voiceDescriptions();
    EXPECT_GT(voices.size(), 50);
    EXPECT_TRUE(voices.contains(kEnglish));
    EXPECT_TRUE(voices.contains("Italian"));
    for (const QString &voice : voices) {
        EXPECT_FALSE(voice.isEmpty());
        // A name with a trailing space would never match its own menu entry.
        EXPECT_EQ(voice, voice.trimmed());
    }
    EXPECT_EQ(e.speech->voiceDescriptions(), voices); // a stable order
}

TEST(EspeakEngine, OpensItsOutputOnFirstUseAndSpeaksA22kHz16BitMonoWavOfTheRightLength)
{
    Engine e;
    e.useEnglish();
    // Nothing is opened before there is something to say.
    QThread::msleep(200);
    QCoreApplication::processEvents();
    EXPECT_FALSE(QFile::exists(e.wav));
    e.speech->setOutputFormat(22);
    QElapsedTimer clock;
    clock.start();
    e.speech->speak(kSentence, 1);
    EXPECT_LT(clock.elapsed(), 50) << "speak with flags 1 must return at once";

    const Wav wav = settled(e.wav);
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.sampleRate, 22050);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bitsPerSample, 16);
    const Wav reference = espeakReference(kSentence, "gmw/en", e.folder.path());
    ASSERT_TRUE(reference.valid) << "the espeak-ng command gave no WAV";
    EXPECT_NEAR(spokenSeconds(wav), spokenSeconds(reference), spokenSeconds(reference) * 0.1)
        << spokenSeconds(wav) << " s against " << spokenSeconds(reference) << " s";
    EXPECT_GT(spokenSeconds(wav), 1.5);
}

TEST(EspeakEngine, TwoTextsQueuedQuicklyAreBothSpokenWholeAndInOrder)
{
    // The engine's very first utterance comes out a little different: warm up.
    Engine warmUp;
    warmUp.useEnglish();
    warmUp.speech->speak(kShort, 1);
    settled(warmUp.wav);

    // Each text alone first, for its length and its shape.
    Engine alone;
    alone.useEnglish();
    alone.speech->speak(kShort, 1);
    const Wav shortAlone = settled(alone.wav);
    Engine alone2;
    alone2.speech->speak(kSentence, 1);
    const Wav sentenceAlone = settled(alone2.wav);
    ASSERT_TRUE(shortAlone.valid && sentenceAlone.valid);

    Engine both;
    both.useEnglish();
    both.speech->speak(kShort, 1);
    both.speech->speak(kSentence, 1);
    const Wav wav = settled(both.wav);
    ASSERT_TRUE(wav.valid);

    const double expected = shortAlone.seconds() + sentenceAlone.seconds();
    EXPECT_NEAR(wav.seconds(), expected, expected * 0.05) << "one of the two was cut off or lost";
    // The loudness over time shows which text came first.
    const auto shape = envelope(wav.samples, 22050);
    const auto shortShape = envelope(shortAlone.samples, 22050);
    const auto sentenceShape = envelope(sentenceAlone.samples, 22050);
    const size_t n = shortShape.size();
    const double first = correlation(shape, 0, shortShape, 0, n);
    const double swapped = correlation(shape, 0, sentenceShape, 0, n);
    // Pauses around an utterance vary a little; find where the sentence starts.
    double second = 0;
    for (size_t at = n > 30 ? n - 30 : 0; at <= n + 30; ++at)
        second = std::max(second, correlation(shape, at, sentenceShape, 0, sentenceShape.size()));
    EXPECT_GT(first, 0.9) << "the short text does not come first";
    EXPECT_GT(second, 0.9) << "the sentence does not follow it whole";
    EXPECT_LT(swapped, first - 0.2) << first << " against " << swapped;
}

TEST(EspeakEngine, SpeaksThroughTheDesktopsSound)
{
    // The test command runs a PulseAudio server whose null sink can be
    // recorded from: what the program plays is what comes out there.
    ASSERT_EQ(QProcess::execute("pactl", {"info"}), 0) << "no sound server: run the tests through scripts/test";
    TempFolder folder;
    QProcess recorder;
    recorder.setStandardOutputFile(folder.file("heard.raw"));
    recorder.start("parec", {"-d", "nullsink.monitor", "--format=s16le", "--rate=22050", "--channels=1"});
    ASSERT_TRUE(recorder.waitForStarted());
    QThread::msleep(300);

    auto speech = createEspeakSpeech(createDesktopAudio());
    ASSERT_TRUE(speech->audioAvailable());
    const qsizetype k = speech->voiceDescriptions().indexOf(kEnglish);
    speech->setVoice(int(k));
    speech->speak(kSentence, 1);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 4500) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    recorder.terminate();
    recorder.waitForFinished();

    QFile raw(folder.file("heard.raw"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    Wav heard;
    heard.valid = true;
    heard.sampleRate = 22050;
    heard.samples.resize(size_t(bytes.size() / 2));
    memcpy(heard.samples.data(), bytes.constData(), heard.samples.size() * 2);

    Engine reference;
    reference.speech->setVoice(int(k));
    reference.speech->speak(kSentence, 1);
    const double expected = spokenSeconds(settled(reference.wav));
    EXPECT_NEAR(spokenSeconds(heard), expected, expected * 0.2)
        << spokenSeconds(heard) << " s heard against " << expected << " s synthesised";
}

TEST(EspeakEngine, SpeechSavedAsWavOggAndMp3HasTheRightLengthAndDecodes)
{
    TempFolder folder;
    auto speech = createEspeakSpeech(createWavFile(folder.file("unused.wav")));
    speech->setVoice(int(speech->voiceDescriptions().indexOf(kEnglish)));
    const QByteArray pcm = speech->synthesize(kSentence);
    const Wav reference = espeakReference(kSentence, "gmw/en", folder.path());
    ASSERT_TRUE(reference.valid);
    ASSERT_GT(pcm.size(), 22050); // more than half a second

    folder.write("old.wav", "the user's old file");
    for (const char *name : {"old.wav", "speech.ogg", "speech.mp3"}) {
        QString error;
        ASSERT_TRUE(writeSound(folder.file(name), pcm, error)) << name << ": " << qPrintable(error);
        SF_INFO info = {};
        SNDFILE *file = sf_open(QFile::encodeName(folder.file(name)).constData(), SFM_READ, &info);
        ASSERT_TRUE(file) << name << " does not decode";
        std::vector<short> samples(size_t(info.frames) * size_t(qMax(1, info.channels)));
        const sf_count_t read = sf_readf_short(file, samples.data(), info.frames);
        sf_close(file);
        Wav decoded;
        decoded.valid = true;
        decoded.sampleRate = info.samplerate;
        decoded.samples.assign(samples.begin(), samples.begin() + qsizetype(read) * qMax(1, info.channels));
        EXPECT_NEAR(spokenSeconds(decoded), spokenSeconds(reference), spokenSeconds(reference) * 0.1)
            << name << ": " << spokenSeconds(decoded) << " s against " << spokenSeconds(reference) << " s";
    }
    // Readable by others as any new file, nothing of the work left beside
    // the files, and a folder that does
    // not exist is a clear failure.
    EXPECT_TRUE(QFileInfo(folder.file("speech.ogg")).permissions() & QFile::ReadOther);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).filter(".~lorva").size(), 0);
    QString error;
    EXPECT_FALSE(writeSound(folder.file("missing/speech.wav"), pcm, error));
    EXPECT_FALSE(error.isEmpty());
}

namespace {

// Frames that libsndfile decodes from a sound file, all of them read.
qint64 decodedFrames(const QString &path)
{
    SF_INFO info = {};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return -1;
    EXPECT_EQ(info.samplerate, 22050);
    EXPECT_EQ(info.channels, 1);
    std::vector<short> buffer(1 << 16);
    qint64 frames = 0;
    for (sf_count_t read; (read = sf_readf_short(file, buffer.data(), sf_count_t(buffer.size()))) > 0;)
        frames += read;
    sf_close(file);
    return frames;
}

QStringList leftovers(const TempFolder &folder)
{
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).filter(".~lorva");
}

} // namespace

TEST(SavingSpeech, TwoHoursOfAPageSavedAsOggAreAllInTheFile)
{
    TempFolder folder;
    lorva::test::FakeProgram program;
    program.platform.openAudioFile = &openAudioFile;
    program.ctx.speech.SpeechVoice = createEspeakSpeech(createWavFile(folder.file("unused.wav")));
    SpeechEngine &speech = *program.ctx.speech.SpeechVoice;
    speech.setVoice(int(speech.voiceDescriptions().indexOf(kEnglish)));
    const QString text = longText(135 * 1000);
    ASSERT_FALSE(text.isEmpty()) << "needs bash's reference manual (bash-doc)";
    // What the sentences give one by one is what the file must hold.
    qint64 expected = 0;
    for (const QString &sentence : sentencesOf(text))
        expected += speech.synthesize(sentence).size() / 2;
    ASSERT_GT(expected, 2 * 3600 * 22050);

    program.window.views[0].page = text;
    program.ctx.language.Captions[247] = QStringLiteral("Saved as ");
    auto &dialogs = program.window.dialogs;
    const QString path = folder.file("speech.ogg");
    dialogs.saveAnswer = path;
    folder.write("speech.ogg", "the user's old file");
    Save_Speech(program.speech, dialogs);
    // Saved in the background: the old file is there until the new one is whole.
    EXPECT_TRUE(dialogs.informations.isEmpty());
    EXPECT_EQ(folder.read("speech.ogg"), QByteArray("the user's old file"));
    QList<int> shown;
    while (dialogs.informations.isEmpty() && dialogs.failures.isEmpty()) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
        if (shown.isEmpty() || shown.last() != program.window.progress)
            shown << program.window.progress;
    }
    ASSERT_EQ(dialogs.failures, QStringList());
    EXPECT_EQ(dialogs.informations, QStringList({"lorvaspeak|Saved as " + path}));
    // The bar went up step by step while the program's thread was free, and back to 0.
    EXPECT_GT(shown.size(), 20);
    EXPECT_TRUE(std::is_sorted(shown.begin() + 1, shown.end() - 1));
    EXPECT_EQ(program.window.progress, 0);
    EXPECT_EQ(leftovers(folder), QStringList());

    const qint64 frames = decodedFrames(path);
    EXPECT_NEAR(double(frames), double(expected), expected * 0.01)
        << frames / 22050.0 / 60 << " min decoded against " << expected / 22050.0 / 60 << " min spoken";
}

TEST(SavingSpeech, AStoppedSaveOrAnEngineGoneMidwayLeavesTheOldFileAndNoTrace)
{
    TempFolder folder;
    folder.write("speech.mp3", "the user's old file");
    const QStringList sentences = sentencesOf(longText(60 * 1000));
    for (const bool cancelled : {true, false}) {
        SCOPED_TRACE(cancelled ? "cancelled" : "engine gone");
        auto speech = createEspeakSpeech(createWavFile(folder.file("unused.wav")));
        QString error;
        std::unique_ptr<AudioFileWriter> file = openAudioFile(folder.file("speech.mp3"), 22050, error);
        ASSERT_TRUE(file) << qPrintable(error);
        int progress = 0;
        bool done = false;
        speech->saveSpeech(sentences, std::move(file), [&](int n) { progress = n; },
                           [&](bool, const QString &) { done = true; });
        QElapsedTimer clock;
        clock.start();
        while (progress < 10 && clock.elapsed() < 20000)
            runEventsFor(5);
        ASSERT_GE(progress, 10) << "the save never got under way";
        if (cancelled)
            EXPECT_TRUE(speech->cancelSaving());
        else
            speech.reset(); // the program ends
        runEventsFor(200);
        EXPECT_FALSE(done);
        EXPECT_EQ(folder.read("speech.mp3"), QByteArray("the user's old file"));
        EXPECT_EQ(leftovers(folder), QStringList());
    }
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
