#pragma once

#include "app/MainWindowPort.h"

#include <QDate>
#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QStackedLayout;
class QTabBar;
class QTimer;

namespace lorva {

struct AppContext;
class BrowserView;
class Platform;

// The main window: tab strip, address box and one browser view per tab.
class frmStart : public QWidget, public MainWindowPort
{
    Q_OBJECT

public:
    frmStart(AppContext &ctx, Platform &platform);
    ~frmStart() override;

    // The start-up sequence; throws AppError when a step fails.
    void Form_Load(const QDate &today);

    BrowserView *Web(int index) const;
    QTabBar *Tab1() const { return m_tab1; }
    QComboBox *Text1() const { return m_text1; }
    QTimer *timer(MainTimer which) const;

    // TabHost
    void setTabCount(int count) override;
    int tabCount() const override;
    void createView(int index) override;
    void setTabCaption(int index, const QString &caption) override;

    // MainWindowPort
    void setAddressText(const QString &text) override;
    void setCurrentTab(int index) override;
    int currentTab() const override;
    void navigateView(int index, const QString &address) override;
    void showView(int index) override;
    void stopView(int index) override;
    void setTimerInterval(MainTimer timer, int milliseconds) override;
    void setTimerEnabled(MainTimer timer, bool enabled) override;
    int screenWidthTwips() const override;
    int screenHeightTwips() const override;
    void moveWindowTwips(int left, int top, int width, int height) override;
    void hideWindow() override;
    void unloadOtherWindows() override;
    void unloadWindow() override;
    void showFailure(const QString &message) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    AppContext &m_ctx;
    Platform &m_platform;
    QTabBar *m_tab1;
    QComboBox *m_text1;
    QWidget *m_viewArea;
    QStackedLayout *m_viewStack;
    std::vector<std::unique_ptr<BrowserView>> m_web;
    QTimer *m_timers[4];
    bool m_firstPageReported = false;
};

} // namespace lorva
