#pragma once

#include <QPoint>

#include <functional>

namespace lorva {

// The pointer anywhere on the screen, as a port: speech watches the left
// button and the tabs the buttons, and a test moves and presses its own.
class Pointer
{
public:
    virtual ~Pointer() = default;
    // Buttons down now: 1 left, 2 right, 4 middle.
    virtual int buttons() = 0;
    // Whether the left one is down or was pressed since the last time this
    // was asked, and forgetting such a press once it was dealt with.
    virtual bool leftButtonDownOrPressed() = 0;
    virtual void forgetLeftPress() = 0;
    // Where it is, in pixels.
    virtual QPoint position() = 0;
};

// The waits of the program, which keep its events running so that nothing
// blocks the user interface; a port so that a test waits for nothing and
// changes the world meanwhile.
class Waits
{
public:
    virtual ~Waits() = default;
    // Waits `milliseconds` while the program's events keep running.
    virtual void wait(int milliseconds) = 0;
    // Lets pending events run.
    virtual void processEvents() = 0;
    // Waits with events running until `done` says so; false when `timeoutMs`
    // passed first or the program is ending.
    virtual bool waitFor(const std::function<bool()> &done, int timeoutMs) = 0;
};

// Mouse buttons down at this moment anywhere on the screen: 1 left, 2 right,
// 4 middle. On X11 this asks the server; elsewhere it knows only the
// buttons pressed on the program's own windows.
int globalMouseButtons();

// Whether the left button is down now, or was pressed since the last call:
// on the program's windows always, anywhere on the screen where the X server
// reports raw button events. A quick click that is over before anyone asks
// the server is still seen.
bool leftButtonDownOrPressed();
// Starts remembering left presses (done by the first call above otherwise).
void watchLeftButton();
// Forgets a remembered press, once it has been dealt with another way.
void forgetLeftPress();
// Whether presses outside the program's windows are remembered too.
bool seesPressesOutsideProgram();

// The pointer's position on the screen, in pixels.
QPoint globalCursorPos();

// Waits `milliseconds` while the event loop keeps running.
void pumpWait(int milliseconds);
// Waits with events running until `done`, `timeoutMs` or the program's end.
bool pumpUntil(const std::function<bool()> &done, int timeoutMs);

} // namespace lorva
