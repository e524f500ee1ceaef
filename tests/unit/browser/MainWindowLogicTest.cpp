#include "browser/MainWindowLogic.h"
#include "fakes/FakeProgram.h"

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::FakeProgram;

namespace {

struct Window : FakeProgram
{
    Window()
    {
        ctx.main.BarsShown = true;
        ctx.main.layout.Tab1.width = 6000;
        ctx.main.layout.Tab1Wanted = 6000;
        ctx.language.Captions[179] = QStringLiteral("LorvaSpeak");
        window.setTabCount(5);
        ctx.main.TabURLs = QStringList(5, QString());
    }
};

} // namespace

TEST(LayoutPass, PlacesTheStatusStripAndBarsFromTheInnerSize)
{
    Window w;
    w.window.rect = {300, 450, 14160, 5925};
    Form_Resize(w.main);

    const MainLayout &l = w.window.applied;
    EXPECT_EQ(l.statusBar.width, 11055);
    EXPECT_EQ(l.timebar.left, 11430);
    EXPECT_EQ(l.progressBar.left, 11925);
    EXPECT_EQ(l.cmdMove.left, 13735);
    EXPECT_EQ(l.picBar.width, 14140);
    EXPECT_EQ(l.picStat.width, 14140);
    EXPECT_EQ(l.picStat.top, 5925 - 355);
    EXPECT_EQ(l.cmdBar[1].width, 14140 - 5950 - 2800 + 150);
    EXPECT_EQ(l.cmdBar[2].left, 14140 - 2800 + 150);
    // Too narrow for the 6000-twip tab panel and an address box beside it:
    // the panel gives way so that the box keeps a width an address fits in.
    EXPECT_EQ(l.Text1.width, 3000);
    EXPECT_EQ(l.Tab1.width, l.cmdBar[1].width - 110 - 3000);
    EXPECT_EQ(l.Text1.left, l.Tab1.width + 60);
    EXPECT_EQ(w.window.views[0].place, (TwipsRect{0, 385, 14160, 5925 - 385 - 355}));
    EXPECT_EQ(w.ctx.placement.PlaceTop, 450);
    EXPECT_EQ(w.ctx.placement.PlaceLeft, 300);
    EXPECT_EQ(w.ctx.placement.PlaceHeight, 5925);
    EXPECT_EQ(w.ctx.placement.PlaceWidth, 14160);
}

TEST(LayoutPass, MaximisedIsLaidOutButNotStored)
{
    Window w;
    w.ctx.placement = {10, 20, 3000, 4000, 0};
    w.window.showState = WindowShowState::Maximized;
    w.window.rect = {0, 0, 28800, 16200};
    Form_Resize(w.main);
    EXPECT_EQ(w.window.applied.picBar.width, 28780);
    // Room enough: the panel keeps the language's width.
    EXPECT_EQ(w.window.applied.Tab1.width, 6000);
    EXPECT_EQ(w.window.applied.Text1.width, w.window.applied.cmdBar[1].width - 6000 - 110);
    EXPECT_EQ(w.window.applied.Text1.left, 6060);
    EXPECT_EQ(w.ctx.placement.PlaceWidth, 4000);
    EXPECT_EQ(w.ctx.placement.PlaceTop, 10);
}

TEST(LayoutPass, GeometryBeyondSixteenBitsIsKeptInRange)
{
    Window w;
    w.window.rect = {-600, 0, 3840 * 15, 2160 * 15};
    Form_Resize(w.main);
    EXPECT_EQ(w.ctx.placement.PlaceWidth, 32767);
    EXPECT_EQ(w.ctx.placement.PlaceLeft, -600);
}

TEST(LayoutPass, MinimiseShowsCaption179AndRestoreShiftsUp)
{
    Window w;
    w.window.rect = {1500, 3000, 14160, 5925};
    w.window.showState = WindowShowState::Minimized;
    const int layoutsBefore = w.window.layoutsApplied;
    Form_Resize(w.main);
    EXPECT_EQ(w.window.caption, QStringLiteral("LorvaSpeak"));
    EXPECT_TRUE(w.ctx.main.WasMinimized);
    EXPECT_EQ(w.window.layoutsApplied, layoutsBefore);

    w.window.showState = WindowShowState::Normal;
    Form_Resize(w.main);
    EXPECT_EQ(w.window.caption, QString());
    EXPECT_FALSE(w.ctx.main.WasMinimized);
    EXPECT_EQ(w.window.rect, (TwipsRect{1500, 3000 - 285, 14160, 5925 + 285}));
    EXPECT_EQ(w.ctx.placement.PlaceTop, 3000 - 285);
    EXPECT_EQ(w.ctx.placement.PlaceHeight, 5925 + 285);

    // An ordinary resize afterwards does not shift again.
    Form_Resize(w.main);
    EXPECT_EQ(w.window.rect.top, 3000 - 285);

    // A window that filled the screen stays on it, status strip and all.
    w.window.rect = {0, 0, 1920 * 15, 1080 * 15};
    w.window.showState = WindowShowState::Minimized;
    Form_Resize(w.main);
    w.window.showState = WindowShowState::Normal;
    Form_Resize(w.main);
    EXPECT_EQ(w.window.rect, (TwipsRect{0, 0, 1920 * 15, 1080 * 15}));
}

TEST(LayoutPass, NoResizeLeavesEverything)
{
    Window w;
    w.ctx.main.NoResize = true;
    w.window.showState = WindowShowState::Minimized;
    Form_Resize(w.main);
    EXPECT_EQ(w.window.layoutsApplied, 0);
    EXPECT_FALSE(w.ctx.main.WasMinimized);
}

TEST(Bars, OffCoversTheTopAreaAndAResizeKeepsItThatWay)
{
    Window w;
    Form_Resize(w.main);
    w.window.current = 2;
    GO_BarOff(w.main);
    EXPECT_FALSE(w.ctx.main.BarsShown);
    EXPECT_FALSE(w.window.applied.picStatVisible);
    EXPECT_EQ(w.window.views[2].place, (TwipsRect{0, 0, 14160, 5925 - 355}));

    w.window.rect = {0, 0, 20000, 9000};
    Form_Resize(w.main);
    EXPECT_EQ(w.window.views[2].place, (TwipsRect{0, 0, 20000, 9000 - 355}));

    GO_BarOn(w.main);
    EXPECT_TRUE(w.ctx.main.BarsShown);
    EXPECT_TRUE(w.window.applied.picStatVisible);
    EXPECT_EQ(w.window.views[2].place, (TwipsRect{0, 385, 20000, 9000 - 385 - 355}));
    EXPECT_TRUE(w.window.calls.contains("activate"));
}

TEST(Bars, OnWhenShownOnlyLetsEventsRun)
{
    Window w;
    GO_BarOn(w.main);
    EXPECT_EQ(w.window.calls, QStringList({"processEvents"}));
    GO_BarOff(w.main);
    const int applied = w.window.layoutsApplied;
    GO_BarOff(w.main);
    EXPECT_EQ(w.window.layoutsApplied, applied);
}

TEST(FloatingMode, TicksFollowThePointer)
{
    Window w;
    w.window.rect = {0, 1500, 14160, 5925};
    w.window.setTimerInterval(MainTimer::Timer1, 5000);

    // Pointer resting in the bar area: nothing changes, not even the interval.
    w.window.cursorY = 1500 + 385 + 399;
    Timer1_Timer(w.main);
    EXPECT_TRUE(w.ctx.main.BarsShown);
    EXPECT_EQ(w.window.timerInterval(MainTimer::Timer1), 5000);

    // Pointer well below: the bars go, the ticks come every 1500 ms.
    w.window.cursorY = 1500 + 385 + 400;
    Timer1_Timer(w.main);
    EXPECT_FALSE(w.ctx.main.BarsShown);
    EXPECT_EQ(w.window.timerInterval(MainTimer::Timer1), 1500);

    // Pointer not quite near the top: they stay away.
    w.window.cursorY = 1500 + 420;
    Timer1_Timer(w.main);
    EXPECT_FALSE(w.ctx.main.BarsShown);

    // Near the top: they come back.
    w.window.cursorY = 1500 + 419;
    Timer1_Timer(w.main);
    EXPECT_TRUE(w.ctx.main.BarsShown);
}

TEST(Tabs, AnUnusedTabTakesOverThePreviousOne)
{
    Window w;
    w.ctx.main.TabURLs[1] = "http://one.example/";
    w.window.setTabCaption(1, "One.example");
    w.window.current = 2;
    Tab1_MouseDown(w.ctx.main, 1);
    Tab1_Click(w.main);

    EXPECT_EQ(w.window.tabCaption(2), QStringLiteral("One.example"));
    EXPECT_EQ(w.ctx.main.TabURLs[2], QStringLiteral("http://one.example/"));
    EXPECT_TRUE(w.window.calls.contains("navigate 2 http://one.example/"));
    for (int t = 0; t < 5; ++t)
        EXPECT_EQ(w.window.views[t].visible, t == 2) << t;

    // Clicking it again: it is in use now, nothing is opened.
    w.window.calls.clear();
    Tab1_Click(w.main);
    EXPECT_FALSE(w.window.calls.filter("navigate").size());
}

TEST(Tabs, TakeOverHasNothingToDoForTabZeroOrAnEmptyNeighbour)
{
    Window w;
    w.window.current = 0;
    Tab1_MouseDown(w.ctx.main, 1);
    Tab1_Click(w.main);
    w.window.current = 3; // tab 2 has no address
    Tab1_Click(w.main);
    EXPECT_TRUE(w.window.calls.filter("navigate").isEmpty());
    EXPECT_EQ(w.window.tabCaption(3), QString());
    EXPECT_TRUE(w.window.views[3].visible);
}

TEST(Tabs, RightReloadsOtherButtonsDoNothingMore)
{
    Window w;
    w.window.current = 1;
    Tab1_MouseDown(w.ctx.main, 2);
    Tab1_Click(w.main);
    EXPECT_TRUE(w.window.calls.contains("refresh 1"));
    EXPECT_FALSE(w.window.views[1].visible);

    for (int buttons : {4, 3, 0}) {
        w.window.calls.clear();
        Tab1_MouseDown(w.ctx.main, buttons);
        Tab1_Click(w.main);
        EXPECT_TRUE(w.window.calls.filter("refresh").isEmpty()) << buttons;
        EXPECT_FALSE(w.window.views[1].visible) << buttons;
    }
}

TEST(Tabs, TooltipFollowsThePointer)
{
    // 6000 twips / 15 = 400 pixels, 80 per tab.
    EXPECT_EQ(tabTooltipIndex(0, 6000, 5), 0);
    EXPECT_EQ(tabTooltipIndex(79, 6000, 5), 0);
    EXPECT_EQ(tabTooltipIndex(80, 6000, 5), 1);
    EXPECT_EQ(tabTooltipIndex(399, 6000, 5), 4);
    EXPECT_EQ(tabTooltipIndex(400, 6000, 5), -1);
    EXPECT_EQ(tabTooltipIndex(-1, 6000, 5), -1);
    EXPECT_EQ(tabTooltipIndex(10, 0, 5), -1);
    EXPECT_EQ(tabTooltipIndex(10, 6000, 0), -1);

    Window w;
    w.ctx.main.TabURLs[3] = "http://three.example/";
    Tab1_MouseMove(w.main, 250);
    EXPECT_EQ(w.window.tabToolTip, QStringLiteral("http://three.example/"));
    Tab1_MouseMove(w.main, 5000);
    EXPECT_EQ(w.window.tabToolTip, QStringLiteral("http://three.example/"));
}

TEST(Keys, F12FillsTheScreenAndAgainGivesBackThePlaceOthersAreIgnored)
{
    Window w;
    const TwipsRect own{300, 450, 14160, 5925};
    const TwipsRect screen{0, 0, 1920 * 15, 1080 * 15};
    w.window.rect = own;
    Form_KeyDown(w.main, 122);
    EXPECT_TRUE(w.window.calls.isEmpty());
    Form_KeyDown(w.main, 123);
    EXPECT_EQ(w.window.rect, screen);
    EXPECT_EQ(w.window.showState, WindowShowState::Normal);
    Form_KeyDown(w.main, 123);
    EXPECT_EQ(w.window.rect, own);
    Form_KeyDown(w.main, 123);
    EXPECT_EQ(w.window.rect, screen);

    // Sized by hand since, the window keeps that size and F12 covers again.
    const TwipsRect sized{600, 600, 9000, 6000};
    w.window.rect = sized;
    Form_KeyDown(w.main, 123);
    EXPECT_EQ(w.window.rect, screen);
    Form_KeyDown(w.main, 123);
    EXPECT_EQ(w.window.rect, sized);
}
