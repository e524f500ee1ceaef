#include "app/AppContext.h"
#include "commands/Dispatcher.h"
#include "commands/MakeMenus.h"
#include "fakes/FakeMainWindow.h"
#include "speech/Speech.h"

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::FakeCommandTarget;
using lorva::test::FakeMainWindow;
using lorva::test::FakeSpeech;

namespace {

struct Speaking
{
    AppContext ctx{QStringLiteral("/nowhere")};
    FakeMainWindow window;
    FakeCommandTarget target;
    Dispatcher dispatcher{ctx, window, target};
    QString selection; // what the page has selected

    explicit Speaking(const QStringList &voices = {"Afrikaans", "English (Great Britain)", "Italian", "German",
                                                   "French (France)"})
    {
        window.voices = voices;
        ctx.SpeechVoice = window.createSpeech();
        ctx.language.Captions[164] = QStringLiteral("Hello, I will read.");
        ctx.language.Captions[231] = QStringLiteral("No sound.");
        ctx.menus = Make_Menus(ctx.commands, window.images, {}, voices, 6000, nullptr);
        Make_Toolbars(ctx.commands, ctx.menus);
        ctx.commands.setEnabled("SPEAK", false);
        Fill_List1(ctx);
        // The page's copy command puts the selection on the clipboard.
        target.onExecWB = [this](int command) {
            if (command == 12)
                window.clipboard = selection;
            if (command == 18)
                selection.clear();
        };
    }

    // A click on a voice entry as the menu delivers it.
    void clickVoice(int n)
    {
        const QString key = QStringLiteral("TTS:%1VOICE").arg(n);
        ctx.commands.clickEntry(key, "TTS");
        dispatcher.click(3, key);
    }
};

} // namespace

TEST(GoTalk, CopiesClearsWaitsSpeaksAndEmptiesTheClipboard)
{
    Speaking s;
    s.selection = "Left | right";
    s.window.clipboard = "what the user had";
    GO_Talk(s.ctx, s.window, s.target);

    EXPECT_EQ(s.target.calls, QStringList({"execWB 12", "execWB 18"}));
    EXPECT_EQ(s.window.waitedMs, 200);
    EXPECT_EQ(s.window.speechLog, QStringList({"format 22", "speak 1 Left   right"}));
    EXPECT_EQ(s.window.clipboard, QString());
    EXPECT_TRUE(s.window.calls.contains("clearClipboard"));
    EXPECT_EQ(s.selection, QString()); // the selection in the page is gone
}

TEST(GoTalk, NothingSelectedSpeaksNothingAndStillClearsTheClipboard)
{
    Speaking s;
    s.window.clipboard = "stale";
    s.target.onExecWB = [&](int command) {
        if (command == 12)
            s.window.clipboard.clear(); // copying an empty selection empties the clipboard
    };
    GO_Talk(s.ctx, s.window, s.target);
    EXPECT_TRUE(s.window.speechLog.isEmpty());
    EXPECT_TRUE(s.window.calls.contains("clearClipboard"));

    // "SPEAK" with text already on the clipboard speaks that text.
    Speaking t;
    t.target.onExecWB = nullptr;
    t.window.clipboard = "Already there";
    t.dispatcher.click(0, "SPEAK");
    EXPECT_EQ(t.window.speechLog, QStringList({"format 22", "speak 1 Already there"}));
    EXPECT_EQ(t.window.clipboard, QString());
}

TEST(VoiceEntries, OnAndOffAgain)
{
    Speaking s;
    s.window.clipboard = "lost when speech starts";
    s.clickVoice(2);

    EXPECT_EQ(s.window.speechLog, QStringList({"voice 1", "format 22", "speak 1 Hello, I will read."}));
    EXPECT_TRUE(s.ctx.commands.entry("TTS:2VOICE")->checked);
    EXPECT_TRUE(s.ctx.commands.entry("SPEAK")->enabled);
    EXPECT_TRUE(s.window.timers[MainTimer::Timer6].enabled);
    EXPECT_EQ(s.window.timebarPicture, 96);
    EXPECT_EQ(s.window.clipboard, QString());
    EXPECT_EQ(s.ctx.speech.ActiveVoiceCaption, QStringLiteral("Voice: English (Great Britain)"));
    EXPECT_EQ(s.ctx.speech.SelectedVoiceName, QStringLiteral("English (Great Britain)"));
    EXPECT_EQ(s.window.statusText, QString());

    // Another voice while on: chosen the same way, the first one unchecked.
    s.window.speechLog.clear();
    s.clickVoice(4);
    EXPECT_EQ(s.window.speechLog.first(), QStringLiteral("voice 3"));
    EXPECT_FALSE(s.ctx.commands.entry("TTS:2VOICE")->checked);
    EXPECT_TRUE(s.ctx.commands.entry("TTS:4VOICE")->checked);

    // The active voice again: speech mode off, nothing more spoken.
    s.window.speechLog.clear();
    s.clickVoice(4);
    EXPECT_TRUE(s.window.speechLog.isEmpty());
    EXPECT_FALSE(s.ctx.commands.entry("TTS:4VOICE")->checked);
    EXPECT_FALSE(s.ctx.commands.entry("SPEAK")->enabled);
    EXPECT_FALSE(s.window.timers[MainTimer::Timer6].enabled);
    EXPECT_EQ(s.window.timebarPicture, 132);
    EXPECT_EQ(s.ctx.speech.ActiveVoiceCaption, QString());
    EXPECT_EQ(s.ctx.speech.SelectedVoiceName, QStringLiteral("German"));
}

TEST(VoiceEntries, ADescriptionListedTwiceSelectsTheFirst)
{
    Speaking s({"Alpha", "Beta", "Alpha"});
    s.clickVoice(3);
    EXPECT_EQ(s.window.speechLog.first(), QStringLiteral("voice 0"));
}

TEST(VoiceEntries, AMissingSoundDeviceIsReportedOnce)
{
    Speaking s;
    s.window.audioAvailable = false;
    s.ctx.SpeechVoice = s.window.createSpeech();
    s.clickVoice(1);
    EXPECT_EQ(s.window.statusText, QStringLiteral("No sound."));
    s.window.statusText = "A page title";
    s.clickVoice(1);
    s.clickVoice(2);
    EXPECT_EQ(s.window.statusText, QStringLiteral("A page title"));
    // Speaking goes on regardless.
    EXPECT_TRUE(s.window.speechLog.contains("speak 1 Hello, I will read."));
}

TEST(SpeechWatch, SpeaksOnceOneTickAfterTheButtonIsUpAgain)
{
    Speaking s;
    s.clickVoice(2);
    s.window.speechLog.clear();
    s.selection = "Selected words";

    Timer6_Timer(s.ctx, s.window, s.target); // nothing pressed
    EXPECT_TRUE(s.target.calls.isEmpty());

    s.window.leftDown = true;
    Timer6_Timer(s.ctx, s.window, s.target); // seen down
    Timer6_Timer(s.ctx, s.window, s.target); // still down
    EXPECT_TRUE(s.target.calls.isEmpty());

    s.window.leftDown = false;
    Timer6_Timer(s.ctx, s.window, s.target); // up again: spoken
    EXPECT_EQ(s.window.speechLog, QStringList({"format 22", "speak 1 Selected words"}));
    Timer6_Timer(s.ctx, s.window, s.target); // and only once
    EXPECT_EQ(s.target.calls.count("execWB 12"), 1);
}
