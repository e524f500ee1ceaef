#pragma once

#include <QPoint>

namespace lorva {

// Mouse buttons down at this moment anywhere on the screen: 1 left, 2 right,
// 4 middle. On X11 this asks the server; elsewhere it knows only the
// buttons pressed on the program's own windows.
int globalMouseButtons();

// The pointer's position on the screen, in pixels.
QPoint globalCursorPos();

// Waits `milliseconds` while the event loop keeps running.
void pumpWait(int milliseconds);

} // namespace lorva
