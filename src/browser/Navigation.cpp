#include "browser/Navigation.h"

#include "addresses/History.h"
#include "browser/MainContext.h"
#include "browser/MainState.h"
#include "browser/SiteName.h"
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

bool hasKnownScheme(const QString &text)
{
    const QString lower = text.toLower();
    // Files (a saved web archive) and the program's own pages open as they
    // are: with "http://" in front they could never be opened by typing.
    return lower.left(8) == u"https://" || lower.left(6) == u"ftp://" || lower.left(7) == u"http://" ||
           lower.left(7) == u"file://" || lower.left(13) == u"lorvaspeak://";
}

} // namespace

void GO_Address(MainContext &ctx, int addHistory)
{
    MainState &main = ctx.main;
    const int tab = ctx.tabs.currentTab();
    QString text = ctx.address.addressText();

    if (text.isEmpty()) {
        if (!ctx.language.StartPage.isEmpty())
            openInView(ctx.tabs, tab, ctx.language.StartPage);
    } else if (text.size() + (hasKnownScheme(text) ? 0 : 7) > kMaxAddressLength) {
        // The engine would cut it: nothing is opened or remembered.
        ctx.status.setStatusText(ctx.language.Captions[kAddressTooLongCaption]);
        return;
    } else {
        if (!hasKnownScheme(text)) {
            text = QStringLiteral("http://") + text;
            ctx.address.setAddressText(text);
        }
        openInView(ctx.tabs, tab, text);
        if (tab >= 0 && tab < main.TabURLs.size())
            main.TabURLs[tab] = text;
        QString site = text;
        Site_Name(site);
        ctx.tabs.setTabCaption(tab, site);
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

void Web_StatusTextChange(MainContext &ctx, const QString &text) { ctx.status.setStatusText(text); }

void Web_ProgressChange(MainContext &ctx, double progress, double maximum)
{
    if (progress >= 1 && maximum >= progress)
        ctx.status.setProgress(int(std::nearbyint(progress * 100.0 / maximum)));
}

void Web_TitleChange(MainContext &ctx, const QString &text)
{
    ctx.status.setStatusText(text);
    ctx.main.PageTitle = text;
}

void Web_BeforeNavigate2(MainContext &ctx, const QString &address)
{
    ctx.status.setProgress(0);
    if (address.toLower().startsWith(QStringLiteral("http")))
        ctx.address.setAddressText(address);
    ctx.status.setStatusText(ctx.language.Captions[179]);
    ctx.timers.setTimerEnabled(MainTimer::Timer5, true);
}

void Web_DocumentComplete(MainContext &ctx, const QString &address)
{
    ctx.status.setProgress(100);
    if (address.toLower().startsWith(QStringLiteral("http")))
        ctx.main.CurrentURL = address;
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
