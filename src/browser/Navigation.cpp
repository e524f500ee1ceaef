#include "browser/Navigation.h"

#include "addresses/History.h"
#include "app/AppContext.h"
#include "app/MainWindowPort.h"
#include "browser/SiteName.h"
#include "config/LegacyText.h"

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
    return lower.left(8) == u"https://" || lower.left(6) == u"ftp://" || lower.left(7) == u"http://";
}

} // namespace

void GO_Address(AppContext &ctx, MainWindowPort &window, int addHistory)
{
    MainState &main = ctx.main;
    const int tab = window.currentTab();
    QString text = window.addressText();

    if (text.isEmpty()) {
        if (!ctx.language.StartPage.isEmpty())
            window.navigateView(tab, ctx.language.StartPage);
    } else if (text.size() + (hasKnownScheme(text) ? 0 : 7) > kMaxAddressLength) {
        // The engine would cut it: nothing is opened or remembered.
        window.setStatusText(ctx.language.Captions[kAddressTooLongCaption]);
        return;
    } else {
        if (!hasKnownScheme(text)) {
            text = QStringLiteral("http://") + text;
            window.setAddressText(text);
        }
        window.navigateView(tab, text);
        if (tab >= 0 && tab < main.TabURLs.size())
            main.TabURLs[tab] = text;
        QString site = text;
        Site_Name(site);
        window.setTabCaption(tab, site);
        main.CurrentURL = text;
        main.LastGoURL = main.CurrentURL;
        if (legacy::trimSpaces(main.CurrentURL).toLower().startsWith(QStringLiteral("http")) &&
            main.CurrentURL.size() > 8 && addHistory == 1)
            Hyst_Add(window.history(), main.CurrentURL);
    }

    window.focusView(tab);
    if (ctx.options.FloatingBars == 1)
        window.setTimerEnabled(MainTimer::Timer1, true);
}

void Text1_Click(AppContext &ctx, MainWindowPort &window) { GO_Address(ctx, window, 1); }

bool Text1_KeyDown(AppContext &ctx, MainWindowPort &window, int keyCode)
{
    if (keyCode != kEnter)
        return false;
    GO_Address(ctx, window, 1);
    return true;
}

void Text1_GotFocus(AppContext &, MainWindowPort &window) { window.setTimerEnabled(MainTimer::Timer1, false); }

void Web_StatusTextChange(MainWindowPort &window, const QString &text) { window.setStatusText(text); }

void Web_ProgressChange(MainWindowPort &window, double progress, double maximum)
{
    if (progress >= 1 && maximum >= progress)
        window.setProgress(int(std::nearbyint(progress * 100.0 / maximum)));
}

void Web_TitleChange(AppContext &ctx, MainWindowPort &window, const QString &text)
{
    window.setStatusText(text);
    ctx.main.PageTitle = text;
}

void Web_BeforeNavigate2(AppContext &ctx, MainWindowPort &window, const QString &address)
{
    window.setProgress(0);
    if (address.toLower().startsWith(QStringLiteral("http")))
        window.setAddressText(address);
    window.setStatusText(ctx.language.Captions[179]);
    window.setTimerEnabled(MainTimer::Timer5, true);
}

void Web_DocumentComplete(AppContext &ctx, MainWindowPort &window, const QString &address)
{
    window.setProgress(100);
    if (address.toLower().startsWith(QStringLiteral("http")))
        ctx.main.CurrentURL = address;
}

void Web_PageCrashed(AppContext &ctx, MainWindowPort &window, int index)
{
    const auto &C = ctx.language.Captions;
    const QString address = window.viewLocationURL(index);
    const QString shown = address.toHtmlEscaped();
    const QString html =
        QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>") + C[kPageCrashedCaption].toHtmlEscaped() +
        QStringLiteral("</title></head><body style=\"font:16px sans-serif;margin:48px;color:#333\">"
                       "<h1 style=\"font-size:22px;font-weight:normal\">") +
        C[kPageCrashedCaption].toHtmlEscaped() +
        QStringLiteral("</h1><p style=\"word-break:break-all;color:#555\">") + shown +
        QStringLiteral("</p><p><a id=\"reload\" href=\"") + shown + QStringLiteral("\">") +
        C[kReloadCaption].toHtmlEscaped() + QStringLiteral("</a></p></body></html>");
    window.showViewPage(index, html, address);
    window.setStatusText(C[kPageCrashedCaption] + QStringLiteral(": ") + address);
}

void Timer5_Timer(AppContext &, MainWindowPort &window)
{
    const int tab = window.currentTab();
    if (window.viewBusy(tab))
        return;
    window.setAddressText(window.viewLocationURL(tab));
    window.setTimerEnabled(MainTimer::Timer5, false);
}

bool WebAttend(MainWindowPort &window, int limitMs)
{
    int waited = 500;
    window.wait(500);
    while (window.viewBusy(window.currentTab())) {
        if (waited >= limitMs)
            return false;
        window.wait(1000);
        waited += 1000;
    }
    while (window.viewReadyState(window.currentTab()) != u"complete") {
        if (waited >= limitMs)
            return false;
        window.wait(1000);
        waited += 1000;
    }
    return true;
}

} // namespace lorva
