#pragma once

#include "addresses/History.h"
#include "app/MainWindowPort.h"
#include "commands/Dispatcher.h"
#include "commands/ImageList.h"

#include <QDate>
#include <QPoint>
#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QProgressBar;
class QSizeGrip;
class QTabBar;
class QTimer;
class QToolButton;

namespace lorva {

struct AppContext;
class BrowserView;
class CommandBarView;
class FindBar;
class Platform;

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
// event to the logic of its area.
class frmStart : public QWidget, public MainWindowPort, public CommandTarget
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
    QLabel *statusBar() const { return m_statusBar; }
    QProgressBar *progressBar() const { return m_progressBar; }
    QWidget *picBar() const { return m_picBar; }
    QWidget *picStat() const { return m_picStat; }
    CommandBarView *cmdBar(int index) const { return m_cmdBar[index]; }
    Dispatcher &dispatcher() { return m_dispatcher; }
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
    void setTabCaption(int index, const QString &caption) override;

    // MainWindowPort
    std::unique_ptr<SpeechEngine> createSpeech() override;
    const ImageList &imageList() const override { return m_images; }
    QWidget *tabStripWidget() override;
    void attachCommandBars(int style) override;
    void setWindowNames(const WindowNames &names) override;
    QString tabCaption(int index) const override;
    void setTabToolTip(const QString &text) override;
    void setCurrentTab(int index) override;
    int currentTab() const override;
    void navigateView(int index, const QString &address) override;
    void showView(int index) override;
    void setViewVisible(int index, bool visible) override;
    void placeView(int index, const TwipsRect &place) override;
    void stopView(int index) override;
    void refreshView(int index) override;
    void focusView(int index) override;
    void pageCommand(int index, int command) override;
    bool viewBusy(int index) const override;
    QString viewLocationURL(int index) const override;
    QString viewReadyState(int index) override;
    void showViewPage(int index, const QString &html, const QString &address) override;
    QString addressText() const override;
    void setAddressText(const QString &text) override;
    AddressList &history() override { return m_history; }
    void setStatusText(const QString &text) override;
    void setProgress(int value) override;
    void setTimerInterval(MainTimer timer, int milliseconds) override;
    int timerInterval(MainTimer timer) const override;
    void setTimerEnabled(MainTimer timer, bool enabled) override;
    int screenWidthTwips() const override;
    int screenHeightTwips() const override;
    int innerWidthTwips() const override;
    int innerHeightTwips() const override;
    TwipsRect windowRectTwips() const override;
    WindowShowState windowShowState() const override;
    void moveWindowTwips(int left, int top, int width, int height) override;
    void setWindowCaption(const QString &caption) override;
    void applyLayout(const MainLayout &layout) override;
    void activateWindow() override;
    void hideWindow() override;
    void unloadOtherWindows() override;
    void unloadWindow() override;
    int cursorScreenYTwips() const override;
    int mouseButtons() const override;
    QString clipboardText() const override;
    void clearClipboard() override;
    ClipboardContent clipboardContent() const override;
    void setClipboardContent(const ClipboardContent &content) override;
    void setTimebarPicture(int image) override;
    bool leftButtonDownOrPressed() override;
    void forgetLeftPress() override;
    void processEvents() override;
    void wait(int milliseconds) override;
    void showFailure(const QString &message) override;
    void showExitFailure(const QString &message, int closeAfterMs) override;

    // CommandTarget
    void closeProgram() override;
    void execWB(int command) override;
    void goBack() override;
    void goForward() override;
    void refreshCurrent() override;
    void showFindBar() override;
    void minimizeWindow() override;
    void applyBarStyle(int style) override;
    void shellOpen(const QString &target) override;
    void openSettings(SettingsPanel panel) override;

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
    void showPageProperties();
    bool handleMoveButton(QEvent *event);
    void addKeyboardRoutes();
    // Moves the keyboard from bar `from` to the next bar with buttons in `direction`.
    void focusNextBar(int from, int direction);
    void selectTabFromKeyboard(int step);
    void focusAddressBox();

    AppContext &m_ctx;
    Platform &m_platform;
    QWidget *m_picBar;
    ImageList m_images;
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
    Dispatcher m_dispatcher;
    bool m_firstPageReported = false;
    int m_timebarPicture = -1;
    WindowNames m_names;
    int m_tabWidthPixels = 0;
    bool m_loaded = false;
    // Moving the window by hand where the window manager cannot do it.
    bool m_dragging = false;
    QPoint m_dragOffset;
};

} // namespace lorva
