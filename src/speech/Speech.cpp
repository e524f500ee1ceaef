#include "speech/Speech.h"

#include "app/AppContext.h"
#include "app/MainWindowPort.h"
#include "config/LegacyText.h"

#include <QScopeGuard>

namespace lorva {

namespace {

constexpr int kCopy = 12;
constexpr int kUnselect = 18;
constexpr int kFormat22kHz16BitMono = 22;
constexpr int kAsync = 1;

} // namespace

void Fill_List1(AppContext &ctx)
{
    ctx.speech.List1 = ctx.SpeechVoice ? ctx.SpeechVoice->voiceDescriptions() : QStringList();
}

void GO_Talk(AppContext &ctx, MainWindowPort &window)
{
    SpeechState &speech = ctx.speech;
    if (speech.talking) {
        // A selection ended during the wait below: it is read after this one.
        speech.talkAgain = true;
        return;
    }
    speech.talking = true;
    const ClipboardContent saved = window.clipboardContent();
    // Whatever happens, the user's clipboard comes back and speech goes on working.
    const auto done = qScopeGuard([&] {
        speech.talking = false;
        speech.talkAgain = false;
        window.setClipboardContent(saved);
    });
    do {
        speech.talkAgain = false;
        // Empty first, so that copying an empty selection gives nothing to
        // read rather than what the user had copied.
        window.clearClipboard();
        const int tab = window.currentTab();
        window.pageCommand(tab, kCopy);
        window.pageCommand(tab, kUnselect);
        window.wait(200);
        QString text = window.clipboardText();
        if (!text.isEmpty() && ctx.SpeechVoice) {
            text.replace(u'|', u' ');
            ctx.SpeechVoice->setOutputFormat(kFormat22kHz16BitMono);
            ctx.SpeechVoice->speak(text, kAsync);
        }
    } while (speech.talkAgain);
}

void GO_VoiceOpen(AppContext &ctx, MainWindowPort &window)
{
    if (ctx.SpeechVoice) {
        ctx.SpeechVoice->setOutputFormat(kFormat22kHz16BitMono);
        ctx.SpeechVoice->speak(ctx.language.Captions[164], kAsync);
        // Without a sound device the program goes on; the user is told once.
        if (!ctx.SpeechVoice->audioAvailable() && !ctx.speech.noAudioReported) {
            ctx.speech.noAudioReported = true;
            window.setStatusText(ctx.language.Captions[231]);
        }
    }
    ctx.commands.setEnabled(QStringLiteral("SPEAK"), true);
}

void Voice_Click(AppContext &ctx, MainWindowPort &window, const QString &key)
{
    const CommandEntry *entry = ctx.commands.entry(key);
    if (!entry)
        return;
    const QString caption = entry->caption;
    SpeechState &speech = ctx.speech;

    if (caption != speech.ActiveVoiceCaption) {
        ctx.commands.setChecked(key, true);
        speech.SelectedVoiceName = legacy::trimSpaces(caption.mid(caption.indexOf(u':') + 2));
        const qsizetype k = speech.List1.indexOf(speech.SelectedVoiceName);
        if (k >= 0 && ctx.SpeechVoice)
            ctx.SpeechVoice->setVoice(int(k));
        GO_VoiceOpen(ctx, window);
        // The clipboard is not emptied here: GO_Talk no longer needs it
        // empty, and it holds what the user copied.
        window.setTimerEnabled(MainTimer::Timer6, true);
        speech.ActiveVoiceCaption = caption;
        window.setTimebarPicture(kSpeechOnPicture);
    } else {
        ctx.commands.setChecked(key, false);
        window.setTimerEnabled(MainTimer::Timer6, false);
        speech.ActiveVoiceCaption.clear();
        ctx.commands.setEnabled(QStringLiteral("SPEAK"), false);
        window.setTimebarPicture(kSpeechOffPicture);
    }
}

void Timer6_Timer(AppContext &ctx, MainWindowPort &window)
{
    if (window.leftButtonDownOrPressed()) {
        ctx.speech.mouseWatch = 1;
    } else if (ctx.speech.mouseWatch == 1) {
        ctx.speech.mouseWatch = 0;
        GO_Talk(ctx, window);
    }
}

void Web_LeftButtonUp(AppContext &ctx, MainWindowPort &window, int index)
{
    if (ctx.speech.ActiveVoiceCaption.isEmpty() || index != window.currentTab())
        return;
    // The watch would read this selection a second time a tick later.
    ctx.speech.mouseWatch = 0;
    window.forgetLeftPress();
    GO_Talk(ctx, window);
}

} // namespace lorva
