// The main window: tabs, views, navigation, the window itself.
#include "browser/FindBar.h"
#include "platform/Desktop.h"
#include "support/MainWindowFixture.h"

#include <QClipboard>
#include <QStyleOptionTab>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <csignal>

using namespace lorva;
using namespace lorva::test;

namespace {

using MainWindow = MainWindowFixture;

// The caption as the tab draws it, cut to fit.
QString shownCaption(const QTabBar *bar, int index)
{
    struct Bar : QTabBar
    {
        using QTabBar::initStyleOption;
    };
    QStyleOptionTab option;
    static_cast<const Bar *>(bar)->initStyleOption(&option, index);
    return option.text;
}

} // namespace

TEST_F(MainWindow, TypingAnAddressAndEnterOpensItInTheCurrentTab)
{
    server.addPage("/hello", page("Hello page"));
    const QString typed = QStringLiteral("127.0.0.1:%1/hello").arg(server.port());
    type(typed);
    const QString url = "http://" + typed;
    ASSERT_TRUE(waitForLoad(0, url));
    EXPECT_EQ(server.requests("/hello"), 1);
    ASSERT_TRUE(waitUntil([&] { return window->statusBar()->text() == "Hello page"; }))
        << qPrintable(window->statusBar()->text());

    EXPECT_EQ(window->Text1()->currentText(), url);
    // A page of an IP address is named by the host, whole on its tab.
    EXPECT_EQ(window->Tab1()->tabText(0), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(shownCaption(window->Tab1(), 0), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(window->progressBar()->value(), 100);
    EXPECT_EQ(ctx->main.TabURLs[0], url);
    EXPECT_EQ(ctx->main.CurrentURL, url);
    EXPECT_EQ(ctx->main.PageTitle, QStringLiteral("Hello page"));
    EXPECT_GE(window->Text1()->findText(url), 0);

    // Screen readers find the texts Qt gives the widgets.
    QAccessibleInterface *box = QAccessible::queryAccessibleInterface(window->Text1());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(QAccessible::Value), url);
    // Its label, not the address, tells what the box is for.
    const auto labels = box->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.first().first->text(QAccessible::Name), ctx->language.Captions[224]);
    QAccessibleInterface *tabs = QAccessible::queryAccessibleInterface(window->Tab1());
    ASSERT_TRUE(tabs && tabs->childCount() >= 1);
    EXPECT_EQ(tabs->child(0)->text(QAccessible::Name), QStringLiteral("Hello page"));
    QAccessibleInterface *status = QAccessible::queryAccessibleInterface(window->statusBar());
    ASSERT_TRUE(status);
    EXPECT_EQ(status->text(QAccessible::Name), QStringLiteral("Hello page"));

    QDir().mkpath(QStringLiteral(LORVA_SCREENSHOT_DIR));
    QTest::qWait(300);
    window->screen()->grabWindow(0).save(QStringLiteral(LORVA_SCREENSHOT_DIR "/main-window.png"));
}

TEST_F(MainWindow, ARedirectLeavesTheFinalAddressAfterTheSettlingTick)
{
    server.addPage("/final", page("Final"));
    server.addRedirect("/moved", server.url("/final"));
    type(server.url("/moved"));
    ASSERT_TRUE(waitForLoad(0, server.url("/final")));
    ASSERT_TRUE(waitUntil([&] { return !window->timer(MainTimer::Timer5)->isActive(); }, 5000));
    EXPECT_EQ(window->Text1()->currentText(), server.url("/final"));
    // The tab holds the page it shows; the history what was typed.
    EXPECT_EQ(ctx->main.TabURLs[0], server.url("/final"));
    EXPECT_GE(window->Text1()->findText(server.url("/moved")), 0);
}

TEST_F(MainWindow, TheAddressBoxAndStatusStripFollowTheTabShown)
{
    server.addPage("/a", page("Page A"));
    server.addPage("/b", page("Page B"));
    server.addPage("/c", page("Page C"));
    type(server.url("/a"));
    ASSERT_TRUE(waitForLoad(0, server.url("/a")));
    person.click(Person::at(window->Tab1(), tabCentre(1)));
    ASSERT_TRUE(waitForLoad(1, server.url("/a")));
    type(server.url("/b"));
    ASSERT_TRUE(waitForLoad(1, server.url("/b")));
    ASSERT_TRUE(waitUntil([&] { return window->statusBar()->text() == "Page B"; }));

    // A page loading in a background tab leaves the window as it is.
    window->Web(2)->Navigate(server.url("/c"));
    ASSERT_TRUE(waitForLoad(2, server.url("/c")));
    QTest::qWait(300);
    EXPECT_EQ(window->Text1()->currentText(), server.url("/b"));
    EXPECT_EQ(window->statusBar()->text(), QStringLiteral("Page B"));

    person.click(Person::at(window->Tab1(), tabCentre(0)));
    ASSERT_TRUE(waitUntil([&] { return window->Tab1()->currentIndex() == 0; }, 3000));
    EXPECT_EQ(window->Text1()->currentText(), server.url("/a"));
    EXPECT_EQ(window->statusBar()->text(), QStringLiteral("Page A"));
    EXPECT_EQ(window->progressBar()->value(), 100);
    EXPECT_EQ(ctx->main.CurrentURL, server.url("/a"));

    // Ctrl+Tab from the page: the next tab's page, and the keyboard in it.
    person.click(Person::at(window->Web(0)->widget(), QPoint(40, 40)));
    ASSERT_TRUE(waitUntil([&] { return window->Web(0)->widget()->isAncestorOf(QApplication::focusWidget()); }, 3000));
    person.key("ctrl+Tab");
    ASSERT_TRUE(waitUntil([&] { return window->Tab1()->currentIndex() == 1; }, 3000));
    EXPECT_EQ(window->Text1()->currentText(), server.url("/b"));
    EXPECT_EQ(window->statusBar()->text(), QStringLiteral("Page B"));
    EXPECT_EQ(ctx->main.CurrentURL, server.url("/b"));
    EXPECT_TRUE(waitUntil([&] { return window->Web(1)->widget()->isAncestorOf(QApplication::focusWidget()); }, 3000));
    EXPECT_FALSE(window->Text1()->lineEdit()->hasSelectedText());
}

TEST_F(MainWindow, APageThatClosesItsWindowStaysOpen)
{
    server.addPage("/closer", page("Closer", "<p>Bye</p><script>setTimeout(function(){window.close();}, 50);</script>"));
    type(server.url("/closer"));
    ASSERT_TRUE(waitForLoad(0, server.url("/closer")));
    QTest::qWait(800);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Web(0)->widget()->isVisible());
    EXPECT_EQ(window->Web(0)->LocationURL(), server.url("/closer"));
}

TEST_F(MainWindow, ANewWindowRequestOpensInTheCurrentView)
{
    server.addPage("/other", page("Other"));
    server.addPage("/opener", page("Opener", "<a id='a' href='/other' target='_blank' "
                                              "style='display:block;width:100%;height:600px'>open</a>"));
    type(server.url("/opener"));
    ASSERT_TRUE(waitForLoad(0, server.url("/opener")));
    person.click(Person::at(window->Web(0)->widget(), QPoint(40, 40)));
    EXPECT_TRUE(waitForLoad(0, server.url("/other")));
    EXPECT_EQ(window->Tab1()->currentIndex(), 0);
}

TEST_F(MainWindow, AMiddleClickOnALinkShowsItInTheNextTabAndLeavesThePageInItsOwn)
{
    server.addPage("/linked", page("Linked"));
    server.addPage("/links", page("Links", "<a href='/linked' style='display:block;width:100%;height:600px'>on</a>"));
    type(server.url("/links"));
    ASSERT_TRUE(waitForLoad(0, server.url("/links")));
    person.click(Person::at(window->Web(0)->widget(), QPoint(40, 40)), 2);
    ASSERT_TRUE(waitForLoad(1, server.url("/linked")));
    EXPECT_EQ(window->Tab1()->currentIndex(), 1);
    EXPECT_EQ(window->Tab1()->tabText(1), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(window->Text1()->currentText(), server.url("/linked"));
    EXPECT_TRUE(window->Web(1)->widget()->isVisible());
    EXPECT_FALSE(window->Web(0)->widget()->isVisible());
    EXPECT_EQ(window->Web(0)->LocationURL(), server.url("/links"));
    EXPECT_EQ(ctx->main.TabURLs[0], server.url("/links"));
}

TEST_F(MainWindow, ClickingAnUnusedTabTakesOverThePreviousTab)
{
    server.addPage("/two", page("Two"));
    server.addPage("/one", page("One", "<a href='/two' style='display:block;width:100%;height:600px'>two</a>"));
    type(server.url("/one"));
    ASSERT_TRUE(waitForLoad(0, server.url("/one")));
    // The tab before shows another page than the one typed.
    person.click(Person::at(window->Web(0)->widget(), QPoint(40, 40)));
    ASSERT_TRUE(waitForLoad(0, server.url("/two")));

    person.click(Person::at(window->Tab1(), tabCentre(1)));
    ASSERT_TRUE(waitUntil([&] { return window->Tab1()->currentIndex() == 1; }, 2000));
    ASSERT_TRUE(waitForLoad(1, server.url("/two")));
    EXPECT_EQ(window->Tab1()->tabText(1), window->Tab1()->tabText(0));
    EXPECT_EQ(ctx->main.TabURLs[1], server.url("/two"));
    EXPECT_TRUE(window->Web(1)->widget()->isVisible());
    EXPECT_FALSE(window->Web(0)->widget()->isVisible());

    // A right click reloads the current view and switches nothing.
    person.click(Person::at(window->Tab1(), tabCentre(3)), 3);
    EXPECT_EQ(window->Tab1()->currentIndex(), 1);
    EXPECT_TRUE(window->Web(1)->widget()->isVisible());
    EXPECT_FALSE(window->Web(3)->widget()->isVisible());
}

TEST_F(MainWindow, TheTooltipOfTheTabsFollowsThePointer)
{
    ctx->main.TabURLs[1] = QStringLiteral("http://second.example/");
    person.moveTo(Person::at(window->Tab1(), tabCentre(1)));
    EXPECT_TRUE(waitUntil([&] { return window->Tab1()->toolTip() == "http://second.example/"; }, 2000));
}

TEST_F(MainWindow, TheMoveButtonsMoveTheWindowByTheDragAndF12CoversTheScreenAndGivesItBack)
{
    const QRect own(100, 100, 900, 600);
    window->setGeometry(own);
    ASSERT_TRUE(waitUntil([&] { return window->frameGeometry() == own; }, 3000));
    const QRect screen = window->screen()->geometry();

    // Each button moves the window by as much as it was dragged, even in a
    // drag so quick that the button is up before the program sees it down;
    // the window then stays where it was put while the pointer goes on.
    QPoint grip = Person::at(window->cmdMove());
    const auto number = [](int n) { return QString::number(n); };
    person.xdotool({"mousemove", number(grip.x()), number(grip.y()), "mousedown", "1", "mousemove",
                    number(grip.x() + 60), number(grip.y() + 40), "mouseup", "1"});
    EXPECT_TRUE(waitUntil([&] { return window->frameGeometry() == own.translated(60, 40); }, 3000))
        << window->frameGeometry().x() << "," << window->frameGeometry().y();
    person.moveTo(QPoint(300, 200));
    QTest::qWait(300);
    person.moveTo(QPoint(310, 210));
    QTest::qWait(300);
    EXPECT_EQ(window->frameGeometry(), own.translated(60, 40)) << "the window follows the pointer after the drag";
    grip = Person::at(window->findChild<QToolButton *>(QStringLiteral("cmdMoveL")));
    person.drag(grip, grip + QPoint(-30, 20), 5, 50);
    EXPECT_TRUE(waitUntil([&] { return window->frameGeometry() == own.translated(30, 60); }, 3000))
        << window->frameGeometry().x() << "," << window->frameGeometry().y();
    // Dragged far past the screen's corner, the window stops at its edges.
    grip = Person::at(window->cmdMove());
    person.drag(grip, grip + QPoint(900, 900), 5, 50);
    const QRect atCorner(screen.bottomRight() - QPoint(899, 599), own.size());
    EXPECT_TRUE(waitUntil([&] { return window->frameGeometry() == atCorner; }, 3000))
        << window->frameGeometry().x() << "," << window->frameGeometry().y();

    person.key("F12");
    ASSERT_TRUE(waitUntil([&] { return window->frameGeometry() == screen; }, 3000))
        << window->geometry().width() << "x" << window->geometry().height();
    EXPECT_FALSE(window->isMaximized());
    person.key("F12");
    EXPECT_TRUE(waitUntil([&] { return window->frameGeometry() == atCorner; }, 3000))
        << window->geometry().width() << "x" << window->geometry().height();
}

TEST_F(MainWindow, TheKeysOfOtherBrowsersWorkWithTheFocusInThePage)
{
    server.addPage("/fruit", page("Fruit", "<p>An apple, an apple and a third apple.</p>"));
    server.addPage("/plain", page("Plain", "<p>Some text to select.</p>"));
    type(server.url("/fruit"));
    ASSERT_TRUE(waitForLoad(0, server.url("/fruit")));
    type(server.url("/plain"));
    ASSERT_TRUE(waitForLoad(0, server.url("/plain")));
    auto *engine = qobject_cast<QWebEngineView *>(window->Web(0)->widget());
    ASSERT_TRUE(engine);
    const auto intoThePage = [&] {
        person.click(Person::at(engine, QPoint(engine->width() / 2, engine->height() - 20)));
        return waitUntil([&] { return engine->focusProxy() && engine->focusProxy()->hasFocus(); }, 3000);
    };

    ASSERT_TRUE(intoThePage());
    person.key("alt+Left");
    ASSERT_TRUE(waitForLoad(0, server.url("/fruit")));
    ASSERT_TRUE(intoThePage());
    const int loads = server.requests("/fruit");
    person.key("F5");
    EXPECT_TRUE(waitUntil([&] { return server.requests("/fruit") == loads + 1; }, 5000));
    ASSERT_TRUE(waitForLoad(0, server.url("/fruit")));
    ASSERT_TRUE(intoThePage());
    person.key("ctrl+r");
    EXPECT_TRUE(waitUntil([&] { return server.requests("/fruit") == loads + 2; }, 5000));
    ASSERT_TRUE(waitForLoad(0, server.url("/fruit")));

    // Find in page, with the number of matches and the current one.
    ASSERT_TRUE(intoThePage());
    person.key("ctrl+f");
    ASSERT_TRUE(waitUntil([&] { return window->findBar()->box()->hasFocus(); }, 3000));
    person.type("apple");
    EXPECT_TRUE(waitUntil([&] { return window->findBar()->count()->text() == "1/3"; }, 3000))
        << qPrintable(window->findBar()->count()->text());
    person.key("Return");
    EXPECT_TRUE(waitUntil([&] { return window->findBar()->count()->text() == "2/3"; }, 3000))
        << qPrintable(window->findBar()->count()->text());
    person.type("zzz");
    EXPECT_TRUE(waitUntil([&] { return window->findBar()->count()->text() == "0/0"; }, 3000))
        << qPrintable(window->findBar()->count()->text());
    person.key("Escape");
    EXPECT_TRUE(waitUntil([&] { return !window->findBar()->isVisible(); }, 2000));

    ASSERT_TRUE(intoThePage());
    person.key("alt+Right");
    ASSERT_TRUE(waitForLoad(0, server.url("/plain")));
    // F7 puts a caret into the page's text; Shift and the arrows select.
    ASSERT_TRUE(engine->focusProxy()->hasFocus());
    person.key("F7");
    QTest::qWait(200);
    person.key("shift+Right shift+Right shift+Right shift+Right");
    EXPECT_TRUE(waitUntil([&] { return engine->page()->selectedText() == "Some"; }, 3000))
        << qPrintable(engine->page()->selectedText());
}

TEST_F(MainWindow, TypedAddressesSurviveARestart)
{
    server.addPage("/remember", page("Remember me"));
    type(server.url("/remember"));
    ASSERT_TRUE(waitForLoad(0, server.url("/remember")));
    stop();
    EXPECT_TRUE(folder.read("Data/lorvaspeak.Hys").contains(server.url("/remember").toUtf8() + "\r\n"));

    start();
    EXPECT_GE(window->Text1()->findText(server.url("/remember")), 0);
}


TEST_F(MainWindow, AQuickClickOutsideTheWindowIsRemembered)
{
    if (!seesPressesOutsideProgram())
        GTEST_SKIP() << "this X server reports no raw button events";
    window->setGeometry(100, 100, 600, 400);
    ASSERT_TRUE(waitUntil([&] { return window->geometry() == QRect(100, 100, 600, 400); }, 3000));
    forgetLeftPress();
    person.click(QPoint(1000, 700)); // press and release at once, on the desktop
    QTest::qWait(100);
    EXPECT_TRUE(leftButtonDownOrPressed()) << "the click outside the window was missed";
    EXPECT_FALSE(leftButtonDownOrPressed()) << "a press is remembered once";
}

TEST_F(MainWindow, AnAddressLongerThanALineEditHoldsOpensWhole)
{
    const QString path = "/long?" + QString(40000, u'a');
    server.addPage(path, page("Long"));
    QGuiApplication::clipboard()->setText(server.url(path));
    person.click(Person::at(window->Text1()->lineEdit()));
    person.key("ctrl+a ctrl+v Return");
    ASSERT_TRUE(waitForLoad(0, server.url(path)));
    EXPECT_EQ(server.requests(path), 1);
}

TEST_F(MainWindow, AKilledRendererLeavesAPageOfTheProgramsOwnThatReloadsIt)
{
    const auto &C = ctx->language.Captions;
    server.addPage("/doomed", page("Doomed", "<p>Still here.</p>"));
    type(server.url("/doomed"));
    ASSERT_TRUE(waitForLoad(0, server.url("/doomed")));
    const QString caption = window->Tab1()->tabText(0);
    auto *engine = qobject_cast<QWebEngineView *>(window->Web(0)->widget());
    ASSERT_TRUE(engine);
    const qint64 renderer = engine->page()->renderProcessPid();
    ASSERT_GT(renderer, 0);
    ::kill(pid_t(renderer), SIGKILL);

    ASSERT_TRUE(waitUntil([&] { return window->Web(0)->outerHTML().contains(C[237]); }, 10000))
        << "the tab shows nothing of what happened";
    EXPECT_EQ(window->statusBar()->text(), C[237] + ": " + server.url("/doomed"));
    EXPECT_EQ(window->Web(0)->LocationURL(), server.url("/doomed"));
    EXPECT_EQ(window->Tab1()->tabText(0), caption);
    EXPECT_TRUE(window->isVisible());

    // A right click on the tab reloads: the page itself comes back.
    person.click(Person::at(window->Tab1(), tabCentre(0)), 3);
    EXPECT_TRUE(waitUntil([&] { return window->Web(0)->outerHTML().contains("Still here."); }, 10000));
}

TEST_F(MainWindow, CtrlPlusZoomsTheSiteAndItsLevelComesBackAfterARestart)
{
    server.addPage("/zoom", page("Zoom", "<p style=\"font:bold 40px monospace;color:#000;margin:8px\">MMMMMMMM</p>"));
    // How wide the dark text is on the screen, in pixels.
    const auto textWidth = [&] {
        QWidget *view = window->Web(0)->widget();
        const QPoint at = view->mapToGlobal(QPoint(0, 0));
        const QImage shot = window->screen()->grabWindow(0, at.x(), at.y(), view->width(), 200).toImage();
        int left = shot.width(), right = -1;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (qGray(shot.pixel(x, y)) < 80) {
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
        return right - left + 1;
    };
    type(server.url("/zoom"));
    ASSERT_TRUE(waitForLoad(0, server.url("/zoom")));
    QTest::qWait(300);
    const int plain = textWidth();
    ASSERT_GT(plain, 100);

    // Once with the keyboard in the page (where opening it left it), once in
    // the address box: 100 % to 110 % to 125 %.
    person.key("ctrl+plus");
    ASSERT_TRUE(waitUntil([&] { return window->statusBar()->text().endsWith("110%"); }, 3000))
        << qPrintable(window->statusBar()->text());
    person.key("ctrl+l");
    ASSERT_TRUE(waitUntil([&] { return window->Text1()->lineEdit()->hasFocus(); }, 3000));
    person.key("ctrl+plus");
    const auto zoomed = [&] { return textWidth() > plain * 1.2 && textWidth() < plain * 1.3; };
    EXPECT_TRUE(waitUntil(zoomed, 5000)) << plain << " to " << textWidth();
    EXPECT_EQ(window->Text1()->currentText(), server.url("/zoom")) << "the keys edited the box";

    stop();
    EXPECT_EQ(folder.read("Data/Zoom.txt"), "127.0.0.1\t125\r\n");
    start();
    type(server.url("/zoom"));
    ASSERT_TRUE(waitForLoad(0, server.url("/zoom")));
    EXPECT_TRUE(waitUntil(zoomed, 5000)) << plain << " to " << textWidth();
}
