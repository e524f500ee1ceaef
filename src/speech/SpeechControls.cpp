// Steering speech: stop, pause and resume, the rate and its file, and the
// speech log's lines spoken again.
#include "commands/CommandBars.h"
#include "config/AppError.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "speech/Speech.h"

#include "browser/MainWindowPorts.h"

namespace lorva {

namespace {

constexpr int kPauseCaption = 244;
constexpr int kResumeCaption = 245;

struct Rate
{
    const char *key;
    int wordsPerMinute;
};
constexpr Rate kRates[] = {{"SPEAK:TRE", kSlowRate}, {"SPEAK:SEI", kNormalRate}, {"SPEAK:DODICI", kFastRate}};

void showRate(SpeechState &speech, CommandBars &commands, int wordsPerMinute)
{
    speech.rate = wordsPerMinute;
    for (const Rate &r : kRates)
        commands.setChecked(QLatin1String(r.key), r.wordsPerMinute == wordsPerMinute);
    if (speech.SpeechVoice)
        speech.SpeechVoice->setRate(wordsPerMinute);
}

void setPaused(SpeechContext &ctx, bool paused)
{
    ctx.speech.paused = paused;
    ctx.commands.setCaption(QStringLiteral("SPEAK:PAUSE"),
                            ctx.language.Captions[paused ? kResumeCaption : kPauseCaption]);
}

} // namespace

void Speech_Stop(SpeechContext &ctx)
{
    if (!ctx.speech.SpeechVoice)
        return;
    ctx.speech.SpeechVoice->stop();
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
        if (key == QLatin1String(r.key)) {
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

void Speak_Again(SpeechContext &ctx, const QString &text)
{
    if (!ctx.speech.SpeechVoice || text.isEmpty())
        return;
    ctx.speech.SpeechVoice->speak(text, 1);
    ctx.speech.log.append({QTime::currentTime(), text});
}

} // namespace lorva
