#pragma once

#include "addresses/History.h"
#include "browser/MainContext.h"
#include "browser/MainWindowPorts.h"
#include "commands/Captions.h"

#include <QLoggingCategory>
#include <QPoint>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QProgressBar;
class QSizeGrip;
class QTabBar;
class QTimer;
class QToolButton;

// Start-up stages on standard error (QT_LOGGING_RULES="lorva.startup.debug=true"),
// which the tests and benchmarks wait for.
Q_DECLARE_LOGGING_CATEGORY(lcStartup)

namespace lorva {

class BrowserView;
class CommandBarView;
class Dialogs;
class FindBar;

// The history as the address box's own list.
class ComboHistory : public AddressList
{
public:
    explicit ComboHistory(QComboBox *box) : m_box(box) {}
    int count() const override;
    QString item(int index) const override;
    void append(const QString &text) override;
    QString text() const override;

private:
    QComboBox *m_box;
};

// The main window: a borderless window with the top bar area, one browser
// view per tab and the status strip. It owns the widgets and hands every
// event to the logic of its area; what other areas do on its events (the
// speech watch, the start-up tail, the shutdown) is connected from outside.
class frmStart : public QWidget,
                 public TabHost,
                 public AddressBox,
                 public StatusStrip,
                 public MainTimers,
                 public MainWindowPort,
                 public CaptionTargets
{
    Q_OBJECT

public:
    explicit frmStart(const MainValues &values);
    ~frmStart() override;

    // The window's logic, with this window as its parts.
    MainContext &context() { return m_ctx; }
    // The start-up sequence has laid the window out: resizes lay it out anew.
    void setLoaded() { m_loaded = true; }

    BrowserView *Web(int index) const;
    QTabBar *Tab1() const { return m_tab1; }
    QComboBox *Text1() const { return m_text1; }
    QLabel *statusBar() const { return m_statusBar; }
    QProgressBar *progressBar() const { return m_progressBar; }
    QWidget *picBar() const { return m_picBar; }
    QWidget *picStat() const { return m_picStat; }
    CommandBarView *cmdBar(int index) const { return m_cmdBar[index]; }
    FindBar *findBar() const { return m_findBar; }
    QToolButton *cmdMove() const { return m_cmdMove; }
    QToolButton *cmdMoveL() const { return m_cmdMoveL; }
    QToolButton *timebar() const { return m_timebar; }
    int timebarPicture() const { return m_timebarPicture; }
    QTimer *timer(MainTimer which) const;

    // TabHost
    void setTabCount(int count) override;
    int tabCount() const override;
    void createView(int index) override;
    BrowserView *view(int index) override { return Web(index); }
    void setTabCaption(int index, const QString &caption) override;
    QString tabCaption(int index) const override;
    void setTabToolTip(const QString &text) override;
    void setCurrentTab(int index) override;
    int currentTab() const override;
    void showView(int index) override;
    void setViewVisible(int index, bool visible) override;
    void placeView(int index, const TwipsRect &place) override;
    void focusView(int index) override;

    // AddressBox
    QString addressText() const override;
    void setAddressText(const QString &text) override;
    AddressList &history() override { return m_history; }
    bool addressBeingEdited() const override;

    // StatusStrip
    void setStatusText(const QString &text) override;
    void setProgress(int value) override;
    void setTimebarPicture(int image) override;

    // MainTimers
    void setTimerInterval(MainTimer timer, int milliseconds) override;
    int timerInterval(MainTimer timer) const override;
    void setTimerEnabled(MainTimer timer, bool enabled) override;

    // MainWindowPort
    int screenWidthTwips() const override;
    int screenHeightTwips() const override;
    int innerWidthTwips() const override;
    int innerHeightTwips() const override;
    TwipsRect windowRectTwips() const override;
    WindowShowState windowShowState() const override;
    int cursorScreenYTwips() const override;
    void moveWindowTwips(int left, int top, int width, int height) override;
    void setWindowCaption(const QString &caption) override;
    void setOpacity(int alpha) override;
    void setBusyPointer(bool busy) override;
    void applyLayout(const MainLayout &layout) override;
    void activateWindow() override;
    void minimizeWindow() override;
    void hideWindow() override;
    void closeProgram() override;
    void unloadWindow() override;
    void attachCommandBars(int style) override;
    void applyBarStyle(int style) override;
    void showFindBar() override;
    void showPageProperties() override;

    // CaptionTargets
    void setWindowNames(const WindowNames &names) override;

signals:
    // The left button was released over the page of view `index`.
    void viewLeftButtonUp(int index);
    // The page's context menu asked to read aloud from `point` of view `index`.
    void viewReadFrom(int index, QPoint point);
    // The window is closing: the shutdown sequence runs now.
    void closing();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void connectView(BrowserView *view, int index);
    void updateTabWidths();
    void placeFindBar();
    bool handleTabStrip(QEvent *event);
    void addKeyboardRoutes();
    void stopSpeaking();
    // Moves the keyboard from bar `from` to the next bar with buttons in `direction`.
    void focusNextBar(int from, int direction);
    void selectTabFromKeyboard(int step);
    void focusAddressBox();

    std::unique_ptr<Dialogs> m_dialogs;
    MainContext m_ctx;
    QWidget *m_picBar;
    CommandBarView *m_cmdBar[3];
    QTabBar *m_tab1;
    QComboBox *m_text1;
    QLabel *m_text1Label; // names the address box for screen readers
    QWidget *m_picStat;
    QToolButton *m_cmdMoveL;
    QLabel *m_statusBar;
    QToolButton *m_timebar;
    QProgressBar *m_progressBar;
    QToolButton *m_cmdMove;
    QSizeGrip *m_sizeGrip;
    FindBar *m_findBar;
    ComboHistory m_history;
    std::vector<std::unique_ptr<BrowserView>> m_web;
    QTimer *m_timers[4];
    bool m_firstPageReported = false;
    // What the status strip and the progress bar are to show once the first
    // page is there (see releaseStrip).
    struct HeldStrip
    {
        bool holding = true;
        std::optional<QString> status;
        std::optional<int> progress;
    } m_held;
    void releaseStrip();
    int m_timebarPicture = -1;
    WindowNames m_names;
    int m_tabWidthPixels = 0;
    bool m_loaded = false;
};

} // namespace lorva
