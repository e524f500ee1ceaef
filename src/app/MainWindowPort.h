#pragma once

#include "browser/MainLayout.h"
#include "browser/TabHost.h"
#include "commands/Captions.h"
#include "platform/Clipboard.h"

#include <memory>

class QWidget;

#include <QString>

namespace lorva {

class AddressList;
class ImageList;
class SpeechEngine;

enum class MainTimer { Timer1, Timer4, Timer5, Timer6 };

// What the main window's logic needs of the window. The real window
// implements it with widgets; tests implement it with a recorder.
class MainWindowPort : public TabHost, public CaptionTargets
{
public:
    // Command bars
    virtual std::unique_ptr<SpeechEngine> createSpeech() = 0;
    virtual const ImageList &imageList() const = 0;
    virtual QWidget *tabStripWidget() = 0;
    // Shows the three bars of the window in `style`.
    virtual void attachCommandBars(int style) = 0;

    // Tabs and views
    virtual QString tabCaption(int index) const = 0;
    virtual void setTabToolTip(const QString &text) = 0;
    virtual void setCurrentTab(int index) = 0;
    virtual int currentTab() const = 0;
    virtual void navigateView(int index, const QString &address) = 0;
    virtual void showView(int index) = 0;
    virtual void setViewVisible(int index, bool visible) = 0;
    virtual void placeView(int index, const TwipsRect &place) = 0;
    virtual void stopView(int index) = 0;
    virtual void refreshView(int index) = 0;
    virtual void focusView(int index) = 0;
    // A page command of view `index` (12 copy, 18 clear the selection) that
    // leaves the keyboard focus where it is.
    virtual void pageCommand(int index, int command) = 0;
    virtual bool viewBusy(int index) const = 0;
    virtual QString viewLocationURL(int index) const = 0;
    // The document's ready state in lower case ("complete" once loaded).
    virtual QString viewReadyState(int index) = 0;
    // Shows a page of the program's own in view `index`, standing in for `address`.
    virtual void showViewPage(int index, const QString &html, const QString &address) = 0;

    // Address box, with its list that is the history
    virtual QString addressText() const = 0;
    virtual void setAddressText(const QString &text) = 0;
    virtual AddressList &history() = 0;

    // Status strip
    virtual void setStatusText(const QString &text) = 0;
    virtual void setProgress(int value) = 0;

    // Timers
    virtual void setTimerInterval(MainTimer timer, int milliseconds) = 0;
    virtual int timerInterval(MainTimer timer) const = 0;
    virtual void setTimerEnabled(MainTimer timer, bool enabled) = 0;

    // Window, in twips
    virtual int screenWidthTwips() const = 0;
    virtual int screenHeightTwips() const = 0;
    virtual int innerWidthTwips() const = 0;
    virtual int innerHeightTwips() const = 0;
    virtual TwipsRect windowRectTwips() const = 0;
    virtual WindowShowState windowShowState() const = 0;
    virtual void moveWindowTwips(int left, int top, int width, int height) = 0;
    virtual void setWindowCaption(const QString &caption) = 0;
    virtual void applyLayout(const MainLayout &layout) = 0;
    virtual void activateWindow() = 0;
    virtual void hideWindow() = 0;
    virtual void unloadOtherWindows() = 0;
    virtual void unloadWindow() = 0;

    // The pointer, anywhere on the screen
    virtual int cursorScreenYTwips() const = 0;
    // Buttons down now: 1 left, 2 right, 4 middle.
    virtual int mouseButtons() const = 0;

    // The clipboard's text, and emptying it.
    virtual QString clipboardText() const = 0;
    virtual void clearClipboard() = 0;
    // All the clipboard holds, to be put back after the program borrowed it.
    virtual ClipboardContent clipboardContent() const = 0;
    virtual void setClipboardContent(const ClipboardContent &content) = 0;
    // The speech-state picture of the status strip, by image index.
    virtual void setTimebarPicture(int image) = 0;
    // Whether the left button is down now or was pressed since the last
    // time this was asked (anywhere on the screen where that can be known).
    virtual bool leftButtonDownOrPressed() = 0;
    // Forgets a press that was remembered for the question above.
    virtual void forgetLeftPress() = 0;

    // Lets pending events run; waits `milliseconds` while they do.
    virtual void processEvents() = 0;
    virtual void wait(int milliseconds) = 0;

    // The failure message box: OK button, default title, the given text.
    virtual void showFailure(const QString &message) = 0;
    // A failure while the program ends: said on standard error too, and in
    // a box that closes by itself after `closeAfterMs` when that is above 0.
    virtual void showExitFailure(const QString &message, int closeAfterMs) = 0;
};

} // namespace lorva
