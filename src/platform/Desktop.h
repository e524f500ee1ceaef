#pragma once

#include <QPoint>

namespace lorva {

// Mouse buttons down at this moment anywhere on the screen: 1 left, 2 right,
// 4 middle. On X11 this asks the server; elsewhere it knows only the
// buttons pressed on the program's own windows.
int globalMouseButtons();

// Whether the left button is down now, or was pressed on one of the
// program's windows since the last call: a quick click that is over before
// anyone asks the server is still seen.
bool leftButtonDownOrPressed();
// Starts remembering left presses (done by the first call above otherwise).
void watchLeftButton();

// The pointer's position on the screen, in pixels.
QPoint globalCursorPos();

// Waits `milliseconds` while the event loop keeps running.
void pumpWait(int milliseconds);

} // namespace lorva
