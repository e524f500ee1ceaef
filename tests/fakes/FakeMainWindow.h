#pragma once

#include "app/MainWindowPort.h"

#include <QString>
#include <QStringList>

#include <map>
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

// The main window as a recorder of every call, in order.
class FakeMainWindow : public MainWindowPort
{
public:
    struct TimerState
    {
        int interval = 0;
        bool enabled = false;
    };

    void setTabCount(int count) override { tabs.setTabCount(count); }
    int tabCount() const override { return tabs.tabCount(); }
    void createView(int index) override { tabs.createView(index); }
    void setTabCaption(int index, const QString &caption) override { tabs.setTabCaption(index, caption); }

    void setAddressText(const QString &text) override;
    void setCurrentTab(int index) override;
    int currentTab() const override { return current; }
    void navigateView(int index, const QString &address) override;
    void showView(int index) override;
    void stopView(int index) override;
    void setTimerInterval(MainTimer timer, int milliseconds) override;
    void setTimerEnabled(MainTimer timer, bool enabled) override;
    int screenWidthTwips() const override { return 1920 * 15; }
    int screenHeightTwips() const override { return 1080 * 15; }
    void moveWindowTwips(int left, int top, int width, int height) override;
    void hideWindow() override;
    void unloadOtherWindows() override;
    void unloadWindow() override;
    void showFailure(const QString &message) override;

    FakeTabs tabs;
    QString addressText;
    int current = 0;
    std::map<MainTimer, TimerState> timers;
    QStringList calls;
    QStringList failures;
};

} // namespace lorva::test
