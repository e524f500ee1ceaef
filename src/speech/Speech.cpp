#include "speech/Speech.h"

#include "browser/MainWindowPorts.h"
#include "commands/CommandBars.h"
#include "commands/CommandKeys.h"
#include "commands/Dispatcher.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "platform/BrowserView.h"
#include "platform/Platform.h"
#include "windows/frmSpeechLog.h"

#include <QScopeGuard>

#include <algorithm>

namespace lorva {

namespace {

constexpr int kFormat22kHz16BitMono = 22;
constexpr int kAsync = 1;

} // namespace

void Fill_List1(SpeechState &speech)
{
    speech.List1 = speech.SpeechVoice ? speech.SpeechVoice->voiceDescriptions() : QStringList();
    speech.voiceLanguages = speech.SpeechVoice ? speech.SpeechVoice->voiceLanguages() : QList<QList<VoiceLanguage>>();
}

void Voice_Automatic(SpeechContext &ctx) { Reading_Choice(ctx, keys::SpeakAuto); }

QList<QList<int>> voiceMenuGroups(const QStringList &descriptions, const QString &languageName)
{
    const auto languageOf = [](const QString &description) {
        return description.left(description.indexOf(u'(')).trimmed();
    };
    // Where a language's group goes: English, the program's language, the rest.
    const auto rank = [&](const QString &language) {
        if (language.compare(u"English", Qt::CaseInsensitive) == 0)
            return 0;
        return language.compare(languageName, Qt::CaseInsensitive) == 0 ? 1 : 2;
    };
    QList<int> order;
    for (int n = 1; n <= descriptions.size(); ++n)
        order << n;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const QString &da = descriptions[a - 1], &db = descriptions[b - 1];
        const QString la = languageOf(da), lb = languageOf(db);
        if (rank(la) != rank(lb))
            return rank(la) < rank(lb);
        if (const int byLanguage = la.compare(lb, Qt::CaseInsensitive))
            return byLanguage < 0;
        return da.compare(db, Qt::CaseInsensitive) < 0;
    });
    QList<QList<int>> groups;
    QString last;
    for (int n : order) {
        const QString language = languageOf(descriptions[n - 1]);
        if (groups.isEmpty() || language.compare(last, Qt::CaseInsensitive) != 0)
            groups.append(QList<int>());
        groups.last() << n;
        last = language;
    }
    return groups;
}

void GO_Talk(SpeechContext &ctx)
{
    SpeechState &speech = ctx.speech;
    if (speech.talking) {
        // A selection ended during the wait below: it is read after this one.
        speech.talkAgain = true;
        return;
    }
    speech.talking = true;
    const ClipboardContent saved = ctx.platform.clipboard->content();
    // Whatever happens, the user's clipboard comes back and speech goes on working.
    const auto done = qScopeGuard([&] {
        speech.talking = false;
        speech.talkAgain = false;
        ctx.platform.clipboard->setContent(saved);
    });
    do {
        speech.talkAgain = false;
        // Empty first, so that copying an empty selection gives nothing to
        // read rather than what the user had copied.
        ctx.platform.clipboard->clear();
        BrowserView *view = ctx.tabs.view(ctx.tabs.currentTab());
        // The page keeps the selection's range: its words are lit as spoken.
        const int scope = ++speech.lastScope;
        QList<LanguageRun> languages;
        if (view) {
            view->keepSelection(scope);
            if (speech.automatic)
                languages = view->languageRuns(scope);
            view->ExecWB(PageCommand::Copy);
            view->ExecWB(PageCommand::Unselect);
        }
        ctx.platform.waits->wait(200);
        QString text = ctx.platform.clipboard->text();
        if (!text.isEmpty() && ctx.speech.SpeechVoice) {
            text.replace(u'|', u' ');
            ctx.speech.SpeechVoice->setOutputFormat(kFormat22kHz16BitMono);
            speakIn(speech, sentenceLanguages({0}, wordCount(text), languages).value(0), [&] {
                speakPronounced(
                    ctx.speech, text, [view, scope](int word) { if (view) view->highlightWord(scope, word); },
                    [view] { if (view) view->clearHighlight(); });
            });
            speech.log.append({QTime::currentTime(), text});
        }
    } while (speech.talkAgain);
}

void GO_VoiceOpen(SpeechContext &ctx)
{
    if (ctx.speech.SpeechVoice) {
        ctx.speech.SpeechVoice->setOutputFormat(kFormat22kHz16BitMono);
        ctx.speech.SpeechVoice->speak(ctx.language.Captions[164], kAsync);
        // Without a sound device the program goes on; the user is told once.
        if (!ctx.speech.SpeechVoice->audioAvailable() && !ctx.speech.noAudioReported) {
            ctx.speech.noAudioReported = true;
            ctx.status.setStatusText(ctx.language.Captions[231]);
        }
    }
    ctx.commands.setEnabled(keys::Speak, true);
}

void Voice_Click(SpeechContext &ctx, const QString &key)
{
    const CommandEntry *entry = ctx.commands.entry(key);
    if (!entry)
        return;
    const QString caption = entry->caption;
    SpeechState &speech = ctx.speech;

    if (caption != speech.ActiveVoiceCaption) {
        // One voice is on, whichever group of the menu it is in.
        for (const QString &other : ctx.commands.bar(keys::Tts)) {
            if (other.startsWith(keys::VoicePrefix))
                ctx.commands.setChecked(other, other == key);
        }
        speech.SelectedVoiceName = legacy::trimSpaces(caption.mid(caption.indexOf(u':') + 2));
        const qsizetype k = speech.List1.indexOf(speech.SelectedVoiceName);
        speech.chosenVoice = int(k);
        if (k >= 0 && ctx.speech.SpeechVoice) {
            ctx.speech.SpeechVoice->setVoice(int(k));
            speech.engineVoice = int(k);
        }
        GO_VoiceOpen(ctx);
        // The clipboard is not emptied here: GO_Talk no longer needs it
        // empty, and it holds what the user copied.
        ctx.timers.setTimerEnabled(MainTimer::Timer6, true);
        speech.ActiveVoiceCaption = caption;
        ctx.status.setTimebarPicture(kSpeechOnPicture);
    } else {
        // Leaving speech mode also silences what is still being spoken.
        Speech_Stop(ctx);
        ctx.commands.setChecked(key, false);
        ctx.timers.setTimerEnabled(MainTimer::Timer6, false);
        speech.ActiveVoiceCaption.clear();
        ctx.commands.setEnabled(keys::Speak, false);
        ctx.status.setTimebarPicture(kSpeechOffPicture);
    }
}

void Timer6_Timer(SpeechContext &ctx)
{
    if (ctx.platform.pointer->leftButtonDownOrPressed()) {
        ctx.speech.mouseWatch = 1;
    } else if (ctx.speech.mouseWatch == 1) {
        ctx.speech.mouseWatch = 0;
        GO_Talk(ctx);
    }
}

void Web_LeftButtonUp(SpeechContext &ctx, int index)
{
    if (ctx.speech.ActiveVoiceCaption.isEmpty() || index != ctx.tabs.currentTab())
        return;
    // The watch would read this selection a second time a tick later.
    ctx.speech.mouseWatch = 0;
    ctx.platform.pointer->forgetLeftPress();
    GO_Talk(ctx);
}

void Show_SpeechLog(SpeechContext &ctx, const ShowModal &showModal)
{
    QList<frmSpeechLog::Line> lines;
    for (const SpeechState::Spoken &spoken : ctx.speech.log)
        lines.append({spoken.time, spoken.text});
    showModal(new frmSpeechLog(ctx.language.Captions[222], lines,
                               [&ctx](const QString &text) { Speak_Again(ctx, text); }));
}

void addSpeechRows(Dispatcher &dispatcher, SpeechContext &ctx, ShowModal showModal)
{
    dispatcher.setRow(elements::StartTools, keys::Speak, [&ctx](const QString &) { GO_Talk(ctx); });
    dispatcher.setPrefixRow(elements::StartMenus, keys::VoicePrefix,
                            [&ctx](const QString &key) { Voice_Click(ctx, key); });
    dispatcher.setRow(elements::StartMenus, keys::SpeakStop, [&ctx](const QString &) { Speech_Stop(ctx); });
    dispatcher.setRow(elements::StartMenus, keys::SpeakRead, [&ctx](const QString &) { Read_Page(ctx); });
    dispatcher.setRow(elements::StartMenus, keys::SpeakNext, [&ctx](const QString &) { Read_Step(ctx, 1); });
    dispatcher.setRow(elements::StartMenus, keys::SpeakPrev, [&ctx](const QString &) { Read_Step(ctx, -1); });
    dispatcher.setRow(elements::StartMenus, keys::SpeakPause,
                      [&ctx](const QString &) { Speech_Pause(ctx); });
    for (const QString &key : {keys::SpeakTre, keys::SpeakSei, keys::SpeakDodici})
        dispatcher.setRow(elements::StartMenus, key, [&ctx](const QString &k) { Speech_Rate(ctx, k); });
    dispatcher.setRow(elements::StartMenus, keys::SpeakAuto, [&ctx](const QString &) { Voice_Automatic(ctx); });
    dispatcher.setRow(elements::StartMenus, keys::SpeakSave, [&ctx](const QString &) { Save_Speech(ctx, ctx.dialogs); });
    dispatcher.setRow(elements::StartMenus, keys::SpeakPronunciation,
                      [&ctx, showModal](const QString &) { Show_Pronunciation(ctx, showModal); });
    for (const QString &key : {keys::SpeakCode, keys::SpeakPictures})
        dispatcher.setRow(elements::StartMenus, key, [&ctx](const QString &k) { Reading_Choice(ctx, k); });
    dispatcher.setRow(elements::StartMenus, keys::SpeakLog,
                      [&ctx, showModal = std::move(showModal)](const QString &) { Show_SpeechLog(ctx, showModal); });
}

} // namespace lorva
