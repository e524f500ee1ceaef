#include "app/Startup.h"
#include "config/AppError.h"
#include "fakes/FakeProgram.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::crlf;
using lorva::test::FakeProgram;

namespace {

const QByteArray kLanguage = crlf({"TAB_NUMBER=4", "START_PAGE=http://start/", "\"Exit\""});

// A program folder of its own, made before the program's values.
struct Folder
{
    test::TempFolder folder;
};

struct Started : Folder, FakeProgram
{
    explicit Started(const QByteArray &options = {}) : FakeProgram(folder.path())
    {
        folder.write("Languages/Speak_english.txt", kLanguage);
        folder.write("Languages/Speak_italian.txt", kLanguage);
        if (!options.isEmpty())
            folder.write("Data/lorvaspeak.Opt", options);
    }
    void load() { Form_Load(ctx, main, QDate(2026, 3, 7)); }
    bool exit()
    {
        return GO_Exit(ctx, main, [this] { window.calls << QStringLiteral("unloadOthers"); });
    }
};

} // namespace

TEST(TodayText, IsYearMonthDayWithLeadingZeros)
{
    EXPECT_EQ(todayText(QDate(2027, 1, 5)), QStringLiteral("2027-01-05"));
    EXPECT_EQ(todayText(QDate(2026, 12, 31)), QStringLiteral("2026-12-31"));
}

TEST(FormLoad, FirstRunOpensTheDefaultHomePageInTabZero)
{
    Started s;
    s.load();

    EXPECT_EQ(s.ctx.main.TodayText, QStringLiteral("2026-03-07"));
    EXPECT_TRUE(s.ctx.main.BarsShown);
    EXPECT_EQ(s.ctx.options.HomePage, kDefaultHomePage);
    EXPECT_EQ(s.window.tabCount(), 4);
    ASSERT_EQ(s.ctx.main.TabURLs.size(), 4);
    EXPECT_EQ(s.ctx.main.TabURLs, QStringList({kDefaultHomePage, "", "", ""}));
    EXPECT_EQ(s.ctx.main.CurrentURL, kDefaultHomePage);
    EXPECT_EQ(s.window.addressText(), kDefaultHomePage);
    EXPECT_EQ(s.window.currentTab(), 0);
    EXPECT_TRUE(s.window.calls.contains("navigate 0 " + kDefaultHomePage));
    EXPECT_GT(s.window.calls.indexOf("show 0"), s.window.calls.indexOf("navigate 0 " + kDefaultHomePage));
    EXPECT_EQ(s.folder.read("Data/lorvaspeak.Opt"), crlf({"1", "0", "0", "0", "lorvaspeak://start/"}));
    // Without a placement file the window covers the screen.
    EXPECT_TRUE(s.window.calls.contains("move 0 0 28800 16200"));
}

TEST(FormLoad, TimersGetTheirIntervalsAndOnlyTheTailRuns)
{
    Started s;
    s.load();
    using T = MainTimer;
    EXPECT_EQ(s.window.timers[T::Timer4].interval, 750);
    EXPECT_TRUE(s.window.timers[T::Timer4].enabled);
    EXPECT_EQ(s.window.timers[T::Timer5].interval, 2000);
    EXPECT_FALSE(s.window.timers[T::Timer5].enabled);
    EXPECT_EQ(s.window.timers[T::Timer6].interval, 1000);
    EXPECT_FALSE(s.window.timers[T::Timer6].enabled);
    EXPECT_FALSE(s.window.timers[T::Timer1].enabled);
}

TEST(FormLoad, FloatingBarsStartTimer1OnlyForTheValueOne)
{
    Started one(crlf({"1", "0", "1", "0", "http://h/"}));
    one.load();
    EXPECT_TRUE(one.window.timers[MainTimer::Timer1].enabled);
    EXPECT_EQ(one.window.timers[MainTimer::Timer1].interval, 5000);

    Started two(crlf({"1", "0", "2", "0", "http://h/"}));
    two.load();
    EXPECT_FALSE(two.window.timers[MainTimer::Timer1].enabled);
}

TEST(FormLoad, AnEmptyHomePageLineBecomesTheDefaultAndIsSavedAtExit)
{
    Started s(crlf({"1", "0", "0", "0", "", "italian"}));
    s.load();
    EXPECT_EQ(s.ctx.options.HomePage, kDefaultHomePage);
    EXPECT_EQ(s.ctx.options.LanguageName, QStringLiteral("italian"));
    ASSERT_TRUE(s.exit());
    EXPECT_EQ(s.folder.read("Data/lorvaspeak.Opt"),
              crlf({" 1 ", " 0 ", " 0 ", " 0 ", "lorvaspeak://start/", "italian"}));
}

TEST(FormLoad, AMissingLanguageFileFailsNamingIt)
{
    Started s(crlf({"1", "0", "0", "0", "http://h/", "klingon"}));
    try {
        s.load();
        FAIL() << "start-up went on";
    } catch (const AppError &error) {
        EXPECT_TRUE(error.message().contains("Speak_klingon.txt"));
    }
    EXPECT_FALSE(s.window.calls.contains("navigate 0 http://h/"));
}

TEST(StartupTail, RunsOnceAndSetsTheTemplatePaths)
{
    Started s;
    s.load();
    Timer4_Timer(s.ctx, s.main);
    EXPECT_FALSE(s.window.timers[MainTimer::Timer4].enabled);
    EXPECT_EQ(s.ctx.exports.templatePath, s.folder.file("Data/Template.Doc"));
    EXPECT_EQ(s.ctx.exports.templatePathH, s.folder.file("Data/TemplateH.Doc"));
}

TEST(GoExit, SavesStopsHidesDeletesTemporaryFilesAndUnloadsInOrder)
{
    Started s;
    s.load();
    s.window.setCurrentTab(2);
    s.window.calls.clear();
    s.folder.write("HTML.txt", "x");
    s.folder.write("doc.txt", "y");
    s.folder.write("keep.txt", "z");

    ASSERT_TRUE(s.exit());
    EXPECT_EQ(s.window.calls, QStringList({"stop 2", "hide", "unloadOthers", "unload"}));
    EXPECT_FALSE(s.folder.exists("HTML.txt"));
    EXPECT_FALSE(s.folder.exists("doc.txt"));
    EXPECT_TRUE(s.folder.exists("keep.txt"));
    EXPECT_EQ(s.folder.read("Data/lorvaspeak.Opt"),
              crlf({" 1 ", " 0 ", " 0 ", " 0 ", "lorvaspeak://start/", "English"}));
    EXPECT_TRUE(s.window.dialogs.failures.isEmpty());

    // A second close request while or after shutting down does nothing.
    s.window.calls.clear();
    EXPECT_FALSE(s.exit());
    EXPECT_TRUE(s.window.calls.isEmpty());
}

TEST(GoExit, ASaveFailureIsShownAndShutdownStillCompletes)
{
    Started s;
    s.load();
    s.folder.remove("Data");
    s.folder.write("doc.txt", "y");
    s.window.calls.clear();

    ASSERT_TRUE(s.exit());
    // One message box names every file that could not be saved.
    ASSERT_EQ(s.window.dialogs.failures.size(), 1);
    const QString &message = s.window.dialogs.failures[0];
    EXPECT_TRUE(message.contains(" Source : Save_Opt")) << qPrintable(message);
    EXPECT_TRUE(message.contains("lorvaspeak.Opt"));
    EXPECT_TRUE(message.contains(" Source : Hyst_Save")) << qPrintable(message);
    EXPECT_EQ(s.window.calls, QStringList({"failure", "stop 0", "hide", "unloadOthers", "unload"}));
    EXPECT_FALSE(s.folder.exists("doc.txt"));
    EXPECT_FALSE(s.folder.exists("Data"));
    EXPECT_TRUE(s.ctx.saveFailed);
    EXPECT_EQ(s.window.dialogs.failureCloseAfterMs, 0); // someone is there to answer it

    // Ended by a signal: the message must not hold the end up for ever.
    Started t;
    t.load();
    t.folder.remove("Data");
    t.ctx.unattendedExit = true;
    t.exit();
    EXPECT_EQ(t.window.dialogs.failureCloseAfterMs, kUnattendedMessageMs);
}
