#pragma once

#include <QPoint>

#include <functional>

namespace lorva {

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
