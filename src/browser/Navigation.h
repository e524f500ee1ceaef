#pragma once

#include <QString>
#include <QStringList>

namespace lorva {

class BrowserView;
class Platform;
class TabHost;
struct MainContext;

// Opens the address box's text in the current tab, adding "http://" when it
// has no scheme, or looks for it on the search site when it is words, not
// an address; records what it opened in the history when `addHistory` is 1.
void GO_Address(MainContext &ctx, int addHistory);

// Address box events.
void Text1_Click(MainContext &ctx);
// Returns true when the key was consumed (Enter).
bool Text1_KeyDown(MainContext &ctx, int keyCode);
void Text1_GotFocus(MainContext &ctx);

// Events of the view of tab `index`: they update that tab's stored page,
// title and progress, and the window shows them when the tab is current.
void Web_StatusTextChange(MainContext &ctx, int index, const QString &text);
void Web_ProgressChange(MainContext &ctx, int index, double progress, double maximum);
void Web_TitleChange(MainContext &ctx, int index, const QString &text);
void Web_BeforeNavigate2(MainContext &ctx, int index, const QString &address);
void Web_DocumentComplete(MainContext &ctx, int index, const QString &address);

// The tab a link asked for in a new tab opens in, from the tab `from`: the
// next tab after it that has no page yet, going round to the first; when
// every tab has one, the tab right after it (the first after the last).
// A single tab is its own next.
int tabForNewLink(const QStringList &tabURLs, int tabCount, int from);

// The user asked for a link of the page in tab `from` in a new tab: the
// link opens in tabForNewLink() and that tab is shown; the page of `from`
// stays in its tab.
void Web_LinkInNewTab(MainContext &ctx, int from, const QString &address);

// The current tab's page, title and progress in the address box and the
// status strip, as after a switch of tab.
void showCurrentTab(MainContext &ctx);

// The caption of tab `index`: the site name of `address`, or nothing.
void captionTab(TabHost &tabs, int index, const QString &address);

// The renderer of view `index` died: the view shows a page of the program's
// own naming the address with a way to open it again, and so does the status text.
void Web_PageCrashed(MainContext &ctx, int index);

// The longest address the browser engine opens.
inline constexpr int kMaxAddressLength = 2 * 1024 * 1024;

// Address settling: shows the current view's final address once it is idle.
void Timer5_Timer(MainContext &ctx);

// Waits, letting events run, until `view` has loaded its page. Gives up
// after `limitMs`; returns whether the page is complete.
bool WebAttend(BrowserView &view, Platform &platform, int limitMs = 60000);

// What the main window's logic asks of a tab's view, when it has one.
void openInView(TabHost &tabs, int index, const QString &address);
void refreshView(TabHost &tabs, int index);
void stopView(TabHost &tabs, int index);

} // namespace lorva
