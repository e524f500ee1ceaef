#pragma once

#include "addresses/History.h"
#include "browser/MainContext.h"
#include "browser/MainTimerSet.h"
#include "browser/StatusStripWidget.h"
#include "browser/TabStrip.h"
#include "commands/Captions.h"
#include "platform/WindowFrame.h"

#include <QLoggingCategory>
#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QProgressBar;
class QSizeGrip;
class QTabBar;
class QToolButton;

// Start-up stages on standard error (QT_LOGGING_RULES="lorva.startup.debug=true"),
// which the tests and benchmarks wait for.
Q_DECLARE_LOGGING_CATEGORY(lcStartup)

namespace lorva {

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

// The main window: a borderless window with the top bar area, the tab strip
// with its views and the status strip. It frames those parts and hands
// every event to the logic of its area; what other areas do on its events
// (the speech watch, the start-up tail, the shutdown) is connected from outside.
class frmStart : public QWidget, public AddressBox, public MainWindowPort, public CaptionTargets
{
    Q_OBJECT

public:
    frmStart(const QString &programFolder, MainState &main, Placement &placement, Options &options,
             Language &language, CommandBars &commands, const ImageList &images, Dispatcher &dispatcher,
             Platform &platform);
    ~frmStart() override;

    // The window's logic, with this window's parts.
    MainContext &context() { return m_ctx; }
    // The start-up sequence has laid the window out: resizes lay it out anew.
    void setLoaded() { m_loaded = true; }

    TabStrip &tabStrip() { return m_tabs; }
    BrowserView *Web(int index) const { return m_tabs.Web(index); }
    QTabBar *Tab1() const { return m_tabs.bar(); }
    QComboBox *Text1() const { return m_text1; }
    QLabel *statusBar() const { return m_status->statusBar(); }
    QProgressBar *progressBar() const { return m_status->progressBar(); }
    QWidget *picBar() const { return m_picBar; }
    QWidget *picStat() const { return m_status; }
    CommandBarView *cmdBar(int index) const { return m_cmdBar[index]; }
    FindBar *findBar() const { return m_findBar; }
    QToolButton *cmdMove() const { return m_status->cmdMove(); }
    QToolButton *timebar() const { return m_status->timebar(); }
    int timebarPicture() const { return m_status->timebarPicture(); }
    QTimer *timer(MainTimer which) const { return m_timers.timer(which); }

    // AddressBox
    QString addressText() const override;
    void setAddressText(const QString &text) override;
    AddressList &history() override { return m_history; }
    bool addressBeingEdited() const override;

    // MainWindowPort
    WindowShowState windowShowState() const override;
    int cursorScreenYTwips() const override;
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
    // The window is closing: the shutdown sequence runs now.
    void closing();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void connectTabStrip();
    void placeFindBar();
    bool handleTabStrip(QEvent *event);
    void addKeyboardRoutes();
    void stopSpeaking();
    // Moves the keyboard from bar `from` to the next bar with buttons in `direction`.
    void focusNextBar(int from, int direction);
    void selectTabFromKeyboard(int step);
    void focusAddressBox();

    std::unique_ptr<Dialogs> m_dialogs;
    QtWindowFrame m_frame{this};
    QWidget *m_picBar;
    CommandBarView *m_cmdBar[3];
    QComboBox *m_text1;
    QLabel *m_text1Label; // names the address box for screen readers
    StatusStripWidget *m_status;
    QSizeGrip *m_sizeGrip;
    FindBar *m_findBar;
    ComboHistory m_history;
    MainTimerSet m_timers{this};
    // Made last, so that the views come after the other parts in stacking and focus order.
    TabStrip m_tabs;
    MainContext m_ctx;
    bool m_firstPageReported = false;
    bool m_loaded = false;
};

} // namespace lorva
