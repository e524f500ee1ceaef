#include "browser/Navigation.h"

#include "addresses/History.h"
#include "browser/MainContext.h"
#include "browser/MainState.h"
#include "browser/SiteName.h"
#include "browser/TypedText.h"
#include "config/Language.h"
#include "config/LegacyText.h"
#include "config/Options.h"
#include "platform/BrowserView.h"
#include "platform/Platform.h"

#include <cmath>

namespace lorva {

namespace {

constexpr int kEnter = 13;
constexpr int kPageCrashedCaption = 237;
constexpr int kAddressTooLongCaption = 238;
constexpr int kReloadCaption = 126;

// The addresses a tab takes as its page: not the engine's own pages (errors,
// blank pages) nor script addresses.
bool isPageAddress(const QString &address)
{
    const QString lower = address.toLower();
    return lower.startsWith(QStringLiteral("http")) || lower.startsWith(QStringLiteral("ftp:")) ||
           lower.startsWith(QStringLiteral("file:")) || lower.startsWith(QStringLiteral("lorvaspeak:"));
}

template <typename T> void store(QList<T> &list, int index, const T &value)
{
    if (index < 0)
        return;
    if (list.size() <= index)
        list.resize(index + 1);
    list[index] = value;
}

template <typename T> T stored(const QList<T> &list, int index, const T &otherwise = T())
{
    return index >= 0 && index < list.size() ? list[index] : otherwise;
}

} // namespace

void captionTab(TabHost &tabs, int index, const QString &address)
{
    QString site = address;
    Site_Name(site);
    tabs.setTabCaption(index, site);
}

void GO_Address(MainContext &ctx, int addHistory)
{
    MainState &main = ctx.main;
    const int tab = ctx.tabs.currentTab();
    const QString typed = ctx.address.addressText();

    if (typed.isEmpty()) {
        if (!ctx.language.StartPage.isEmpty())
            openInView(ctx.tabs, tab, ctx.language.StartPage);
    } else {
        // Words are looked for on the search site; an address gets its scheme.
        const QString text = addressForTyped(typed, ctx.language.SearchUrl);
        if (text.size() > kMaxAddressLength) {
            // The engine would cut it: nothing is opened or remembered.
            ctx.status.setStatusText(ctx.language.Captions[kAddressTooLongCaption]);
            return;
        }
        if (text != typed)
            ctx.address.setAddressText(text);
        openInView(ctx.tabs, tab, text);
        store(main.TabURLs, tab, text);
        captionTab(ctx.tabs, tab, text);
        main.CurrentURL = text;
        main.LastGoURL = main.CurrentURL;
        if (legacy::trimSpaces(main.CurrentURL).toLower().startsWith(QStringLiteral("http")) &&
            main.CurrentURL.size() > 8 && addHistory == 1)
            Hyst_Add(ctx.address.history(), main.CurrentURL);
    }

    ctx.tabs.focusView(tab);
    if (ctx.options.FloatingBars == 1)
        ctx.timers.setTimerEnabled(MainTimer::Timer1, true);
}

void Text1_Click(MainContext &ctx) { GO_Address(ctx, 1); }

bool Text1_KeyDown(MainContext &ctx, int keyCode)
{
    if (keyCode != kEnter)
        return false;
    GO_Address(ctx, 1);
    return true;
}

void Text1_GotFocus(MainContext &ctx) { ctx.timers.setTimerEnabled(MainTimer::Timer1, false); }

void Web_StatusTextChange(MainContext &ctx, int index, const QString &text)
{
    if (index == ctx.tabs.currentTab())
        ctx.status.setStatusText(text);
}

void Web_ProgressChange(MainContext &ctx, int index, double progress, double maximum)
{
    if (progress < 1 || maximum < progress)
        return;
    const int value = int(std::nearbyint(progress * 100.0 / maximum));
    store(ctx.main.TabProgress, index, value);
    if (index == ctx.tabs.currentTab())
        ctx.status.setProgress(value);
}

void Web_TitleChange(MainContext &ctx, int index, const QString &text)
{
    store(ctx.main.TabTitles, index, text);
    if (index != ctx.tabs.currentTab())
        return;
    ctx.status.setStatusText(text);
    ctx.main.PageTitle = text;
}

void Web_BeforeNavigate2(MainContext &ctx, int index, const QString &address)
{
    store(ctx.main.TabProgress, index, 0);
    const bool page = isPageAddress(address);
    if (page) {
        store(ctx.main.TabURLs, index, address);
        captionTab(ctx.tabs, index, address);
    }
    if (index != ctx.tabs.currentTab())
        return;
    ctx.status.setProgress(0);
    if (page)
        ctx.address.setAddressText(address);
    ctx.status.setStatusText(ctx.language.Captions[179]);
    ctx.timers.setTimerEnabled(MainTimer::Timer5, true);
}

void Web_DocumentComplete(MainContext &ctx, int index, const QString &address)
{
    store(ctx.main.TabProgress, index, 100);
    const bool page = isPageAddress(address);
    if (page)
        store(ctx.main.TabURLs, index, address);
    if (index != ctx.tabs.currentTab())
        return;
    ctx.status.setProgress(100);
    if (page)
        ctx.main.CurrentURL = address;
}

int tabForNewLink(const QStringList &tabURLs, int tabCount, int from)
{
    if (tabCount < 2)
        return 0;
    for (int step = 1; step < tabCount; ++step) {
        const int tab = (from + step) % tabCount;
        if (stored(tabURLs, tab).isEmpty())
            return tab;
    }
    return (from + 1) % tabCount;
}

void Web_LinkInNewTab(MainContext &ctx, int from, const QString &address)
{
    if (address.isEmpty() || address.size() > kMaxAddressLength)
        return;
    MainState &main = ctx.main;
    const int tab = tabForNewLink(main.TabURLs, ctx.tabs.tabCount(), from);
    // Taken at once, so that a second link asked for before this one has
    // started loading goes to the tab after it.
    store(main.TabURLs, tab, address);
    // A used tab taken over (every tab had a page) shows nothing of the
    // page that was there.
    store(main.TabTitles, tab, QString());
    store(main.TabProgress, tab, 0);
    captionTab(ctx.tabs, tab, address);
    openInView(ctx.tabs, tab, address);
    ctx.tabs.setCurrentTab(tab);
    for (int t = 0; t < ctx.tabs.tabCount(); ++t)
        ctx.tabs.setViewVisible(t, t == tab);
    showCurrentTab(ctx);
    ctx.tabs.focusView(tab);
}

void showCurrentTab(MainContext &ctx)
{
    MainState &main = ctx.main;
    const int tab = ctx.tabs.currentTab();
    main.CurrentURL = stored(main.TabURLs, tab);
    main.PageTitle = stored(main.TabTitles, tab);
    ctx.address.setAddressText(main.CurrentURL);
    ctx.status.setStatusText(main.PageTitle);
    ctx.status.setProgress(stored(main.TabProgress, tab, 0));
}

void Web_PageCrashed(MainContext &ctx, int index)
{
    const auto &C = ctx.language.Captions;
    BrowserView *view = ctx.tabs.view(index);
    if (!view)
        return;
    const QString address = view->LocationURL();
    const QString shown = address.toHtmlEscaped();
    const QString html =
        QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>") + C[kPageCrashedCaption].toHtmlEscaped() +
        QStringLiteral("</title></head><body style=\"font:16px sans-serif;margin:48px;color:#333\">"
                       "<h1 style=\"font-size:22px;font-weight:normal\">") +
        C[kPageCrashedCaption].toHtmlEscaped() +
        QStringLiteral("</h1><p style=\"word-break:break-all;color:#555\">") + shown +
        QStringLiteral("</p><p><a id=\"reload\" href=\"") + shown + QStringLiteral("\">") +
        C[kReloadCaption].toHtmlEscaped() + QStringLiteral("</a></p></body></html>");
    view->showPage(html, address);
    // A tab in the background says so when it is shown: its page does.
    if (index == ctx.tabs.currentTab())
        ctx.status.setStatusText(C[kPageCrashedCaption] + QStringLiteral(": ") + address);
}

void Timer5_Timer(MainContext &ctx)
{
    BrowserView *view = ctx.tabs.view(ctx.tabs.currentTab());
    if (!view || view->Busy())
        return;
    // What the user is typing there meanwhile is not replaced.
    if (!ctx.address.addressBeingEdited())
        ctx.address.setAddressText(view->LocationURL());
    ctx.timers.setTimerEnabled(MainTimer::Timer5, false);
}

bool WebAttend(BrowserView &view, Platform &platform, int limitMs)
{
    int waited = 500;
    platform.waits->wait(500);
    while (view.Busy()) {
        if (waited >= limitMs)
            return false;
        platform.waits->wait(1000);
        waited += 1000;
    }
    while (view.readyState() != u"complete") {
        if (waited >= limitMs)
            return false;
        platform.waits->wait(1000);
        waited += 1000;
    }
    return true;
}

void openInView(TabHost &tabs, int index, const QString &address)
{
    if (BrowserView *view = tabs.view(index))
        view->Navigate(address);
}

void refreshView(TabHost &tabs, int index)
{
    if (BrowserView *view = tabs.view(index))
        view->Refresh();
}

void stopView(TabHost &tabs, int index)
{
    if (BrowserView *view = tabs.view(index))
        view->Stop();
}

} // namespace lorva
