#include "speech/Speech.h"

#include "app/AppContext.h"
#include "app/MainWindowPort.h"
#include "commands/Dispatcher.h"
#include "config/LegacyText.h"

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

void GO_Talk(AppContext &ctx, MainWindowPort &window, CommandTarget &target)
{
    target.execWB(kCopy);
    target.execWB(kUnselect);
    window.wait(200);
    QString text = window.clipboardText();
    if (!text.isEmpty() && ctx.SpeechVoice) {
        text.replace(u'|', u' ');
        ctx.SpeechVoice->setOutputFormat(kFormat22kHz16BitMono);
        ctx.SpeechVoice->speak(text, kAsync);
    }
    window.clearClipboard();
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
        window.clearClipboard();
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

void Timer6_Timer(AppContext &ctx, MainWindowPort &window, CommandTarget &target)
{
    if (window.leftButtonDownOrPressed()) {
        ctx.speech.mouseWatch = 1;
    } else if (ctx.speech.mouseWatch == 1) {
        ctx.speech.mouseWatch = 0;
        GO_Talk(ctx, window, target);
    }
}

} // namespace lorva
