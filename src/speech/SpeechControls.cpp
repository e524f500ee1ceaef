// Steering speech: stop, pause and resume, the rate and its file, and the
// speech log's lines spoken again.
#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "config/AppError.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "speech/Speech.h"

#include "browser/MainWindowPorts.h"
#include "platform/AudioFile.h"
#include "platform/BrowserView.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <QFileInfo>
#include <QMap>
#include <QUrl>

#include <algorithm>
#include <tuple>

namespace lorva {

namespace {

constexpr int kPauseCaption = 244;
constexpr int kResumeCaption = 245;

struct Rate
{
    const QString &key;
    int wordsPerMinute;
};
const Rate kRates[] = {{keys::SpeakTre, kSlowRate}, {keys::SpeakSei, kNormalRate}, {keys::SpeakDodici, kFastRate}};

void showRate(SpeechState &speech, CommandBars &commands, int wordsPerMinute)
{
    speech.rate = wordsPerMinute;
    for (const Rate &r : kRates)
        commands.setChecked(r.key, r.wordsPerMinute == wordsPerMinute);
    if (speech.SpeechVoice)
        speech.SpeechVoice->setRate(wordsPerMinute);
}

void setPaused(SpeechContext &ctx, bool paused)
{
    ctx.speech.paused = paused;
    ctx.commands.setCaption(keys::SpeakPause,
                            ctx.language.Captions[paused ? kResumeCaption : kPauseCaption]);
}

} // namespace

void Speech_Stop(SpeechContext &ctx)
{
    if (!ctx.speech.SpeechVoice)
        return;
    ctx.speech.SpeechVoice->stop();
    ctx.speech.reading.active = false;
    Save_Places(ctx);
    for (const int index : {ctx.speech.reading.view, ctx.tabs.currentTab()}) {
        if (BrowserView *view = ctx.tabs.view(index))
            view->clearHighlight();
    }
    // What comes next is heard again.
    if (ctx.speech.paused) {
        ctx.speech.SpeechVoice->resume();
        setPaused(ctx, false);
    }
}

void Speech_Pause(SpeechContext &ctx)
{
    if (!ctx.speech.SpeechVoice)
        return;
    if (ctx.speech.paused)
        ctx.speech.SpeechVoice->resume();
    else
        ctx.speech.SpeechVoice->pause();
    setPaused(ctx, !ctx.speech.paused);
}

void Speech_Rate(SpeechContext &ctx, const QString &key)
{
    for (const Rate &r : kRates) {
        if (key == r.key) {
            showRate(ctx.speech, ctx.commands, r.wordsPerMinute);
            legacy::writeTextLines(legacy::resolvePath(ctx.programFolder, kRateFile),
                                   {legacy::printInt(r.wordsPerMinute)}, QStringLiteral("Speech_Rate"));
        }
    }
}

void Read_Rate(const QString &programFolder, SpeechState &speech, CommandBars &commands)
{
    int wordsPerMinute = kNormalRate;
    if (const auto lines = legacy::readTextLines(legacy::resolvePath(programFolder, kRateFile), 1);
        lines && !lines->isEmpty()) {
        // Only the three offered rates are taken; anything else is normal.
        const double read = legacy::leadingNumber(legacy::trimSpaces(lines->first()));
        for (const Rate &r : kRates) {
            if (read == r.wordsPerMinute)
                wordsPerMinute = r.wordsPerMinute;
        }
    }
    showRate(speech, commands, wordsPerMinute);
}

QString saidText(const SpeechState &speech, const QString &text)
{
    return speech.pronunciation.isEmpty() ? text : applyPronunciation(text, speech.pronunciation).text;
}

void speakPronounced(SpeechState &speech, const QString &text, const std::function<void(int word)> &word,
                     std::function<void()> done)
{
    if (speech.pronunciation.isEmpty()) {
        speech.SpeechVoice->speakTracked(text, word, std::move(done));
        return;
    }
    const Pronounced said = applyPronunciation(text, speech.pronunciation);
    speech.SpeechVoice->speakTracked(
        said.text, [word, written = said.writtenWord](int w) { word(written.value(w, written.isEmpty() ? 0 : written.last())); },
        std::move(done));
}

namespace {

// The listener's choices kept in the reading file: what of an article is
// read, and whether each language gets a voice of its own.
struct Choice
{
    const QString &key;
    const char *name;
    bool &(*flag)(SpeechState &);
};
const Choice kChoices[] = {
    {keys::SpeakCode, "code", [](SpeechState &s) -> bool & { return s.readingChoice.code; }},
    {keys::SpeakPictures, "pictures", [](SpeechState &s) -> bool & { return s.readingChoice.pictures; }},
    {keys::SpeakAuto, "automatic", [](SpeechState &s) -> bool & { return s.automatic; }}};

void showReadingChoice(SpeechState &speech, CommandBars &commands)
{
    for (const Choice &c : kChoices)
        commands.setChecked(c.key, c.flag(speech));
}

// The blocks' texts, a block a line.
QString articleText(const QList<ReadingBlock> &blocks)
{
    QStringList lines;
    for (const ReadingBlock &block : blocks)
        lines << block.text;
    return lines.join(u'\n');
}

} // namespace

void Reading_Choice(SpeechContext &ctx, const QString &key)
{
    QStringList lines;
    for (const Choice &c : kChoices) {
        bool &on = c.flag(ctx.speech);
        if (key == c.key)
            on = !on;
        lines << QLatin1String(c.name) + QLatin1String(on ? "=yes" : "=no");
    }
    showReadingChoice(ctx.speech, ctx.commands);
    legacy::writeTextLines(legacy::resolvePath(ctx.programFolder, kReadingChoiceFile), lines,
                           QStringLiteral("Reading_Choice"));
}

void Read_ReadingChoice(const QString &programFolder, SpeechState &speech, CommandBars &commands)
{
    speech.readingChoice = {};
    speech.automatic = false;
    // A line that says neither yes nor no of a known name is passed over.
    const auto lines = legacy::readTextLines(legacy::resolvePath(programFolder, kReadingChoiceFile), 16);
    for (const QString &line : lines.value_or(QStringList())) {
        const QString name = line.section(u'=', 0, 0).trimmed(), value = line.section(u'=', 1).trimmed();
        for (const Choice &c : kChoices) {
            if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0 && (value == u"yes" || value == u"no"))
                c.flag(speech) = value == u"yes";
        }
    }
    showReadingChoice(speech, commands);
}

void Speak_Again(SpeechContext &ctx, const QString &text)
{
    if (!ctx.speech.SpeechVoice || text.isEmpty())
        return;
    ctx.speech.SpeechVoice->speak(saidText(ctx.speech, text), 1);
    ctx.speech.log.append({QTime::currentTime(), text});
}

namespace {

constexpr int kSaveSpeechCaption = 246;
constexpr int kSpeechSavedCaption = 247;
constexpr int kBusyCaption = 241; // "An export is already under way; wait for it to finish."
constexpr int kSampleRate = 22050;

} // namespace

void Save_Speech(SpeechContext &ctx, Dialogs &dialogs)
{
    if (!ctx.speech.SpeechVoice)
        return;
    const auto &C = ctx.language.Captions;
    // One file at a time, as with the exports: the user is told to wait.
    if (ctx.speech.saving) {
        ctx.status.setStatusText(C[kBusyCaption]);
        return;
    }
    BrowserView *view = ctx.tabs.view(ctx.tabs.currentTab());
    QString text = view ? view->selectedText() : QString();
    if (view && text.trimmed().isEmpty())
        text = articleText(view->keepArticle(++ctx.speech.lastScope, ctx.speech.readingChoice));
    text.replace(u'|', u' ');
    if (text.trimmed().isEmpty()) {
        dialogs.information(QStringLiteral("lorvaspeak"), C[120]);
        return;
    }
    std::optional<QString> path =
        dialogs.saveFileName(C[kSaveSpeechCaption], QStringLiteral("Speech.wav"),
                             QStringLiteral("WAV, OGG Vorbis, MP3 (*.wav *.ogg *.mp3)|*.wav;*.ogg;*.mp3"));
    if (!path || path->trimmed().isEmpty())
        return;
    // A name without one of the three endings is saved as WAV.
    const QString suffix = QFileInfo(*path).suffix().toLower();
    if (suffix != u"wav" && suffix != u"ogg" && suffix != u"mp3")
        *path += QStringLiteral(".wav");

    QString error;
    std::unique_ptr<AudioFileWriter> file = ctx.platform.openAudioFile(*path, kSampleRate, error);
    if (!file) {
        dialogs.failure(error + QStringLiteral(" Source : Save_Speech"));
        return;
    }
    QStringList sentences = sentencesOf(text);
    for (QString &sentence : sentences)
        sentence = saidText(ctx.speech, sentence);
    ctx.speech.saving = true;
    SpeechContext *c = &ctx;
    Dialogs *d = &dialogs;
    const qint64 total = sentences.size();
    ctx.speech.SpeechVoice->saveSpeech(
        sentences, std::move(file), [c, total](int done) { c->status.setProgress(int(done * 100 / total)); },
        [c, d, shown = *path](bool saved, const QString &why) {
            c->speech.saving = false;
            c->status.setProgress(0);
            if (saved)
                d->information(QStringLiteral("lorvaspeak"), c->language.Captions[kSpeechSavedCaption] + shown);
            else
                d->failure(why + QStringLiteral(" Source : Save_Speech"));
        });
}

void stopSavingSpeech(SpeechContext &ctx)
{
    if (ctx.speech.saving && ctx.speech.SpeechVoice)
        ctx.speech.SpeechVoice->cancelSaving();
    ctx.speech.saving = false;
}

int voiceForLanguage(const QList<QList<VoiceLanguage>> &voices, const QString &language, int chosen)
{
    const QString tag = language.trimmed().toLower().replace(u'_', u'-');
    if (tag.isEmpty())
        return chosen;
    const auto primary = [](const QString &code) { return code.section(u'-', 0, 0); };
    // How well a voice fits: the same code; a shorter code the tag begins
    // with ("it" for "it-it"), the longer the better; the same language in
    // another country ("en-us" for "en-au"). Then the voice's own priority.
    const auto fit = [&](int v) {
        std::tuple<int, int, int> best{0, 0, 0};
        for (const VoiceLanguage &l : voices.value(v)) {
            const int level = l.code == tag ? 3 : tag.startsWith(l.code + u'-') ? 2 : primary(l.code) == primary(tag) ? 1 : 0;
            if (level > 0)
                best = std::max(best, std::tuple<int, int, int>{level, level == 2 ? int(l.code.size()) : 0, -l.priority});
        }
        return best;
    };
    int found = -1;
    std::tuple<int, int, int> bestFit{0, 0, 0};
    for (int v = 0; v < voices.size(); ++v) {
        if (const auto f = fit(v); f > bestFit) {
            bestFit = f;
            found = v;
        }
    }
    if (found < 0)
        return chosen;
    // The user's voice speaks its own language on, whatever other voice speaks it too.
    const auto mine = fit(chosen);
    if (std::get<0>(mine) == std::get<0>(bestFit) && std::get<1>(mine) >= std::get<1>(bestFit))
        return chosen;
    return found;
}

QStringList sentenceLanguages(const QList<int> &firstWord, int words, const QList<LanguageRun> &runs)
{
    QStringList out;
    qsizetype j = 0; // the first run that may reach into the sentence
    for (qsizetype i = 0; i < firstWord.size(); ++i) {
        const int from = firstWord[i], to = i + 1 < firstWord.size() ? firstWord[i + 1] : words;
        while (j + 1 < runs.size() && runs[j + 1].firstWord <= from)
            ++j;
        QMap<QString, int> counts;
        for (qsizetype k = j; k < runs.size() && runs[k].firstWord < std::max(to, from + 1); ++k) {
            const int end = k + 1 < runs.size() ? runs[k + 1].firstWord : std::max(to, from + 1);
            counts[runs[k].language] += std::min(end, std::max(to, from + 1)) - std::max(runs[k].firstWord, from);
        }
        QString language;
        int most = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (it.value() > most) {
                most = it.value();
                language = it.key();
            }
        }
        out << language;
    }
    return out;
}

void speakIn(SpeechState &speech, const QString &language, const std::function<void()> &say)
{
    const int voice = speech.automatic && speech.chosenVoice >= 0
                          ? voiceForLanguage(speech.voiceLanguages, language, speech.chosenVoice)
                          : speech.chosenVoice;
    // A voice that hears at once hands the next sentence over from inside
    // say(): that one sets the voice it needs itself, and what follows finds
    // the chosen voice set again.
    const auto use = [&speech](int v) {
        if (speech.engineVoice != v && v >= 0) {
            speech.SpeechVoice->setVoice(v);
            speech.engineVoice = v;
        }
    };
    use(voice);
    say();
    use(speech.chosenVoice);
}

QStringList sentencesOf(const QString &text)
{
    QStringList out;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        current += text[i];
        const bool end = text[i] == u'\n' || ((text[i] == u'.' || text[i] == u'!' || text[i] == u'?') &&
                                              (i + 1 == text.size() || text[i + 1].isSpace()));
        if (end && current.size() > 1) {
            if (!current.trimmed().isEmpty())
                out << current.trimmed();
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}


namespace {

// Sentences handed to the voice ahead of the one being heard: enough that
// no gap opens between them, few enough that a long page is never made
// into sound all at once.
constexpr int kSentencesAhead = 3;
// How often at most the places are written while a page is read.
constexpr qint64 kPlacesEveryMs = 20000;

void queueSentences(SpeechContext &ctx);

// Keeps the sentence being heard as the page's place (the top is no place
// to keep), written now and then so that a crash loses little.
void notePlace(SpeechContext &ctx)
{
    const SpeechState::Reading &r = ctx.speech.reading;
    if (r.address.isEmpty() || r.current >= r.sentences.size())
        return;
    if (r.current == 0)
        forgetReadingPlace(ctx.speech.places, r.address);
    else
        keepReadingPlace(ctx.speech.places, {r.address, r.current, r.sentences[r.current]});
    ctx.speech.placesChanged = true;
    if (!ctx.speech.placesWritten.isValid() || ctx.speech.placesWritten.hasExpired(kPlacesEveryMs))
        Save_Places(ctx);
}

void readSentence(SpeechContext &ctx, int index)
{
    SpeechState::Reading &r = ctx.speech.reading;
    BrowserView *view = ctx.tabs.view(r.view);
    const int scope = r.scope, first = r.firstWord.value(index), last = int(r.sentences.size()) - 1, run = r.run;
    SpeechContext *c = &ctx;
    speakIn(ctx.speech, r.languages.value(index), [&] {
        speakPronounced(
            ctx.speech, r.sentences[index],
            [c, view, scope, first, index, run](int word) {
                if (c->speech.reading.run != run)
                    return;
                c->speech.reading.current = index;
                if (word == 0)
                    notePlace(*c);
                if (view)
                    view->highlightWord(scope, first + word);
            },
            [c, view, index, last, run] {
                SpeechState::Reading &r = c->speech.reading;
                if (r.run != run || !r.active)
                    return;
                --r.queued;
                if (index == last) {
                    // Read to the end: the next reading starts at the top.
                    r.active = false;
                    forgetReadingPlace(c->speech.places, r.address);
                    c->speech.placesChanged = true;
                    Save_Places(*c);
                    if (view)
                        view->clearHighlight();
                    return;
                }
                queueSentences(*c);
            });
    });
}

// Hands the voice the next sentences, up to a few ahead of what is heard.
void queueSentences(SpeechContext &ctx)
{
    SpeechState::Reading &r = ctx.speech.reading;
    const int run = r.run;
    // A voice that hears at once ends a sentence inside readSentence(),
    // which queues the next one from there: counted before, so that every
    // sentence is handed over once and in order.
    while (r.active && r.run == run && r.queued < kSentencesAhead && r.next < r.sentences.size()) {
        ++r.queued;
        readSentence(ctx, r.next++);
    }
}

void readFrom(SpeechContext &ctx, int index)
{
    SpeechState::Reading &r = ctx.speech.reading;
    r.current = index;
    r.next = index;
    r.queued = 0;
    ++r.run;
    r.active = true;
    queueSentences(ctx);
}

} // namespace

void Read_Page(SpeechContext &ctx) { Read_PageFrom(ctx, ctx.tabs.currentTab(), QPoint(-1, -1)); }

void Read_PageFrom(SpeechContext &ctx, int index, QPoint point)
{
    if (!ctx.speech.SpeechVoice)
        return;
    BrowserView *view = ctx.tabs.view(index);
    if (!view)
        return;
    // The page keeps the article's words for the highlight, numbered as
    // its text's words are.
    const int scope = ++ctx.speech.lastScope;
    const QList<ReadingBlock> blocks = view->keepArticle(scope, ctx.speech.readingChoice);
    const int fromWord = point.x() >= 0 ? view->firstWordAt(scope, point) : -1;
    if (!ctx.speech.placesRead) {
        ctx.speech.places = readReadingPlaces(ctx.programFolder);
        ctx.speech.placesRead = true;
    }
    SpeechState::Reading &r = ctx.speech.reading;
    ctx.speech.SpeechVoice->stop();
    const int run = r.run;
    r = {};
    r.run = run;
    r.view = index;
    r.scope = scope;
    int words = 0;
    for (const ReadingBlock &block : blocks) {
        for (const QString &sentence : sentencesOf(block.text)) {
            r.sentences << sentence;
            r.firstWord << words;
            // Each sentence in the voice of its block's language.
            if (ctx.speech.automatic)
                r.languages << block.language;
            words += wordCount(sentence);
        }
    }
    if (r.sentences.isEmpty())
        return;
    // A page is the same page whichever of its places the address points to.
    r.address = QUrl(view->LocationURL()).adjusted(QUrl::RemoveFragment).toString();
    ctx.speech.log.append({QTime::currentTime(), articleText(blocks).simplified()});
    // The sentence holding the paragraph's first word; from the top, where
    // the last reading of the page stopped.
    const ReadingPlace *place = readingPlaceOf(ctx.speech.places, r.address);
    int start = fromWord < 0 && place ? resumeSentence(r.sentences, *place) : 0;
    for (int i = 0; fromWord >= 0 && i < r.sentences.size(); ++i) {
        if (r.firstWord[i] <= fromWord)
            start = i;
    }
    readFrom(ctx, start);
}

void Save_Places(SpeechContext &ctx)
{
    SpeechState &speech = ctx.speech;
    if (!speech.placesChanged)
        return;
    speech.placesChanged = false;
    speech.placesWritten.start();
    try {
        saveReadingPlaces(ctx.programFolder, speech.places);
    } catch (const AppError &error) {
        // The reading goes on; only its place may be lost.
        ctx.status.setStatusText(error.message());
    }
}

void Read_Step(SpeechContext &ctx, int step)
{
    SpeechState::Reading &r = ctx.speech.reading;
    if (!r.active || !ctx.speech.SpeechVoice)
        return;
    const int to = qBound(0, r.current + step, int(r.sentences.size()) - 1);
    ctx.speech.SpeechVoice->stop();
    readFrom(ctx, to);
}

} // namespace lorva
