#pragma once

#include "config/Pronunciation.h"
#include "platform/BrowserView.h"
#include "config/ReadingPlaces.h"
#include "platform/SpeechEngine.h"

#include <QElapsedTimer>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>
#include <memory>

class QWidget;

namespace lorva {

class CommandBars;
class Dialogs;
class Dispatcher;
class MainTimers;
class Platform;
class StatusStrip;
class TabHost;
struct Language;
struct LanguageRun;

// Speech mode and the voice list.
struct SpeechState
{
    // The program's one speech object.
    std::unique_ptr<SpeechEngine> SpeechVoice;
    QStringList List1;          // voice descriptions, in the engine's order
    QString ActiveVoiceCaption; // caption of the voice entry switched on; empty when off
    QString SelectedVoiceName;
    int chosenVoice = -1;       // the engine's number of that voice
    int engineVoice = -1;       // the voice last set on the engine's queue
    // "Automatic": text is spoken in a voice of its language where one is
    // installed, else in the chosen voice. A mode beside the chosen voice,
    // which stays checked and is what speaks everything else.
    bool automatic = false;
    QList<QList<VoiceLanguage>> voiceLanguages; // of each voice of List1
    qint16 mouseWatch = 0;      // 1 while a left press waits for its release
    bool noAudioReported = false;
    bool talking = false;       // GO_Talk is waiting for the copied selection
    bool talkAgain = false;     // asked again meanwhile: read the next selection after this one
    bool paused = false;        // what is spoken is held
    int lastScope = 0;          // the last range the page keeps for the highlight
    // Reading the whole page, sentence by sentence.
    struct Reading
    {
        bool active = false;
        int view = 0;
        int scope = 0;
        QStringList sentences;
        QList<int> firstWord; // of each sentence, counted over the page
        QStringList languages; // of each sentence (BCP-47); empty: not known
        QString address;       // of the page, for its place
        int current = 0;
        int next = 0;         // the next sentence to hand to the voice
        int queued = 0;       // sentences handed to it and not yet heard to the end
        int run = 0;          // counts the starts: a sentence of an earlier one is ignored
    } reading;
    // Where the reading of each page stopped, read from its file when
    // first needed and written back now and then and at the end.
    QList<ReadingPlace> places;
    bool placesRead = false;
    bool placesChanged = false;
    QElapsedTimer placesWritten;
    bool saving = false;        // speech is being saved as a sound file
    int rate = 0;               // words a minute; 0 until the rate file was read
    ReadingChoice readingChoice; // what of an article is read besides its text
    // What was spoken in this run, newest last.
    struct Spoken
    {
        QTime time;
        QString text;
    };
    QList<Spoken> log;
    // How words are to be said wherever speech is made.
    PronunciationList pronunciation;
};

// What speaking works on: its own state, the captions, the command entries,
// the platform (voice, clipboard, pointer, waits) and the main window's tabs,
// status strip and timers.
struct SpeechContext
{
    SpeechState &speech;
    const Language &language;
    CommandBars &commands;
    Platform &platform;
    TabHost &tabs;
    StatusStrip &status;
    MainTimers &timers;
    const QString &programFolder;
    // Where the speech menu asks (the file to save speech in) and tells.
    Dialogs &dialogs;
};

// Shows a window of this area modally over the main window until it
// closes, then lets it go: the program owns the windows, speech only
// makes its own.
using ShowModal = std::function<void(QWidget *window)>;

// The start-up tail's step: every installed voice's description into List1.
void Fill_List1(SpeechState &speech);

// The order of the voices menu: the voices' numbers (from 1, in the
// engine's order of `descriptions`) in groups of one language each, the
// language being a description up to its "(". English comes first, then
// `languageName` (the program's language), then the others by name; each
// group is sorted by description.
QList<QList<int>> voiceMenuGroups(const QStringList &descriptions, const QString &languageName);

// The voice (its number in the engine's order) for text in `language`
// (BCP-47, any case): the best fit among `voices`' languages, the whole
// code before its language alone; `chosen` when it fits as well as any, or
// when none speaks the language.
int voiceForLanguage(const QList<QList<VoiceLanguage>> &voices, const QString &language, int chosen);
// The language of each sentence, starting at `firstWord`, of a text of
// `words` words whose words are in `runs`: the language of most of its words.
QStringList sentenceLanguages(const QList<int> &firstWord, int words, const QList<LanguageRun> &runs);
// Speaks with `say` in the voice of `language` while automatic voices are
// on; the chosen voice is set again right behind it on the engine's queue,
// so that whatever comes next (and a stop) finds it.
void speakIn(SpeechState &speech, const QString &language, const std::function<void()> &say);
// "SPEAK:AUTO": switches automatic voices on or off, kept for the next start.
void Voice_Automatic(SpeechContext &ctx);
// Writes the reading places when they changed (a failure is told on the
// status strip): on a stop, at the end, and before the program ends.
void Save_Places(SpeechContext &ctx);

// Speaks the text selected in the current view. The clipboard carries the
// selection and is given back as it was; the keyboard focus stays put.
void GO_Talk(SpeechContext &ctx);
// Announces the newly chosen voice and enables "SPEAK".
void GO_VoiceOpen(SpeechContext &ctx);
// A click on a voice entry "TTS:" + n + "VOICE": switches that voice on, or
// speech mode off when it is the active one.
void Voice_Click(SpeechContext &ctx, const QString &key);
// The speech watch: speaks once the left button, seen down, is up again.
void Timer6_Timer(SpeechContext &ctx);
// The left button was released in view `index`: in speech mode the
// selection it ended is read at once, and the watch forgets that press.
void Web_LeftButtonUp(SpeechContext &ctx, int index);

// Empties the queue and silences the sound; speech mode stays as it is.
void Speech_Stop(SpeechContext &ctx);
// Holds what is being spoken, or lets it go on where it was.
void Speech_Pause(SpeechContext &ctx);
// "SPEAK:TRE", "SPEAK:SEI", "SPEAK:DODICI": slow, normal and fast speech,
// from the next utterance on, kept for the next start.
void Speech_Rate(SpeechContext &ctx, const QString &key);
// The rate kept in its file (normal when there is none), given to the engine.
void Read_Rate(const QString &programFolder, SpeechState &speech, CommandBars &commands);
// "SPEAK:CODE", "SPEAK:PICTURES", "SPEAK:AUTO": code blocks and pictures'
// descriptions read with the page's article or left out, and a voice for
// each language or not, kept for the next start.
void Reading_Choice(SpeechContext &ctx, const QString &key);
// The choices kept in their file (both read, no automatic voice when there
// is none), shown checked.
void Read_ReadingChoice(const QString &programFolder, SpeechState &speech, CommandBars &commands);
// Speaks the selection, or the page's article when nothing is selected, into a
// WAV, OGG or MP3 file chosen in the save dialog. The file is made in the
// background while the progress bar shows how far it is; the user is told
// when it is saved, or why not. One file at a time.
void Save_Speech(SpeechContext &ctx, Dialogs &dialogs);
// Stops a save of speech under way and drops its file (the program ends).
void stopSavingSpeech(SpeechContext &ctx);
// "Read page": the page's article (its whole text when it has none) from
// where its reading stopped last (in this run or an earlier one), else from
// the top, sentence by sentence, each
// word lit as it is spoken; "Next sentence" and "Previous sentence" move
// while it reads.
void Read_Page(SpeechContext &ctx);
// The same from the paragraph at `point` of view `index` (the page's
// context menu); from the top when there is no paragraph there.
void Read_PageFrom(SpeechContext &ctx, int index, QPoint point);
void Read_Step(SpeechContext &ctx, int step);
// The sentences of a text, in order, nothing left out.
QStringList sentencesOf(const QString &text);
// What the voice says for `text`: the pronunciation list applied.
QString saidText(const SpeechState &speech, const QString &text);
// speakTracked() of `text` as the pronunciation list says it; `word` gets
// the index of the word of `text` heard, so that the written word is lit
// even where more or fewer words are said in its place.
void speakPronounced(SpeechState &speech, const QString &text, const std::function<void(int word)> &word,
                     std::function<void()> done);
// The pronunciation list's editor: the file read afresh (its damaged lines
// shown), and each save written and used at once.
void Show_Pronunciation(SpeechContext &ctx, const ShowModal &showModal);
// Speaks a line of the speech log again.
void Speak_Again(SpeechContext &ctx, const QString &text);
// The speech log window: what was spoken in this run, newest last; a line
// chosen in it is spoken again.
void Show_SpeechLog(SpeechContext &ctx, const ShowModal &showModal);

inline const QString kRateFile = QStringLiteral("Data/lorvaspeak.Rat");
// Lines "code=yes|no" and "pictures=yes|no".
inline const QString kReadingChoiceFile = QStringLiteral("Data/Reading.txt");
inline constexpr int kSlowRate = 130;
inline constexpr int kNormalRate = 175;
inline constexpr int kFastRate = 240;

// Registers "SPEAK", the voice entries and every entry of the speech menu.
void addSpeechRows(Dispatcher &dispatcher, SpeechContext &ctx, ShowModal showModal);

} // namespace lorva
