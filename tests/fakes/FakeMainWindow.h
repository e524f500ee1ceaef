#pragma once

#include "addresses/History.h"
#include "app/MainWindowPort.h"
#include "commands/Dispatcher.h"
#include "commands/ImageList.h"
#include "fakes/FakeSpeech.h"
#include "support/QtPrint.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <utility>
#include <set>

namespace lorva::test {

// Tab strip and views that only remember what was asked of them.
class FakeTabs : public TabHost
{
public:
    void setTabCount(int count) override;
    int tabCount() const override { return m_count; }
    void createView(int index) override;
    void setTabCaption(int index, const QString &caption) override;

    int m_count = 1;
    std::set<int> views{0};
    std::map<int, QString> captions;
    QStringList calls;
};

// The address box's list as a plain list of texts.
class FakeAddressList : public AddressList
{
public:
    int count() const override { return int(items.size()); }
    QString item(int index) const override { return items.at(index); }
    void append(const QString &text) override { items << text; }
    QString text() const override { return boxText; }

    QStringList items;
    QString boxText;
};

// The main window as a recorder of every call, in order.
class FakeMainWindow : public MainWindowPort
{
public:
    struct TimerState
    {
        int interval = 0;
        bool enabled = false;
    };
    struct ViewState
    {
        bool visible = false;
        bool busy = false;
        QString location;
        QString readyState = QStringLiteral("complete");
        QString ownPage;
        TwipsRect place;
    };

    std::unique_ptr<SpeechEngine> createSpeech() override
    {
        return std::make_unique<FakeSpeech>(voices, &speechLog, audioAvailable);
    }
    const ImageList &imageList() const override { return images; }
    QWidget *tabStripWidget() override { return nullptr; }
    void attachCommandBars(int style) override { calls << QStringLiteral("attachBars %1").arg(style); }
    void setWindowNames(const WindowNames &names) override
    {
        moveToolTip = names.moveButtons;
        windowNames = names;
    }

    void setTabCount(int count) override { tabs.setTabCount(count); }
    int tabCount() const override { return tabs.tabCount(); }
    void createView(int index) override { tabs.createView(index); }
    void setTabCaption(int index, const QString &caption) override;

    QString tabCaption(int index) const override;
    void setTabToolTip(const QString &text) override { tabToolTip = text; }
    void setCurrentTab(int index) override;
    int currentTab() const override { return current; }
    void navigateView(int index, const QString &address) override;
    void showView(int index) override;
    void setViewVisible(int index, bool visible) override;
    void placeView(int index, const TwipsRect &place) override { views[index].place = place; }
    void stopView(int index) override;
    void refreshView(int index) override;
    void focusView(int index) override;
    void pageCommand(int index, int command) override
    {
        calls << QStringLiteral("page %1 %2").arg(index).arg(command);
        if (onPageCommand)
            onPageCommand(command);
    }
    bool viewBusy(int index) const override;
    QString viewLocationURL(int index) const override;
    QString viewReadyState(int index) override;
    void showViewPage(int index, const QString &html, const QString &address) override
    {
        views[index].ownPage = html;
        views[index].location = address;
        calls << QStringLiteral("ownPage %1 ").arg(index) + address;
    }
    QString addressText() const override { return list.boxText; }
    void setAddressText(const QString &text) override;
    AddressList &history() override { return list; }
    void setStatusText(const QString &text) override { statusText = text; }
    void setProgress(int value) override { progress = value; }
    void setTimerInterval(MainTimer timer, int milliseconds) override { timers[timer].interval = milliseconds; }
    int timerInterval(MainTimer timer) const override;
    void setTimerEnabled(MainTimer timer, bool enabled) override { timers[timer].enabled = enabled; }
    int screenWidthTwips() const override { return 1920 * 15; }
    int screenHeightTwips() const override { return 1080 * 15; }
    int innerWidthTwips() const override { return rect.width; }
    int innerHeightTwips() const override { return rect.height; }
    TwipsRect windowRectTwips() const override { return rect; }
    WindowShowState windowShowState() const override { return showState; }
    void moveWindowTwips(int left, int top, int width, int height) override;
    void setWindowCaption(const QString &text) override { caption = text; }
    void applyLayout(const MainLayout &layout) override;
    void activateWindow() override { calls << QStringLiteral("activate"); }
    void hideWindow() override { calls << QStringLiteral("hide"); }
    void unloadOtherWindows() override { calls << QStringLiteral("unloadOthers"); }
    void unloadWindow() override { calls << QStringLiteral("unload"); }
    int cursorScreenYTwips() const override { return cursorY; }
    int mouseButtons() const override { return buttons; }
    QString clipboardText() const override { return clipboard; }
    void clearClipboard() override
    {
        clipboard.clear();
        clipboardHtml.clear();
        calls << QStringLiteral("clearClipboard");
    }
    ClipboardContent clipboardContent() const override { return {clipboard, clipboardHtml, {}}; }
    void setClipboardContent(const ClipboardContent &content) override
    {
        clipboard = content.text;
        clipboardHtml = content.html;
        calls << QStringLiteral("setClipboard");
    }
    void setTimebarPicture(int image) override { timebarPicture = image; }
    bool leftButtonDownOrPressed() override { return leftDown || std::exchange(pressedSinceAsked, false); }
    void forgetLeftPress() override { pressedSinceAsked = false; }
    void processEvents() override { calls << QStringLiteral("processEvents"); }
    void wait(int milliseconds) override;
    void showFailure(const QString &message) override;
    void showExitFailure(const QString &message, int closeAfterMs) override
    {
        showFailure(message);
        exitFailureCloseAfterMs = closeAfterMs;
    }

    FakeTabs tabs;
    FakeAddressList list;
    ImageList images;
    QStringList voices;
    QStringList speechLog;
    bool audioAvailable = true;
    QString moveToolTip;
    WindowNames windowNames;
    int current = 0;
    std::map<int, ViewState> views;
    std::map<MainTimer, TimerState> timers;
    TwipsRect rect{0, 0, 14160, 5925};
    WindowShowState showState = WindowShowState::Normal;
    MainLayout applied;
    int layoutsApplied = 0;
    QString caption;
    QString tabToolTip;
    QString statusText;
    int progress = -1;
    int cursorY = 0;
    int buttons = 0;
    QString clipboard;
    QString clipboardHtml;
    int timebarPicture = -1;
    bool leftDown = false;
    bool pressedSinceAsked = false;
    // Called on every page command, to let a test play the page.
    std::function<void(int command)> onPageCommand;
    int waitedMs = 0;
    // Called on every wait, to let a test change the views meanwhile.
    std::function<void()> onWait;
    QStringList calls;
    QStringList failures;
    int exitFailureCloseAfterMs = -1;
};

// The desktop side of the commands, recorded.
class FakeCommandTarget : public CommandTarget
{
public:
    void closeProgram() override { calls << QStringLiteral("close"); }
    void execWB(int command) override
    {
        calls << QStringLiteral("execWB %1").arg(command);
        if (onExecWB)
            onExecWB(command);
    }
    void goBack() override { calls << QStringLiteral("back"); }
    void goForward() override { calls << QStringLiteral("forward"); }
    void refreshCurrent() override { calls << QStringLiteral("refresh"); }
    void showFindBar() override { calls << QStringLiteral("find"); }
    void minimizeWindow() override { calls << QStringLiteral("minimize"); }
    void applyBarStyle(int style) override { calls << QStringLiteral("style %1").arg(style); }
    void shellOpen(const QString &target) override { calls << QStringLiteral("shell ") + target; }
    void openSettings(SettingsPanel panel) override { calls << QStringLiteral("settings %1").arg(int(panel)); }
    void showFailure(const QString &message) override { failures << message; }

    QStringList calls;
    QStringList failures;
    std::function<void(int)> onExecWB;
};

} // namespace lorva::test
