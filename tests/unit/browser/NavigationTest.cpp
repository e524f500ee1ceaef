#include "browser/MainWindowLogic.h"
#include "browser/Navigation.h"
#include "fakes/FakeProgram.h"

#include <gtest/gtest.h>

using namespace lorva;
using lorva::test::FakeProgram;

namespace {

struct Window : FakeProgram
{
    Window()
    {
        ctx.language.StartPage = QStringLiteral("http://start.example/");
        ctx.language.SearchUrl = QStringLiteral("http://search.example/?q=");
        ctx.language.Captions[179] = QStringLiteral("Opening");
        window.setTabCount(3);
        ctx.main.TabURLs = QStringList(3, QString());
        window.current = 1;
    }

    void go(const QString &typed, int addHistory = 1)
    {
        window.list.boxText = typed;
        GO_Address(main, addHistory);
    }
};

} // namespace

TEST(GoAddress, AddsTheSchemeToAnAddressAndSearchesWords)
{
    const struct
    {
        const char *typed;
        const char *opened;
        const char *tab;
        bool inHistory;
    } rows[] = {
        {"example.com", "http://example.com", "Example.com", true},
        {"HTTPS://Example.com/Path", "HTTPS://Example.com/Path", "Https:", true},
        {"Http://a.example/", "Http://a.example/", "Http:", true},
        {"ftp://files.example/", "ftp://files.example/", "Ftp:", false},
        {"http://a", "http://a", "A", false},            // 8 characters: not remembered
        {"http://ab", "http://ab", "Ab", true},          // 9 characters
        {"mailto:someone@example.com", "mailto:someone@example.com", "Mailto:someone@example.com", false},
        {"python pathlib", "http://search.example/?q=python%20pathlib", "Search.example", true},
        {"my host/A Path", "http://search.example/?q=my%20host%2FA%20Path", "Search.example", true},
        {"localhost:8080/x", "http://localhost:8080/x", "localhost", true},
        {" www.example.com", "http://www.example.com", "Example", true},
        // A file and the program's own page open as typed, and are not remembered.
        {"file:///tmp/Page.mht", "file:///tmp/Page.mht", "File:", false},
        {"lorvaspeak://start/", "lorvaspeak://start/", "Lorvaspeak:", false},
    };
    for (const auto &row : rows) {
        Window w;
        w.go(QString::fromLatin1(row.typed));
        const QString opened = QString::fromLatin1(row.opened);
        EXPECT_EQ(w.window.addressText(), opened) << row.typed;
        EXPECT_TRUE(w.window.calls.contains("navigate 1 " + opened)) << row.typed;
        EXPECT_EQ(w.ctx.main.TabURLs[1], opened) << row.typed;
        EXPECT_EQ(w.window.tabCaption(1), QString::fromLatin1(row.tab)) << row.typed;
        EXPECT_EQ(w.ctx.main.CurrentURL, opened) << row.typed;
        EXPECT_EQ(w.ctx.main.LastGoURL, opened) << row.typed;
        EXPECT_EQ(w.window.list.items.contains(opened), row.inHistory) << row.typed;
        EXPECT_TRUE(w.window.calls.contains("focus 1")) << row.typed;
    }
}

TEST(GoAddress, AnAddressTooLongForTheEngineIsRefusedNotCut)
{
    Window w;
    w.ctx.language.Captions[238] = QStringLiteral("Too long.");
    const QString longest = "http://a.example/" + QString(kMaxAddressLength - 17, u'x');
    w.go(longest);
    EXPECT_EQ(w.window.views[1].location, longest);
    EXPECT_EQ(w.window.list.items, QStringList({longest}));

    Window v;
    v.ctx.language.Captions[238] = QStringLiteral("Too long.");
    v.go("a.example/" + QString(kMaxAddressLength - 16, u'x')); // one over, with "http://"
    EXPECT_EQ(v.window.statusText, QStringLiteral("Too long."));
    EXPECT_TRUE(v.window.views[1].location.isEmpty());
    EXPECT_TRUE(v.window.list.items.isEmpty());
    EXPECT_EQ(v.ctx.main.TabURLs[1], QString());
}

TEST(ViewEvents, ACrashedPageIsReplacedByTheProgramsOwnPageWithTheAddressEscaped)
{
    Window w;
    w.ctx.language.Captions[237] = QStringLiteral("This page stopped working");
    w.ctx.language.Captions[126] = QStringLiteral("Reload");
    const QString address = QStringLiteral("http://a.example/?q=<script>alert(1)</script>&x=\"y\"");
    w.window.views[2].location = address;
    // A background tab's crash leaves the status strip to the tab shown.
    w.window.setCurrentTab(1);
    w.window.statusText = QStringLiteral("shown tab");
    Web_PageCrashed(w.main, 2);
    EXPECT_EQ(w.window.statusText, QStringLiteral("shown tab"));
    w.window.setCurrentTab(2);
    Web_PageCrashed(w.main, 2);
    const QString page = w.window.views[2].ownPage;
    EXPECT_EQ(w.window.views[2].location, address);
    EXPECT_TRUE(page.contains("This page stopped working"));
    EXPECT_TRUE(page.contains("href=\"http://a.example/?q=&lt;script&gt;alert(1)&lt;/script&gt;&amp;x=&quot;y&quot;\""));
    EXPECT_FALSE(page.contains("<script>"));
    EXPECT_TRUE(page.contains(">Reload</a>"));
    EXPECT_EQ(w.window.statusText, "This page stopped working: " + address);
}

TEST(GoAddress, AnEmptyBoxOpensTheStartPageAndTouchesNothingElse)
{
    Window w;
    w.ctx.main.TabURLs[1] = "http://before.example/";
    w.ctx.main.CurrentURL = "http://before.example/";
    w.window.setTabCaption(1, "Before");
    w.go("");
    EXPECT_TRUE(w.window.calls.contains("navigate 1 http://start.example/"));
    EXPECT_EQ(w.ctx.main.TabURLs[1], QStringLiteral("http://before.example/"));
    EXPECT_EQ(w.ctx.main.CurrentURL, QStringLiteral("http://before.example/"));
    EXPECT_EQ(w.window.tabCaption(1), QStringLiteral("Before"));
    EXPECT_TRUE(w.window.list.items.isEmpty());
    EXPECT_EQ(w.window.addressText(), QString());
}

TEST(GoAddress, SiteCommandsDoNotRememberAndFloatingModeResumes)
{
    Window w;
    w.ctx.options.FloatingBars = 1;
    w.go("http://site.example/", 0);
    EXPECT_TRUE(w.window.list.items.isEmpty());
    EXPECT_TRUE(w.window.timers[MainTimer::Timer1].enabled);

    w.go("http://site.example/", 1);
    w.go("http://site.example/  ", 1);
    EXPECT_EQ(w.window.list.items, QStringList({"http://site.example/"}));
}

TEST(AddressBox, EnterIsConsumedAndFocusPausesFloatingMode)
{
    Window w;
    w.window.list.boxText = "example.org";
    EXPECT_FALSE(Text1_KeyDown(w.main, 65));
    EXPECT_TRUE(w.window.calls.filter("navigate").isEmpty());
    EXPECT_TRUE(Text1_KeyDown(w.main, 13));
    EXPECT_TRUE(w.window.calls.contains("navigate 1 http://example.org"));

    w.window.setTimerEnabled(MainTimer::Timer1, true);
    Text1_GotFocus(w.main);
    EXPECT_FALSE(w.window.timers[MainTimer::Timer1].enabled);
}

TEST(ViewEvents, ProgressIsScaledAndOddReportsIgnored)
{
    Window w;
    Web_ProgressChange(w.main, 1, 1, 3);
    EXPECT_EQ(w.window.progress, 33);
    Web_ProgressChange(w.main, 1, 1, 8); // 12.5: half to even
    EXPECT_EQ(w.window.progress, 12);
    Web_ProgressChange(w.main, 1, 3, 8); // 37.5
    EXPECT_EQ(w.window.progress, 38);
    for (auto [p, m] : {std::pair{0, 100}, {-1, 100}, {101, 100}, {5, 0}}) {
        Web_ProgressChange(w.main, 1, p, m);
        EXPECT_EQ(w.window.progress, 38) << p << "/" << m;
    }
}

TEST(ViewEvents, EachTabKeepsItsOwnPageAndTheWindowShowsTheCurrentTabs)
{
    Window w; // tab 1 is current
    Web_BeforeNavigate2(w.main, 1, "https://next.example/");
    EXPECT_EQ(w.window.progress, 0);
    EXPECT_EQ(w.window.addressText(), QStringLiteral("https://next.example/"));
    EXPECT_EQ(w.window.statusText, QStringLiteral("Opening"));
    EXPECT_TRUE(w.window.timers[MainTimer::Timer5].enabled);
    EXPECT_EQ(w.window.tabCaption(1), QStringLiteral("Next.example"));

    // The engine's own error page is no page of the tab.
    Web_BeforeNavigate2(w.main, 1, "chrome-error://chromewebdata/");
    EXPECT_EQ(w.window.addressText(), QStringLiteral("https://next.example/"));
    EXPECT_EQ(w.ctx.main.TabURLs[1], QStringLiteral("https://next.example/"));

    Web_TitleChange(w.main, 1, "A title");
    EXPECT_EQ(w.window.statusText, QStringLiteral("A title"));
    EXPECT_EQ(w.ctx.main.PageTitle, QStringLiteral("A title"));
    EXPECT_EQ(w.window.tabCaption(1), QStringLiteral("Next.example"));
    Web_DocumentComplete(w.main, 1, "https://next.example/");
    EXPECT_EQ(w.window.progress, 100);
    EXPECT_EQ(w.ctx.main.CurrentURL, QStringLiteral("https://next.example/"));
    Web_StatusTextChange(w.main, 1, "http://link.example/");
    EXPECT_EQ(w.window.statusText, QStringLiteral("http://link.example/"));

    // Tab 2 loads in the background: only what it keeps changes.
    w.window.setTimerEnabled(MainTimer::Timer5, false);
    Web_BeforeNavigate2(w.main, 2, "http://www.other.example/b");
    Web_ProgressChange(w.main, 2, 30, 100);
    Web_TitleChange(w.main, 2, "Other");
    Web_StatusTextChange(w.main, 2, "http://hover.example/");
    EXPECT_EQ(w.window.addressText(), QStringLiteral("https://next.example/"));
    EXPECT_EQ(w.window.statusText, QStringLiteral("http://link.example/"));
    EXPECT_EQ(w.window.progress, 100);
    EXPECT_EQ(w.ctx.main.PageTitle, QStringLiteral("A title"));
    EXPECT_EQ(w.ctx.main.CurrentURL, QStringLiteral("https://next.example/"));
    EXPECT_FALSE(w.window.timers[MainTimer::Timer5].enabled);
    EXPECT_EQ(w.ctx.main.TabURLs[2], QStringLiteral("http://www.other.example/b"));
    EXPECT_EQ(w.window.tabCaption(2), QStringLiteral("Other"));

    // A switch of tab shows the new tab's page, title and progress.
    w.window.current = 2;
    Tab1_MouseDown(w.ctx.main, 1);
    Tab1_Click(w.main);
    EXPECT_EQ(w.window.addressText(), QStringLiteral("http://www.other.example/b"));
    EXPECT_EQ(w.window.statusText, QStringLiteral("Other"));
    EXPECT_EQ(w.window.progress, 30);
    EXPECT_EQ(w.ctx.main.CurrentURL, QStringLiteral("http://www.other.example/b"));
    EXPECT_EQ(w.ctx.main.PageTitle, QStringLiteral("Other"));
    EXPECT_TRUE(w.window.calls.filter("navigate").isEmpty());
}

TEST(AddressSettling, WaitsUntilTheViewIsIdle)
{
    Window w;
    w.window.setTimerEnabled(MainTimer::Timer5, true);
    w.window.views[1].busy = true;
    w.window.views[1].location = "http://final.example/";
    w.window.list.boxText = "http://start.example/";
    Timer5_Timer(w.main);
    EXPECT_EQ(w.window.addressText(), QStringLiteral("http://start.example/"));
    EXPECT_TRUE(w.window.timers[MainTimer::Timer5].enabled);

    w.window.views[1].busy = false;
    Timer5_Timer(w.main);
    EXPECT_EQ(w.window.addressText(), QStringLiteral("http://final.example/"));
    EXPECT_FALSE(w.window.timers[MainTimer::Timer5].enabled);

    // The user has begun typing another address: it stays as typed.
    w.window.setTimerEnabled(MainTimer::Timer5, true);
    w.window.editingAddress = true;
    w.window.list.boxText = "new addr";
    Timer5_Timer(w.main);
    EXPECT_EQ(w.window.addressText(), QStringLiteral("new addr"));
    EXPECT_FALSE(w.window.timers[MainTimer::Timer5].enabled);
}

TEST(WebAttend, WaitsForIdleThenCompleteAndGivesUpAtTheLimit)
{
    Window w;
    auto &view = w.window.views[1];
    view.busy = true;
    view.readyStateText = "loading";
    int waits = 0;
    w.platform.fakeWaits.onWait = [&] {
        if (++waits == 3)
            view.busy = false;
        if (waits == 5)
            view.readyStateText = "complete";
    };
    EXPECT_TRUE(WebAttend(view, w.platform));
    EXPECT_EQ(waits, 5);
    EXPECT_EQ(w.platform.fakeWaits.waitedMs, 500 + 4 * 1000);

    Window stuck;
    stuck.window.views[1].busy = true;
    EXPECT_FALSE(WebAttend(stuck.window.views[1], stuck.platform, 60000));
    EXPECT_EQ(stuck.platform.fakeWaits.waitedMs, 60500);
}

TEST(LinkInNewTab, TakesTheNextTabWithoutAPageGoingRoundToTheFirst)
{
    const QString u = QStringLiteral("http://used.example/");
    const struct
    {
        QStringList urls;
        int tabCount;
        int from;
        int chosen;
    } rows[] = {
        {{u, u, {}, u, {}}, 5, 1, 2},
        {{u, u, u, u, {}}, 5, 2, 4},
        {{u, {}, u, u, u}, 5, 4, 1},  // round past the last tab
        {{{}, u, u, u, u}, 5, 2, 0},
        {{u, u}, 4, 1, 2},            // tabs past the list have no page
        {{u, u, u, u, u}, 5, 2, 3},   // every tab used: the one after
        {{u, u, u, u, u}, 5, 4, 0},
        {{u}, 1, 0, 0},
    };
    for (const auto &row : rows)
        EXPECT_EQ(tabForNewLink(row.urls, row.tabCount, row.from), row.chosen)
            << row.urls.join(',').toStdString() << " from " << row.from;
}
