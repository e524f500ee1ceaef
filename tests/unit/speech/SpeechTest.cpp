#include "commands/CommandKeys.h"
#include "commands/MakeMenus.h"
#include "fakes/FakeProgram.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::FakeProgram;

namespace {

struct Speaking : FakeProgram
{
    QString selection; // what the page has selected

    explicit Speaking(const QStringList &voices = {"Afrikaans", "English (Great Britain)", "Italian", "German",
                                                   "French (France)"})
    {
        platform.voices = voices;
        ctx.speech.SpeechVoice = platform.createSpeech();
        ctx.language.Captions[164] = QStringLiteral("Hello, I will read.");
        ctx.language.Captions[231] = QStringLiteral("No sound.");
        ctx.menus = Make_Menus(ctx.commands, ctx.images, {}, voices, 6000);
        ctx.menus.VoiceGroups = voiceMenuGroups(voices, QStringLiteral("italian"));
        Make_Toolbars(ctx.commands, ctx.menus);
        ctx.commands.setEnabled(keys::Speak, false);
        Fill_List1(ctx.speech);
        addSpeechRows(ctx.dispatcher, speech, showModal);
        // The page's copy command puts the selection on the clipboard.
        window.views[0].onPageCommand = [this](int command) {
            if (command == 12 && !selection.isEmpty())
                platform.fakeClipboard.plain = selection;
            if (command == 18)
                selection.clear();
        };
    }

    // A click on a voice entry as the menu delivers it.
    void clickVoice(int n)
    {
        const QString key = keys::voice(n);
        ctx.commands.clickEntry(key, keys::Tts);
        ctx.dispatcher.click(elements::StartMenus, key);
    }
};

} // namespace

TEST(GoTalk, CopiesWaitsSpeaksAndGivesTheClipboardBack)
{
    Speaking s;
    s.selection = "Left | right";
    s.platform.fakeClipboard.plain = "what the user had";
    s.platform.fakeClipboard.html = "<b>what the user had</b>";
    GO_Talk(s.speech);

    // Copied and cleared in the page, without moving the keyboard focus.
    // The page keeps the selection's range; each word is lit as it is heard.
    EXPECT_EQ(s.window.calls, QStringList({"clearClipboard", "keepSelection 1", "page 0 12", "page 0 18",
                                           "highlight 1 0", "highlight 1 1", "clearHighlight", "setClipboard"}));
    EXPECT_EQ(s.platform.fakeWaits.waitedMs, 200);
    EXPECT_EQ(s.platform.speechLog, QStringList({"format 22", "speakTracked Left   right"}));
    EXPECT_EQ(s.platform.fakeClipboard.plain, QStringLiteral("what the user had"));
    EXPECT_EQ(s.platform.fakeClipboard.html, QStringLiteral("<b>what the user had</b>"));
    EXPECT_EQ(s.selection, QString()); // the selection in the page is gone
}

TEST(GoTalk, NothingSelectedSpeaksNothingNotEvenTheClipboard)
{
    Speaking s;
    s.platform.fakeClipboard.plain = "copied earlier";
    GO_Talk(s.speech);
    EXPECT_TRUE(s.platform.speechLog.isEmpty());
    EXPECT_EQ(s.platform.fakeClipboard.plain, QStringLiteral("copied earlier"));

    s.ctx.dispatcher.click(elements::StartTools, keys::Speak);
    EXPECT_TRUE(s.platform.speechLog.isEmpty());
    EXPECT_EQ(s.platform.fakeClipboard.plain, QStringLiteral("copied earlier"));
}

TEST(GoTalk, ASelectionEndedDuringTheWaitIsReadNextInOrder)
{
    Speaking s;
    s.selection = "First sentence.";
    bool second = false;
    s.platform.fakeWaits.onWait = [&] {
        if (second)
            return;
        second = true;
        // The user ends another selection while the first is being copied.
        s.selection = "Second sentence.";
        GO_Talk(s.speech);
    };
    s.platform.fakeClipboard.plain = "kept";
    GO_Talk(s.speech);
    EXPECT_EQ(s.platform.speechLog,
              QStringList({"format 22", "speakTracked First sentence.", "format 22", "speakTracked Second sentence."}));
    EXPECT_EQ(s.window.calls.count("page 0 12"), 2);
    EXPECT_EQ(s.platform.fakeClipboard.plain, QStringLiteral("kept"));
    EXPECT_FALSE(s.ctx.speech.talking);
}

TEST(VoiceEntries, OnAndOffAgain)
{
    Speaking s;
    s.platform.fakeClipboard.plain = "kept when speech starts";
    s.clickVoice(2);

    EXPECT_EQ(s.platform.speechLog, QStringList({"voice 1", "format 22", "speak 1 Hello, I will read."}));
    EXPECT_TRUE(s.ctx.commands.entry(keys::voice(2))->checked);
    EXPECT_TRUE(s.ctx.commands.entry(keys::Speak)->enabled);
    EXPECT_TRUE(s.window.timers[MainTimer::Timer6].enabled);
    EXPECT_EQ(s.window.timebarPicture, 96);
    EXPECT_EQ(s.platform.fakeClipboard.plain, QStringLiteral("kept when speech starts"));
    EXPECT_EQ(s.ctx.speech.ActiveVoiceCaption, QStringLiteral("Voice: English (Great Britain)"));
    EXPECT_EQ(s.ctx.speech.SelectedVoiceName, QStringLiteral("English (Great Britain)"));
    EXPECT_EQ(s.window.statusText, QString());

    // Another voice while on (in another language's group of the menu):
    // chosen the same way, the first one unchecked.
    s.platform.speechLog.clear();
    s.clickVoice(4);
    EXPECT_EQ(s.platform.speechLog.first(), QStringLiteral("voice 3"));
    EXPECT_FALSE(s.ctx.commands.entry(keys::voice(2))->checked);
    EXPECT_TRUE(s.ctx.commands.entry(keys::voice(4))->checked);

    // The active voice again: speech mode off, silenced, nothing more spoken.
    s.platform.speechLog.clear();
    s.clickVoice(4);
    EXPECT_EQ(s.platform.speechLog, QStringList({"stop"}));
    EXPECT_FALSE(s.ctx.commands.entry(keys::voice(4))->checked);
    EXPECT_FALSE(s.ctx.commands.entry(keys::Speak)->enabled);
    EXPECT_FALSE(s.window.timers[MainTimer::Timer6].enabled);
    EXPECT_EQ(s.window.timebarPicture, 132);
    EXPECT_EQ(s.ctx.speech.ActiveVoiceCaption, QString());
    EXPECT_EQ(s.ctx.speech.SelectedVoiceName, QStringLiteral("German"));
}

TEST(VoiceEntries, TheMenuGroupsThemByLanguageEnglishAndTheProgramsLanguageFirst)
{
    Speaking s({"Italian", "german", "English (Great Britain)", "Afrikaans", "English (America)", "German (Swiss)"});
    const QStringList bar = s.ctx.commands.bar(keys::Tts);
    const QString gap = keys::SpeakVoicesSeparator;
    // After the steering entries, "automatic" on its own, then the voices.
    EXPECT_EQ(bar.mid(bar.indexOf(gap) + 1),
              QStringList({keys::SpeakAuto, gap, keys::voice(5), keys::voice(3), gap, keys::voice(1), gap, keys::voice(4), gap,
                           keys::voice(2), keys::voice(6)}));
}

TEST(VoiceEntries, ADescriptionListedTwiceSelectsTheFirst)
{
    Speaking s({"Alpha", "Beta", "Alpha"});
    s.clickVoice(3);
    EXPECT_EQ(s.platform.speechLog.first(), QStringLiteral("voice 0"));
}

TEST(VoiceEntries, AMissingSoundDeviceIsReportedOnce)
{
    Speaking s;
    s.platform.audioAvailable = false;
    s.ctx.speech.SpeechVoice = s.platform.createSpeech();
    s.clickVoice(1);
    EXPECT_EQ(s.window.statusText, QStringLiteral("No sound."));
    s.window.statusText = "A page title";
    s.clickVoice(1);
    s.clickVoice(2);
    EXPECT_EQ(s.window.statusText, QStringLiteral("A page title"));
    // Speaking goes on regardless.
    EXPECT_TRUE(s.platform.speechLog.contains("speak 1 Hello, I will read."));
}

TEST(SpeechWatch, SpeaksOnceOneTickAfterTheButtonIsUpAgain)
{
    Speaking s;
    s.clickVoice(2);
    s.platform.speechLog.clear();
    s.selection = "Selected words";

    Timer6_Timer(s.speech); // nothing pressed
    EXPECT_FALSE(s.window.calls.contains("page 0 12"));

    s.platform.fakePointer.leftDown = true;
    Timer6_Timer(s.speech); // seen down
    Timer6_Timer(s.speech); // still down
    EXPECT_FALSE(s.window.calls.contains("page 0 12"));

    s.platform.fakePointer.leftDown = false;
    Timer6_Timer(s.speech); // up again: spoken
    EXPECT_EQ(s.platform.speechLog, QStringList({"format 22", "speakTracked Selected words"}));
    Timer6_Timer(s.speech); // and only once
    EXPECT_EQ(s.window.calls.count("page 0 12"), 1);
}

TEST(SpeechWatch, AReleaseInThePageSpeaksAtOnceAndTheWatchForgetsThatPress)
{
    Speaking s;
    Web_LeftButtonUp(s.speech, 0); // speech mode off: nothing
    EXPECT_FALSE(s.window.calls.contains("page 0 12"));

    s.clickVoice(2);
    s.platform.speechLog.clear();
    s.selection = "Words in the page";
    s.platform.fakePointer.leftDown = true;
    Timer6_Timer(s.speech); // the press, seen by a tick
    s.platform.fakePointer.leftDown = false;
    s.platform.fakePointer.pressedSinceAsked = true; // and remembered
    Web_LeftButtonUp(s.speech, 0);
    EXPECT_EQ(s.platform.speechLog, QStringList({"format 22", "speakTracked Words in the page"}));
    Timer6_Timer(s.speech);
    Timer6_Timer(s.speech);
    EXPECT_EQ(s.window.calls.count("page 0 12"), 1);

    // A release in a view that is not shown reads nothing.
    s.selection = "Hidden";
    Web_LeftButtonUp(s.speech, 1);
    EXPECT_EQ(s.window.calls.count("page 0 12"), 1);
}

TEST(SteeringSpeech, StopPauseResumeAndLeavingSpeechMode)
{
    Speaking s;
    s.ctx.language.Captions[244] = QStringLiteral("Pause");
    s.ctx.language.Captions[245] = QStringLiteral("Resume");
    s.clickVoice(2);
    s.platform.speechLog.clear();
    const auto click = [&s](const QString &key) { s.ctx.dispatcher.click(elements::StartMenus, key); };
    click(keys::SpeakPause);
    EXPECT_TRUE(s.ctx.speech.paused);
    EXPECT_EQ(s.ctx.commands.entry(keys::SpeakPause)->caption, QStringLiteral("Resume"));
    click(keys::SpeakPause);
    EXPECT_EQ(s.ctx.commands.entry(keys::SpeakPause)->caption, QStringLiteral("Pause"));
    // A stop while held lets what comes next be heard; speech mode stays on.
    click(keys::SpeakPause);
    click(keys::SpeakStop);
    EXPECT_FALSE(s.ctx.speech.paused);
    EXPECT_FALSE(s.ctx.speech.ActiveVoiceCaption.isEmpty());
    EXPECT_EQ(s.platform.speechLog, QStringList({"pause", "resume", "pause", "stop", "resume"}));
    // Choosing the active voice again leaves speech mode and silences it.
    s.platform.speechLog.clear();
    s.clickVoice(2);
    EXPECT_EQ(s.platform.speechLog, QStringList({"stop"}));
}

TEST(SteeringSpeech, TheRateIsAnOptionGroupKeptInItsOwnFile)
{
    lorva::test::TempFolder folder;
    Speaking s;
    const QString path = folder.path();
    s.ctx.speech.log.clear();
    // No file: normal speed, and the voices' own group is left alone.
    Read_Rate(path, s.ctx.speech, s.ctx.commands);
    EXPECT_TRUE(s.ctx.commands.entry(keys::SpeakSei)->checked);
    EXPECT_EQ(s.platform.speechLog.last(), QStringLiteral("rate 175"));
    s.clickVoice(2);
    s.ctx.commands.clickEntry(keys::SpeakDodici, keys::Tts);
    SpeechContext here{s.ctx.speech, s.ctx.language, s.ctx.commands, s.ctx.platform,
                       s.window,     s.window,       s.window,       path, s.window.dialogs};
    Speech_Rate(here, keys::SpeakDodici);
    EXPECT_TRUE(s.ctx.commands.entry(keys::voice(2))->checked) << "a rate is no voice";
    EXPECT_FALSE(s.ctx.commands.entry(keys::SpeakSei)->checked);
    EXPECT_EQ(folder.read("Data/lorvaspeak.Rat"), QByteArray(" 240 \r\n"));
    EXPECT_EQ(s.platform.speechLog.last(), QStringLiteral("rate 240"));

    Speaking next;
    Read_Rate(path, next.ctx.speech, next.ctx.commands);
    EXPECT_TRUE(next.ctx.commands.entry(keys::SpeakDodici)->checked);
    folder.write("Data/lorvaspeak.Rat", "9999\r\n");
    Read_Rate(path, next.ctx.speech, next.ctx.commands);
    EXPECT_EQ(next.ctx.speech.rate, kNormalRate);
}

TEST(SaveSpeech, SpeaksSentenceBySentenceIntoTheChosenFileAndSaysSo)
{
    Speaking s;
    s.ctx.language.Captions[120] = QStringLiteral("Nothing to export.");
    s.ctx.language.Captions[247] = QStringLiteral("Saved as ");
    auto &view = s.window.views[0];
    // Nothing to speak: said so, no dialog.
    Save_Speech(s.speech, s.window.dialogs);
    EXPECT_EQ(s.window.dialogs.informations, QStringList({"lorvaspeak|Nothing to export."}));
    EXPECT_FALSE(s.window.calls.join('\n').contains("save "));

    view.page = QStringLiteral("One. Two | three!\nFour");
    s.window.dialogs.informations.clear();
    s.window.dialogs.saveAnswer.reset(); // cancelled
    Save_Speech(s.speech, s.window.dialogs);
    EXPECT_FALSE(s.window.calls.join('\n').contains("saveAudio"));

    s.window.dialogs.saveAnswer = QStringLiteral("/music/reading");
    s.platform.speechLog.clear();
    Save_Speech(s.speech, s.window.dialogs);
    EXPECT_EQ(s.platform.speechLog,
              QStringList({"synthesize One.", "synthesize Two   three!", "synthesize Four"}));
    EXPECT_TRUE(s.window.calls.contains(QStringLiteral("saveAudio /music/reading.wav %1 22050").arg((4 + 12 + 4) * 200)))
        << qPrintable(s.window.calls.join('\n'));
    EXPECT_EQ(s.window.dialogs.informations, QStringList({"lorvaspeak|Saved as /music/reading.wav"}));
    EXPECT_EQ(s.window.progress, 0);

    s.platform.saveAudioError = QStringLiteral("Cannot write /music/reading.mp3: disk full");
    s.window.dialogs.saveAnswer = QStringLiteral("/music/reading.mp3");
    Save_Speech(s.speech, s.window.dialogs);
    EXPECT_EQ(s.window.dialogs.failures,
              QStringList({"Cannot write /music/reading.mp3: disk full Source : Save_Speech"}));
}

TEST(SaveSpeech, OneFileAtATimeAndTheProgramsEndDropsAFileHalfMade)
{
    Speaking s;
    s.ctx.language.Captions[241] = QStringLiteral("Wait.");
    s.ctx.language.Captions[247] = QStringLiteral("Saved as ");
    auto &voice = static_cast<lorva::test::FakeSpeech &>(*s.ctx.speech.SpeechVoice);
    auto &dialogs = s.window.dialogs;
    s.window.views[0].page = QStringLiteral("One. Two.");

    // A folder that cannot be written: said at once, nothing spoken.
    dialogs.saveAnswer = QStringLiteral("/read-only/reading.ogg");
    s.platform.openAudioError = QStringLiteral("Cannot write /read-only/reading.ogg: Read-only file system");
    Save_Speech(s.speech, dialogs);
    EXPECT_EQ(dialogs.failures,
              QStringList({"Cannot write /read-only/reading.ogg: Read-only file system Source : Save_Speech"}));
    EXPECT_FALSE(s.platform.speechLog.join('\n').contains("synthesize"));

    // Written, but not finished yet: the bar shows how far it is.
    s.platform.openAudioError.clear();
    voice.holdSaving = true;
    dialogs.saveAnswer = QStringLiteral("/music/reading.ogg");
    Save_Speech(s.speech, dialogs);
    EXPECT_EQ(s.window.progress, 100);
    EXPECT_TRUE(dialogs.informations.isEmpty());
    // Asked again meanwhile: no second file, and the user is told to wait.
    s.window.calls.clear();
    dialogs.saveAnswer = QStringLiteral("/music/other.ogg");
    Save_Speech(s.speech, dialogs);
    EXPECT_EQ(s.window.calls, QStringList());
    EXPECT_EQ(s.window.statusText, QStringLiteral("Wait."));
    // The program ends: the half-made file is dropped, and nothing said.
    stopSavingSpeech(s.speech);
    EXPECT_EQ(s.window.calls, QStringList({"dropAudio /music/reading.ogg"}));
    voice.finishSaving();
    EXPECT_TRUE(dialogs.informations.isEmpty());
    EXPECT_EQ(dialogs.failures.size(), 1);
    // Done with, the next save is a save again.
    voice.holdSaving = false;
    Save_Speech(s.speech, dialogs);
    EXPECT_EQ(dialogs.informations, QStringList({"lorvaspeak|Saved as /music/other.ogg"}));
}

TEST(WordsSpoken, AreCountedAsThePageCountsThem)
{
    // Positions are 1-based code points, as the synthesiser reports them.
    const QString text = QStringLiteral("Caff\u00e8  na\u00efve|fa\u00e7ade\nline \U0001F600 end");
    EXPECT_EQ(wordIndexAt(text, 1), 0);
    EXPECT_EQ(wordIndexAt(text, 5), 0);  // the accented last letter
    EXPECT_EQ(wordIndexAt(text, 6), 1);  // the spaces belong to the word after them
    EXPECT_EQ(wordIndexAt(text, 8), 1);
    EXPECT_EQ(wordIndexAt(text, 14), 2); // "|" parts words as a space does
    EXPECT_EQ(wordIndexAt(text, 21), 3); // after the line break
    EXPECT_EQ(wordIndexAt(text, 26), 4); // the emoji is one code point
    EXPECT_EQ(wordIndexAt(text, 28), 5);
    EXPECT_EQ(wordCount(text), 6);
    EXPECT_EQ(wordCount(QStringLiteral("  ")), 0);
}

TEST(ReadPage, ReadsSentenceBySentenceLightingPageWordsAndSteps)
{
    Speaking s;
    auto &view = s.window.views[0];
    view.page = QStringLiteral("First one here. Second one!\nThird");
    EXPECT_EQ(sentencesOf(view.page), QStringList({"First one here.", "Second one!", "Third"}));
    s.platform.speechLog.clear();
    s.window.calls.clear();
    s.ctx.dispatcher.click(elements::StartMenus, keys::SpeakRead);
    EXPECT_EQ(s.platform.speechLog, QStringList({"stop", "speakTracked First one here.", "speakTracked Second one!",
                                                 "speakTracked Third"}));
    // Words are counted over the whole page: the second sentence starts at word 3.
    const QStringList calls = s.window.calls;
    EXPECT_EQ(calls.mid(calls.indexOf("keepArticle 1")),
              QStringList({"keepArticle 1", "highlight 1 0", "highlight 1 1", "highlight 1 2", "highlight 1 3",
                           "highlight 1 4", "highlight 1 5", "clearHighlight"}));
    // The fake hears everything at once: the reading is over, steps do nothing.
    EXPECT_FALSE(s.ctx.speech.reading.active);
    s.platform.speechLog.clear();
    s.ctx.dispatcher.click(elements::StartMenus, keys::SpeakNext);
    EXPECT_TRUE(s.platform.speechLog.isEmpty());
    // While it reads (sentence 1 being heard), Next goes on from sentence 2.
    s.ctx.speech.reading.active = true;
    s.ctx.speech.reading.current = 1;
    s.ctx.dispatcher.click(elements::StartMenus, keys::SpeakNext);
    EXPECT_EQ(s.platform.speechLog, QStringList({"stop", "speakTracked Third"}));
    s.platform.speechLog.clear();
    s.ctx.speech.reading.active = true;
    s.ctx.speech.reading.current = 1;
    s.ctx.dispatcher.click(elements::StartMenus, keys::SpeakPrev);
    EXPECT_EQ(s.platform.speechLog, QStringList({"stop", "speakTracked First one here.", "speakTracked Second one!",
                                                 "speakTracked Third"}));

    // From the page's context menu: from the sentence of the paragraph there.
    view.wordAtPoint = 3;
    s.platform.speechLog.clear();
    Read_PageFrom(s.speech, 0, QPoint(10, 10));
    EXPECT_EQ(s.platform.speechLog, QStringList({"stop", "speakTracked Second one!", "speakTracked Third"}));
}

TEST(ReadPage, WithTheAutomaticVoiceEachBlockIsReadInAVoiceOfItsLanguageAndTheChosenOneComesBack)
{
    lorva::test::TempFolder folder;
    Speaking s;
    s.ctx.speech.voiceLanguages = {{{"af"}}, {{"en-gb"}}, {{"it"}}, {{"de"}}, {{"fr-fr"}}};
    s.clickVoice(2); // English (Great Britain)
    SpeechContext here{s.ctx.speech, s.ctx.language, s.ctx.commands, s.ctx.platform,
                       s.window,     s.window,       s.window,       folder.path(), s.window.dialogs};
    Voice_Automatic(here);
    auto &view = s.window.views[0];
    view.page = QStringLiteral("An English line.\nUna riga in italiano.\nWieder deutsch.\nNo language said.");
    view.blockLanguages = {"en", "it-IT", "de", ""};
    s.platform.speechLog.clear();
    s.ctx.dispatcher.click(elements::StartMenus, keys::SpeakRead);
    // English stays with the chosen voice; each other block has its own, and
    // the block without a language the chosen one again (the fake hears
    // each sentence at once, so each next one is handed over meanwhile).
    EXPECT_EQ(s.platform.speechLog,
              QStringList({"stop", "speakTracked An English line.", "voice 2", "speakTracked Una riga in italiano.",
                           "voice 3", "speakTracked Wieder deutsch.", "voice 1", "speakTracked No language said."}));

    // The choice is there at the next start, beside the article's.
    Speaking next;
    Read_ReadingChoice(folder.path(), next.ctx.speech, next.ctx.commands);
    EXPECT_TRUE(next.ctx.speech.automatic);
    EXPECT_TRUE(next.ctx.commands.entry(keys::SpeakAuto)->checked);
    EXPECT_TRUE(next.ctx.speech.readingChoice.code && next.ctx.speech.readingChoice.pictures);
}

TEST(ReadPage, HandsTheVoiceOnlyAFewSentencesAheadOfWhatIsHeard)
{
    Speaking s;
    auto &voice = static_cast<lorva::test::FakeSpeech &>(*s.ctx.speech.SpeechVoice);
    voice.holdHearing = true;
    QStringList sentences;
    for (int i = 1; i <= 8; ++i)
        sentences << QStringLiteral("Sentence %1.").arg(i);
    s.window.views[0].page = sentences.join(' ');
    const auto handed = [&s] {
        QStringList texts;
        for (const QString &call : std::as_const(s.platform.speechLog))
            if (call.startsWith("speakTracked "))
                texts << call.mid(13);
        return texts;
    };
    s.ctx.dispatcher.click(elements::StartMenus, keys::SpeakRead);
    EXPECT_EQ(handed(), sentences.mid(0, 3));
    // Each sentence heard to its end lets the next one go to the voice.
    voice.hear();
    EXPECT_EQ(handed(), sentences.mid(0, 4));
    EXPECT_TRUE(s.ctx.speech.reading.active);
    // Next sentence, while sentence 2 is heard: from sentence 3 on, again a few.
    s.platform.speechLog.clear();
    voice.hear(); // its words are lit as it is heard
    EXPECT_EQ(s.ctx.speech.reading.current, 1);
    s.ctx.dispatcher.click(elements::StartMenus, keys::SpeakNext);
    EXPECT_EQ(handed(), QStringList({"Sentence 5.", "Sentence 3.", "Sentence 4.", "Sentence 5."}));
    while (voice.hear()) {
    }
    EXPECT_EQ(handed(), QStringList({"Sentence 5.", "Sentence 3.", "Sentence 4.", "Sentence 5.", "Sentence 6.",
                                     "Sentence 7.", "Sentence 8."}));
    EXPECT_FALSE(s.ctx.speech.reading.active);
}
