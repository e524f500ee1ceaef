#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace lorva {

class AudioFileWriter;

// A language a voice speaks (a BCP-47 code in lower case, "en-gb"), and how
// well: a lower priority is a better fit.
struct VoiceLanguage
{
    QString code;
    int priority = 5;
};

// Where synthesised speech goes: 16-bit mono PCM at the rate given to
// open(). Used from one thread of its own.
class AudioOutput
{
public:
    virtual ~AudioOutput() = default;
    // Prepares the output; false when there is nowhere to play to.
    virtual bool open(int sampleRate) = 0;
    // Queues samples behind those queued before.
    virtual void write(const QByteArray &pcm) = 0;
    // Drops what is queued and silences what is playing, at once.
    virtual void discard() {}
    // Holds the sound where it is (true), or lets it go on (false).
    virtual void hold(bool) {}
    // Calls `reached` once everything written before it has been heard
    // (a file has heard it as soon as it is written).
    virtual void mark(std::function<void()> reached) { reached(); }
};

// The desktop's sound output, through Qt Multimedia.
std::unique_ptr<AudioOutput> createDesktopAudio();
// A WAV file that grows as speech arrives (complete after every write).
std::unique_ptr<AudioOutput> createWavFile(const QString &path);

// The speech synthesiser as the program uses it: installed voices, one
// chosen voice, and queued asynchronous speaking.
class SpeechEngine
{
public:
    virtual ~SpeechEngine() = default;

    // Descriptions of all installed voices, in the engine's own order.
    virtual QStringList voiceDescriptions() = 0;
    // The languages of each voice, in the same order; an engine that cannot
    // tell gives none.
    virtual QList<QList<VoiceLanguage>> voiceLanguages() { return {}; }
    // Chooses the voice at `index` of that order for what is spoken next.
    virtual void setVoice(int index) = 0;
    // Output format; 22 means 22050 Hz, 16-bit, mono (the only one offered).
    virtual void setOutputFormat(int type) = 0;
    // Speaks `text`. With flags 1 it returns at once; the text is spoken
    // after everything queued before it, which is never cut off.
    virtual void speak(const QString &text, int flags) = 0;
    // Whether speech can be heard: false when no audio device was found.
    virtual bool audioAvailable() = 0;
    // Empties the queue and silences what is being spoken.
    virtual void stop() = 0;
    // Holds what is being spoken where it is, and goes on from there.
    virtual void pause() = 0;
    virtual void resume() = 0;
    // Words a minute for what is spoken from now on.
    virtual void setRate(int wordsPerMinute) = 0;
    // Speaks `text` like speak() with flag 1; `word` gets the index of each
    // word (as wordIndexAt() counts them) as it is heard, `done` comes when
    // its end is heard. Both run on the program's thread, never after a stop.
    virtual void speakTracked(const QString &text, std::function<void(int word)> word,
                              std::function<void()> done) = 0;
    // The samples of `text` in the current voice and rate (22050 Hz, 16-bit
    // mono), made at once and not played.
    virtual QByteArray synthesize(const QString &text) = 0;
    // Speaks `sentences` one after another into `file` on a thread of its
    // own, as synthesize() would, never holding more than a sentence's
    // samples, and finishes the file. `progress` gets how many sentences are
    // in the file so far, `done` whether the file was saved, with the
    // writer's error when not; both run on the program's thread, whatever
    // it is busy with, and `done` comes once unless cancelSaving() stopped
    // the save. Speech being heard goes on meanwhile. One save at a time: a
    // new one stops the one before.
    virtual void saveSpeech(const QStringList &sentences, std::unique_ptr<AudioFileWriter> file,
                            std::function<void(int sentences)> progress,
                            std::function<void(bool saved, const QString &error)> done) = 0;
    // Stops the save under way and drops its file, the target staying as it
    // was, and returns once it has. True when it stopped one: its `done`
    // never comes. False when there was none, or it had already finished
    // its file: then its `done` comes all the same.
    virtual bool cancelSaving() = 0;
};

std::unique_ptr<SpeechEngine> createEspeakSpeech(std::unique_ptr<AudioOutput> output);
// Starts the synthesiser's own thread, which lists the voices while the rest
// of the program starts. Call it once the QApplication exists, so that the
// toolkit has set the locale before the synthesiser adjusts it.
void startSpeechEarly();

// The word of `text` at a character position counted from 1 in code points,
// as the synthesiser reports it: words are runs of characters other than
// white space and "|" (which is read as a space), counted from 0. A
// position between words belongs to the word after it.
int wordIndexAt(const QString &text, int position);
// How many words `text` has, counted the same way.
int wordCount(const QString &text);

} // namespace lorva
