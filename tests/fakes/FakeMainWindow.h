#pragma once

#include "addresses/History.h"
#include "browser/MainWindowPorts.h"
#include "commands/Captions.h"
#include "config/Language.h"
#include "fakes/FakeBrowserView.h"
#include "fakes/FakePlatform.h"
#include "platform/WindowFrame.h"
#include "support/QtPrint.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <set>
#include <utility>

namespace lorva::test {

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

// The main window's parts and frame as a recorder of every call, in order,
// with a fake view per tab.
class FakeMainWindow : public WindowFrame,
                       public TabHost,
                       public AddressBox,
                       public StatusStrip,
                       public MainTimers,
                       public MainWindowPort,
                       public CaptionTargets
{
public:
    struct TimerState
    {
        int interval = 0;
        bool enabled = false;
    };

    FakeMainWindow() { views[0]; }

    // TabHost
    void setTabCount(int count) override
    {
        tabCountValue = count;
    }
    int tabCount() const override { return tabCountValue; }
    void createView(int index) override
    {
        view(index);
        createdViews.insert(index);
    }
    BrowserView *view(int index) override
    {
        if (index < 0 || index >= kMaxTabs)
            return nullptr;
        FakeBrowserView &v = views[index];
        v.index = index;
        v.log = &calls;
        return &v;
    }
    void setTabCaption(int index, const QString &caption) override { captions[index] = caption; }
    QString tabCaption(int index) const override
    {
        const auto it = captions.find(index);
        return it == captions.end() ? QString() : it->second;
    }
    void setTabToolTip(const QString &text) override { tabToolTip = text; }
    void setCurrentTab(int index) override
    {
        current = index;
        calls << QStringLiteral("currentTab %1").arg(index);
    }
    int currentTab() const override { return current; }
    void showView(int index) override
    {
        views[index].visible = true;
        calls << QStringLiteral("show %1").arg(index);
    }
    void setViewVisible(int index, bool visible) override { views[index].visible = visible; }
    void placeView(int index, const TwipsRect &place) override { views[index].place = place; }
    void focusView(int index) override { calls << QStringLiteral("focus %1").arg(index); }

    // AddressBox
    QString addressText() const override { return list.boxText; }
    void setAddressText(const QString &text) override
    {
        list.boxText = text;
        calls << QStringLiteral("address ") + text;
    }
    AddressList &history() override { return list; }
    bool addressBeingEdited() const override { return editingAddress; }

    // StatusStrip
    void setStatusText(const QString &text) override { statusText = text; }
    void showNotice(const QString &text) override { statusText = text; }
    void setProgress(int value) override { progress = value; }
    void setTimebarPicture(int image) override { timebarPicture = image; }
    void setDownloadStatus(const QString &text, int value) override { downloadStatus = {text, value}; }
    void clearDownloadStatus() override { downloadStatus.reset(); }
    bool showsDownloads() const override { return downloadStatus.has_value(); }

    // MainTimers
    void setTimerInterval(MainTimer timer, int milliseconds) override { timers[timer].interval = milliseconds; }
    int timerInterval(MainTimer timer) const override
    {
        const auto it = timers.find(timer);
        return it == timers.end() ? 0 : it->second.interval;
    }
    void setTimerEnabled(MainTimer timer, bool enabled) override { timers[timer].enabled = enabled; }

    // WindowFrame, on a 1920 by 1080 screen
    int screenWidthTwips() const override { return 1920 * 15; }
    int screenHeightTwips() const override { return 1080 * 15; }
    int innerWidthTwips() const override { return rect.width; }
    int innerHeightTwips() const override { return rect.height; }
    TwipsRect windowRectTwips() const override { return rect; }
    void moveWindowTwips(const TwipsRect &r) override
    {
        rect = r;
        calls << QStringLiteral("move %1 %2 %3 %4").arg(r.left).arg(r.top).arg(r.width).arg(r.height);
    }
    bool minimized() const override { return showState == WindowShowState::Minimized; }

    // MainWindowPort
    WindowShowState windowShowState() const override { return showState; }
    int cursorScreenYTwips() const override { return cursorY; }
    void setWindowCaption(const QString &text) override { caption = text; }
    void setBusyPointer(bool on) override
    {
        busyPointer = on;
        calls << QStringLiteral("pointer %1").arg(on ? "busy" : "arrow");
    }
    void setOpacity(int alpha) override
    {
        opacity = alpha;
        calls << QStringLiteral("alpha %1").arg(alpha);
    }
    void applyLayout(const MainLayout &layout) override
    {
        applied = layout;
        ++layoutsApplied;
    }
    void activateWindow() override { calls << QStringLiteral("activate"); }
    void minimizeWindow() override { calls << QStringLiteral("minimize"); }
    void hideWindow() override { calls << QStringLiteral("hide"); }
    void closeProgram() override { calls << QStringLiteral("close"); }
    void unloadWindow() override { calls << QStringLiteral("unload"); }
    void attachCommandBars(int style) override { calls << QStringLiteral("attachBars %1").arg(style); }
    void applyBarStyle(int style) override { calls << QStringLiteral("style %1").arg(style); }
    void showFindBar() override { calls << QStringLiteral("find"); }
    void showPageProperties() override { calls << QStringLiteral("properties"); }

    // CaptionTargets
    void setWindowNames(const WindowNames &names) override
    {
        moveToolTip = names.moveButtons;
        windowNames = names;
    }

    QStringList calls;
    FakeDialogs dialogs{&calls};
    FakeAddressList list;
    bool editingAddress = false;
    int tabCountValue = 1;
    std::set<int> createdViews;
    std::map<int, QString> captions;
    std::map<int, FakeBrowserView> views;
    int current = 0;
    std::map<MainTimer, TimerState> timers;
    TwipsRect rect{0, 0, 14160, 5925};
    WindowShowState showState = WindowShowState::Normal;
    MainLayout applied;
    int layoutsApplied = 0;
    QString caption;
    QString tabToolTip;
    QString statusText;
    int progress = -1;
    int timebarPicture = -1;
    std::optional<std::pair<QString, int>> downloadStatus;
    int cursorY = 0;
    int opacity = 255;
    bool busyPointer = false;
    QString moveToolTip;
    WindowNames windowNames;
};

} // namespace lorva::test
