#pragma once

#include "browser/TabHost.h"

#include <QString>

namespace lorva {

enum class MainTimer { Timer1, Timer4, Timer5, Timer6 };

// What the start-up and shutdown sequences need of the main window. The real
// window implements it with widgets; tests implement it with a recorder.
class MainWindowPort : public TabHost
{
public:
    virtual void setAddressText(const QString &text) = 0;
    virtual void setCurrentTab(int index) = 0;
    virtual int currentTab() const = 0;

    virtual void navigateView(int index, const QString &address) = 0;
    virtual void showView(int index) = 0;
    virtual void stopView(int index) = 0;

    virtual void setTimerInterval(MainTimer timer, int milliseconds) = 0;
    virtual void setTimerEnabled(MainTimer timer, bool enabled) = 0;

    // Screen size and window geometry in twips.
    virtual int screenWidthTwips() const = 0;
    virtual int screenHeightTwips() const = 0;
    virtual void moveWindowTwips(int left, int top, int width, int height) = 0;

    virtual void hideWindow() = 0;
    virtual void unloadOtherWindows() = 0;
    virtual void unloadWindow() = 0;

    // The failure message box: OK button, default title, the given text.
    virtual void showFailure(const QString &message) = 0;
};

} // namespace lorva
