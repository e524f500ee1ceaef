#include "browser/MainWindowLogic.h"

#include "browser/MainContext.h"
#include "browser/MainState.h"
#include "browser/Navigation.h"
#include "config/Language.h"
#include "config/Placement.h"
#include "platform/Platform.h"

#include <QtGlobal>

#include <cmath>
#include <utility>

namespace lorva {

namespace {

constexpr int kRestoreShift = 285;
// Below this the address box is too narrow to read an address in; the tab
// panel gives way first, down to its own least width.
constexpr int kMinAddressWidth = 3000;
constexpr int kMinTabPanelWidth = 1500;
constexpr int kF12 = 123;

qint16 clamp16(int value) { return qint16(qBound(-32768, value, 32767)); }

} // namespace

void Form_Resize(MainContext &ctx)
{
    MainState &main = ctx.main;
    if (main.NoResize)
        return;

    const WindowShowState state = ctx.form.windowShowState();
    if (state == WindowShowState::Normal && main.WasMinimized) {
        main.WasMinimized = false;
        ctx.form.setWindowCaption(QString());
        const TwipsRect r = ctx.frame.windowRectTwips();
        // The shift must not push the window past the screen's edges: a
        // window that filled the screen would lose its status strip below it.
        const int top = qMax(0, r.top - kRestoreShift);
        const int bottom = qMin(r.top + r.height, ctx.frame.screenHeightTwips());
        ctx.frame.moveWindowTwips({r.left, top, r.width, qMax(kTwipsPerPixel, bottom - top)});
    } else if (state == WindowShowState::Minimized) {
        main.WasMinimized = true;
        ctx.form.setWindowCaption(ctx.language.Captions[179]);
        return;
    }

    const int W = ctx.frame.innerWidthTwips();
    const int H = ctx.frame.innerHeightTwips();
    MainLayout &l = main.layout;
    l.picBar.width = W - 20;
    l.statusBar.width =
        W - l.progressBar.width - l.cmdMove.width - l.cmdMoveL.width - l.timebar.width - 60;
    l.picStat.width = W - 20;
    l.picStat.top = H - l.picStat.height;
    l.cmdBar[1].width = l.picBar.width - l.cmdBar[0].width - l.cmdBar[2].width + 150;
    l.cmdBar[2].left = l.picBar.width - l.cmdBar[2].width + 150;
    l.Tab1.width = qMin(l.Tab1Wanted, qMax(kMinTabPanelWidth, l.cmdBar[1].width - 110 - kMinAddressWidth));
    l.Text1.width = qMax(0, l.cmdBar[1].width - l.Tab1.width - 110);
    l.Text1.left = l.Tab1.width + 60;
    Set_Web(ctx, ctx.tabs.currentTab());
    l.timebar.left = l.statusBar.left + l.statusBar.width;
    l.progressBar.left = l.timebar.left + l.timebar.width;
    l.cmdMove.left = W - l.cmdMove.width - 50;
    ctx.form.applyLayout(l);

    if (state == WindowShowState::Normal) {
        const TwipsRect r = ctx.frame.windowRectTwips();
        ctx.placement.PlaceTop = clamp16(r.top);
        ctx.placement.PlaceLeft = clamp16(r.left);
        ctx.placement.PlaceHeight = clamp16(r.height);
        ctx.placement.PlaceWidth = clamp16(r.width);
    }
}

void Set_Web(MainContext &ctx, int index)
{
    MainLayout &l = ctx.main.layout;
    const int H = ctx.frame.innerHeightTwips();
    l.view.left = 0;
    l.view.width = ctx.frame.innerWidthTwips();
    if (ctx.main.BarsShown) {
        l.view.top = l.picBar.height;
        l.view.height = H - l.picBar.height - l.picStat.height;
    } else {
        l.view.top = 0;
        l.view.height = H - l.picStat.height;
    }
    ctx.tabs.placeView(index, l.view);
}

void GO_BarOff(MainContext &ctx)
{
    if (!ctx.main.BarsShown)
        return;
    MainLayout &l = ctx.main.layout;
    const int H = ctx.frame.innerHeightTwips();
    l.picStatVisible = false;
    l.view.top = 0;
    l.view.height = l.statusBarVisible ? H - l.picStat.height : H;
    ctx.main.BarsShown = false;
    ctx.form.applyLayout(l);
    ctx.tabs.placeView(ctx.tabs.currentTab(), l.view);
}

void GO_BarOn(MainContext &ctx)
{
    if (!ctx.main.BarsShown) {
        MainLayout &l = ctx.main.layout;
        const int H = ctx.frame.innerHeightTwips();
        l.picStatVisible = true;
        l.view.top = l.picBar.height;
        l.view.height = H - l.picBar.height - l.picStat.height;
        ctx.main.BarsShown = true;
        ctx.form.applyLayout(l);
        ctx.tabs.placeView(ctx.tabs.currentTab(), l.view);
        ctx.form.activateWindow();
    }
    ctx.platform.waits->processEvents();
}

void Timer1_Timer(MainContext &ctx)
{
    const int y = ctx.form.cursorScreenYTwips();
    const int top = ctx.frame.windowRectTwips().top;
    if (ctx.main.BarsShown) {
        if (top + ctx.main.layout.picBar.height + 400 > y)
            return;
        GO_BarOff(ctx);
    }
    if (!ctx.main.BarsShown && top + 420 > y)
        GO_BarOn(ctx);
    if (ctx.timers.timerInterval(MainTimer::Timer1) != 1500)
        ctx.timers.setTimerInterval(MainTimer::Timer1, 1500);
}

void Tab1_MouseDown(MainState &main, int buttons) { main.TabMouseButtons = qint16(buttons); }

void Tab1_Click(MainContext &ctx)
{
    Form_Resize(ctx);
    const int current = ctx.tabs.currentTab();
    if (ctx.main.TabMouseButtons == 1) {
        for (int t = 0; t < ctx.tabs.tabCount(); ++t)
            ctx.tabs.setViewVisible(t, t == current);
        // An unused tab (no page yet) takes over what the tab before it shows.
        QStringList &urls = ctx.main.TabURLs;
        if (current > 0 && current < urls.size() && urls[current].isEmpty() && !urls[current - 1].isEmpty()) {
            urls[current] = urls[current - 1];
            captionTab(ctx.tabs, current, urls[current]);
            openInView(ctx.tabs, current, urls[current]);
        }
        showCurrentTab(ctx);
    } else if (ctx.main.TabMouseButtons == 2) {
        refreshView(ctx.tabs, current);
    }
}

int tabTooltipIndex(int xPixels, int stripWidthTwips, int tabCount)
{
    if (tabCount < 1 || stripWidthTwips < kTwipsPerPixel)
        return -1;
    const double tabPixels = (double(stripWidthTwips) / 15.0) / tabCount;
    const double k = std::floor(xPixels / tabPixels);
    return k >= 0 && k < tabCount ? int(k) : -1;
}

void Tab1_MouseMove(MainContext &ctx, int xPixels)
{
    const int k = tabTooltipIndex(xPixels, ctx.main.layout.Tab1.width, ctx.tabs.tabCount());
    if (k >= 0 && k < ctx.main.TabURLs.size())
        ctx.tabs.setTabToolTip(ctx.main.TabURLs[k]);
}

void Set_Alpha(MainContext &ctx, int alpha) { ctx.form.setOpacity(alpha & 0xFF); }

void Set_Pointer(MainContext &ctx, bool busy) { ctx.form.setBusyPointer(busy); }

void applyTabCount(TabHost &tabs, int count)
{
    if (count > 0) {
        tabs.setTabCount(count);
        for (int i = 1; i < count; ++i)
            tabs.createView(i);
    }
}

void Form_KeyDown(MainContext &ctx, int keyCode)
{
    if (keyCode != kF12)
        return;
    const TwipsRect screen{0, 0, ctx.frame.screenWidthTwips(), ctx.frame.screenHeightTwips()};
    const TwipsRect now = ctx.frame.windowRectTwips();
    // Pressed again on the covering window, F12 gives back the window's own
    // place; once the window was moved or sized since, it covers again.
    if (ctx.main.BeforeScreenCover && now == screen) {
        ctx.frame.moveWindowTwips(*std::exchange(ctx.main.BeforeScreenCover, std::nullopt));
        return;
    }
    ctx.main.BeforeScreenCover = now;
    ctx.frame.moveWindowTwips(screen);
}

} // namespace lorva
