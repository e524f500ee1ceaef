#pragma once

#include "browser/MainLayout.h"

#include <QString>

namespace lorva {

class AddressList;
class BrowserView;

// The parts of the main window that logic works through, each on its own.
// The real window implements them with widgets; tests with recorders.

// The tab strip with one browser view per tab.
class TabHost
{
public:
    virtual ~TabHost() = default;

    // Sets the number of tabs (already kept within 1..kMaxTabs).
    virtual void setTabCount(int count) = 0;
    virtual int tabCount() const = 0;
    // Creates the browser view of tab `index` unless it exists already.
    virtual void createView(int index) = 0;
    // The view of tab `index`; null when it has none.
    virtual BrowserView *view(int index) = 0;
    virtual void setTabCaption(int index, const QString &caption) = 0;
    virtual QString tabCaption(int index) const = 0;
    virtual void setTabToolTip(const QString &text) = 0;
    virtual void setCurrentTab(int index) = 0;
    virtual int currentTab() const = 0;
    // Which view shows, and where; every view has the place of the layout.
    virtual void showView(int index) = 0;
    virtual void setViewVisible(int index, bool visible) = 0;
    virtual void placeView(int index, const TwipsRect &place) = 0;
    // Gives view `index` the keyboard focus.
    virtual void focusView(int index) = 0;
};

// The address box, whose drop-down list is the history.
class AddressBox
{
public:
    virtual ~AddressBox() = default;
    virtual QString addressText() const = 0;
    virtual void setAddressText(const QString &text) = 0;
    virtual AddressList &history() = 0;
    // Whether the user is in the box (it has the keyboard focus).
    virtual bool addressBeingEdited() const = 0;
};

// The pictures of the status strip's speech button: speech on and off.
inline constexpr int kSpeechOnPicture = 96;
inline constexpr int kSpeechOffPicture = 132;

// The status strip: text, progress bar and the speech picture.
class StatusStrip
{
public:
    virtual ~StatusStrip() = default;
    virtual void setStatusText(const QString &text) = 0;
    // Shows `text` for a moment, then what the status text showed before
    // (unless something else has been shown meanwhile).
    virtual void showNotice(const QString &text) = 0;
    virtual void setProgress(int value) = 0;
    // The speech-state picture, by image index.
    virtual void setTimebarPicture(int image) = 0;
    // While files download, the text and the progress bar show them (a
    // progress of -1: their size is not known); what the pages report
    // meanwhile is kept, and shows again once the downloads are cleared.
    virtual void setDownloadStatus(const QString &text, int progress) = 0;
    virtual void clearDownloadStatus() = 0;
    // Whether the strip shows downloads.
    virtual bool showsDownloads() const = 0;
};

enum class MainTimer { Timer1, Timer4, Timer5, Timer6 };

// The main window's timers; their ticks reach the logic of their area.
class MainTimers
{
public:
    virtual ~MainTimers() = default;
    virtual void setTimerInterval(MainTimer timer, int milliseconds) = 0;
    virtual int timerInterval(MainTimer timer) const = 0;
    virtual void setTimerEnabled(MainTimer timer, bool enabled) = 0;
};

// The main window itself, for its own logic only (its place on the screen
// is its WindowFrame): show state, caption, the layout of its parts, its
// bars and its own dialogs.
class MainWindowPort
{
public:
    virtual ~MainWindowPort() = default;

    virtual WindowShowState windowShowState() const = 0;
    // Where the pointer is on the screen, top to bottom.
    virtual int cursorScreenYTwips() const = 0;
    virtual void setWindowCaption(const QString &caption) = 0;
    // The window's opacity, 0 to 255.
    virtual void setOpacity(int alpha) = 0;
    // The hourglass over the window while it is busy, the arrow otherwise.
    virtual void setBusyPointer(bool busy) = 0;
    virtual void applyLayout(const MainLayout &layout) = 0;
    virtual void activateWindow() = 0;
    virtual void minimizeWindow() = 0;
    virtual void hideWindow() = 0;
    // Closes the window, which runs the shutdown sequence.
    virtual void closeProgram() = 0;
    // The last step of the shutdown: the window goes and the program ends.
    virtual void unloadWindow() = 0;

    // Shows the three bars of the window in `style`, and restyles them.
    virtual void attachCommandBars(int style) = 0;
    virtual void applyBarStyle(int style) = 0;
    // The find bar over the page, and the current page's properties.
    virtual void showFindBar() = 0;
    virtual void showPageProperties() = 0;
};

} // namespace lorva
